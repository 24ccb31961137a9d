#include "CellList.h"

#include <QAccessibleWidget>
#include <QPointer>
#include <QWidget>

#include <vector>

namespace ui {

namespace {

/// Whether the list is shown whenever its window is: not hidden in it, as a page of a stack
/// that is not current.
bool listShown(const QWidget* list) {
    return list->isVisibleTo(list->window());
}

/// One cell as a screen reader sees it: an item of the list, which can be pressed and focused.
class CellAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    CellAccessible(QWidget* widget, CellList* list, int index)
        : m_widget(widget), m_list(list), m_index(index) {}

    bool isValid() const override { return !m_widget.isNull(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override {
        return m_widget ? m_widget->window()->windowHandle() : nullptr;
    }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(m_widget);
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* focusChild() const override { return nullptr; }
    QString text(QAccessible::Text t) const override {
        // a cell the list no longer shows says nothing of what it held
        if (!isShown())
            return {};
        if (t == QAccessible::Name)
            return m_list->cellName(m_index);
        return t == QAccessible::Description ? m_list->cellDescription(m_index) : QString();
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        if (!m_widget)
            return {};
        const QRect cell = m_list->cellArea(m_index);
        return QRect(m_widget->mapToGlobal(cell.topLeft()), cell.size());
    }
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    QAccessible::State state() const override {
        QAccessible::State s;
        s.focusable = s.selectable = true;
        if (!m_widget)
            return s;
        s.invisible = !m_widget->isVisible() || m_index >= m_list->cellCount();
        s.focused = m_widget->hasFocus() && m_list->currentCell() == m_index;
        s.selected = m_list->isCellSelected(m_index);
        return s;
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this)
                                                    : nullptr;
    }

    QStringList actionNames() const override { return {pressAction(), setFocusAction()}; }
    void doAction(const QString& action) override {
        if (!m_widget)
            return;
        if (action == pressAction())
            m_list->pressCell(m_index);
        else
            m_list->focusCell(m_index);
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

    int index() const { return m_index; }

private:
    /// Whether the list has the cell and shows it with its window: a reader may still hold a
    /// cell the list dropped or hid.
    bool isShown() const {
        return m_widget && m_index < m_list->cellCount() && listShown(m_widget);
    }

    QPointer<QWidget> m_widget;
    CellList* m_list;
    int m_index;
};

/// The widget as a list of its cells.
class ListAccessible : public QAccessibleWidget {
public:
    ListAccessible(QWidget* widget, CellList* list)
        : QAccessibleWidget(widget, QAccessible::List), m_list(list),
          m_cellIds(static_cast<size_t>(list->cellCount()), 0) {}
    ~ListAccessible() override {
        for (const QAccessible::Id id : m_cellIds)
            if (id != 0)
                QAccessible::deleteAccessibleInterface(id);
    }

    int childCount() const override { return listShown(widget()) ? m_list->cellCount() : 0; }
    QAccessibleInterface* child(int index) const override {
        if (index < 0 || index >= childCount())
            return nullptr;
        if (static_cast<size_t>(index) >= m_cellIds.size())
            m_cellIds.resize(static_cast<size_t>(index) + 1, 0);
        QAccessible::Id& id = m_cellIds[static_cast<size_t>(index)];
        // the items are owned by the accessibility cache, which knows them by these ids
        if (id == 0)
            id = QAccessible::registerAccessibleInterface(
                new CellAccessible(widget(), m_list, index));
        return QAccessible::accessibleInterface(id);
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        const auto* cell = dynamic_cast<const CellAccessible*>(child);
        return cell != nullptr && cell->parent() == this ? cell->index() : -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        return child(m_list->cellAtPoint(widget()->mapFromGlobal(QPoint(x, y))));
    }
    QAccessibleInterface* focusChild() const override {
        return widget()->hasFocus() ? child(m_list->currentCell()) : nullptr;
    }

private:
    CellList* m_list;
    mutable std::vector<QAccessible::Id> m_cellIds;
};

QAccessibleInterface* cellListFactory(const QString&, QObject* object) {
    if (object == nullptr || !object->isWidgetType())
        return nullptr;
    auto* list = dynamic_cast<CellList*>(object);
    return list != nullptr ? new ListAccessible(static_cast<QWidget*>(object), list) : nullptr;
}

} // namespace

CellList::CellList() {
    static const bool kFactoryInstalled = [] {
        QAccessible::installFactory(cellListFactory);
        return true;
    }();
    Q_UNUSED(kFactoryInstalled);
}

void announceCell(QWidget* list, int index, QAccessible::Event event) {
    QAccessibleEvent told(list, event);
    told.setChild(index);
    QAccessible::updateAccessibility(&told);
}

} // namespace ui
