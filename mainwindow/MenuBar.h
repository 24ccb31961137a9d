#pragma once

#include <QIcon>
#include <QKeySequence>
#include <QMenuBar>
#include <QString>

#include <vector>

class QAction;
class QMenu;

namespace mainwindow {

/// How a menu entry shows.
enum class MenuStyle { Plain = 0, Icon = 1, Check = 2 };

/// The mark of a menu entry.
enum class CheckState { Unchecked = 0, Checked = 1 };

/// The keyed menu layer over the toolkit's menu bar: entries are added with a parent key,
/// their own key, a style, a caption, an icon and a check state, and a click reports the
/// entry's numeric identifier.
class MenuBar : public QMenuBar {
    Q_OBJECT
public:
    explicit MenuBar(QWidget* parent = nullptr);

    /// Adds an entry under parentKey (empty for the bar itself), after the entries added
    /// before it. Returns its identifier (1, 2, ... in the order of adding), or 0 when the
    /// key is already taken or the parent is unknown.
    int addEntry(const QString& parentKey, const QString& key, MenuStyle style,
                 const QString& caption, const QIcon& icon, CheckState checkState,
                 const QKeySequence& shortcut = {});

    /// Key of the entry with identifier id; empty for an unknown id.
    QString key(int id) const;
    /// Identifier of the entry with key; 0 when there is none.
    int idOf(const QString& key) const;
    /// Whether the entry with identifier id has entries under it.
    bool ownsSubmenu(int id) const;
    /// Check state of the entry with key (unchecked for an unknown key).
    CheckState checkState(const QString& key) const;
    void setCheckState(const QString& key, CheckState state);

    /// The toolkit action that shows the entry with key (a submenu's own action for a header).
    QAction* action(const QString& key) const;
    /// The popup holding the entries under key, or null.
    QMenu* submenu(const QString& key) const;

signals:
    /// An entry was clicked; a check entry has already flipped its mark.
    void itemClick(int id);

private:
    struct Entry {
        QString key;
        QString parentKey;
        MenuStyle style = MenuStyle::Plain;
        CheckState check = CheckState::Unchecked;
        QAction* action = nullptr;
        QMenu* menu = nullptr;
    };

    Entry* find(const QString& key);
    const Entry* find(const QString& key) const;
    QMenu* ensureSubmenu(Entry& parent);
    void wireAction(int id, QAction* action);

    std::vector<Entry> m_entries;
};

} // namespace mainwindow
