#include "MenuBar.h"

#include <QAction>
#include <QMenu>

namespace mainwindow {

MenuBar::MenuBar(QWidget* parent) : QMenuBar(parent) {
    // a bar inside the window's client area, never handed to a global menu service
    setNativeMenuBar(false);
}

MenuBar::Entry* MenuBar::find(const QString& key) {
    for (Entry& e : m_entries) {
        if (e.key == key)
            return &e;
    }
    return nullptr;
}

const MenuBar::Entry* MenuBar::find(const QString& key) const {
    return const_cast<MenuBar*>(this)->find(key);
}

void MenuBar::wireAction(int id, QAction* action) {
    connect(action, &QAction::triggered, this, [this, id] { emit itemClick(id); });
}

QMenu* MenuBar::ensureSubmenu(Entry& parent) {
    if (parent.menu != nullptr)
        return parent.menu;
    // the entry becomes a header: its plain action is replaced in place by a submenu
    QWidget* container = parent.parentKey.isEmpty()
                             ? static_cast<QWidget*>(this)
                             : static_cast<QWidget*>(find(parent.parentKey)->menu);
    auto* menu = new QMenu(parent.action->text(), container);
    menu->setObjectName(parent.key);
    menu->setIcon(parent.action->icon());
    QAction* old = parent.action;
    if (auto* bar = qobject_cast<QMenuBar*>(container))
        bar->insertMenu(old, menu);
    else
        static_cast<QMenu*>(container)->insertMenu(old, menu);
    container->removeAction(old);
    old->deleteLater();
    parent.menu = menu;
    parent.action = menu->menuAction();
    parent.action->setObjectName(parent.key);
    const int id = idOf(parent.key);
    // opening a header reports its click too; dispatch knows headers are no commands
    connect(menu, &QMenu::aboutToShow, this, [this, id] { emit itemClick(id); });
    return menu;
}

int MenuBar::addEntry(const QString& parentKey, const QString& key, MenuStyle style,
                      const QString& caption, const QIcon& icon, CheckState checkState,
                      const QKeySequence& shortcut) {
    if (key.isEmpty() || find(key) != nullptr)
        return 0;
    QWidget* container = this;
    if (!parentKey.isEmpty()) {
        Entry* parent = find(parentKey);
        if (parent == nullptr)
            return 0;
        container = ensureSubmenu(*parent);
    }
    auto* action = new QAction(caption, container);
    action->setObjectName(key);
    if (style == MenuStyle::Icon)
        action->setIcon(icon);
    if (style == MenuStyle::Check) {
        action->setCheckable(true);
        action->setChecked(checkState == CheckState::Checked);
    }
    // shown beside the caption; it works wherever the window has the focus
    action->setShortcut(shortcut);
    container->addAction(action);

    Entry entry;
    entry.key = key;
    entry.parentKey = parentKey;
    entry.style = style;
    entry.check = checkState;
    entry.action = action;
    m_entries.push_back(entry);
    const int id = static_cast<int>(m_entries.size());
    wireAction(id, action);
    return id;
}

QString MenuBar::key(int id) const {
    if (id < 1 || id > static_cast<int>(m_entries.size()))
        return {};
    return m_entries[static_cast<size_t>(id - 1)].key;
}

int MenuBar::idOf(const QString& key) const {
    for (size_t i = 0; i < m_entries.size(); ++i) {
        if (m_entries[i].key == key)
            return static_cast<int>(i) + 1;
    }
    return 0;
}

bool MenuBar::ownsSubmenu(int id) const {
    if (id < 1 || id > static_cast<int>(m_entries.size()))
        return false;
    return m_entries[static_cast<size_t>(id - 1)].menu != nullptr;
}

CheckState MenuBar::checkState(const QString& key) const {
    const Entry* e = find(key);
    if (e == nullptr)
        return CheckState::Unchecked;
    if (e->style == MenuStyle::Check)
        return e->action->isChecked() ? CheckState::Checked : CheckState::Unchecked;
    return e->check;
}

void MenuBar::setCheckState(const QString& key, CheckState state) {
    Entry* e = find(key);
    if (e == nullptr)
        return;
    e->check = state;
    if (e->style == MenuStyle::Check)
        e->action->setChecked(state == CheckState::Checked);
}

QAction* MenuBar::action(const QString& key) const {
    const Entry* e = find(key);
    return e != nullptr ? e->action : nullptr;
}

QMenu* MenuBar::submenu(const QString& key) const {
    const Entry* e = find(key);
    return e != nullptr ? e->menu : nullptr;
}

} // namespace mainwindow
