// The journal list as screen readers see it: a list whose items are its
// lines, in order, with their selection and focus; for readers of tables, a
// table of one column whose cells are the same items. The table view the
// list is built on stays out of sight: no header cells, no corner button.

#include "ui/journal/list_box_widget.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QHash>
#include <QItemSelectionModel>
#include <QPointer>

namespace quz::journal {

namespace {

// One line of the list. It reads the line when asked, so it stays right
// while lines come and go; past the last line it is no longer valid.
class LineInterface : public QAccessibleInterface, public QAccessibleTableCellInterface {
public:
    LineInterface(TListBox *list, int row)
        : m_list(list)
        , m_row(row)
    {}

    bool isValid() const override
    {
        return m_list && m_list->model() && m_row < m_list->model()->rowCount();
    }
    QObject *object() const override { return nullptr; }
    QWindow *window() const override { return m_list ? m_list->window()->windowHandle() : nullptr; }
    QAccessibleInterface *parent() const override
    {
        return QAccessible::queryAccessibleInterface(m_list);
    }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }

    QString text(QAccessible::Text t) const override
    {
        if (t != QAccessible::Name || !isValid())
            return {};
        return index().data(Qt::DisplayRole).toString();
    }
    void setText(QAccessible::Text, const QString &) override {}

    QRect rect() const override
    {
        if (!isValid())
            return {};
        const QRect place = m_list->visualRect(index());
        return {m_list->viewport()->mapToGlobal(place.topLeft()), place.size()};
    }

    QAccessible::Role role() const override { return QAccessible::ListItem; }

    QAccessible::State state() const override
    {
        QAccessible::State state;
        if (!isValid()) {
            state.invalid = true;
            return state;
        }
        state.selectable = true;
        state.focusable = true;
        state.disabled = !m_list->isEnabled();
        const QItemSelectionModel *selection = m_list->selectionModel();
        state.selected = selection && selection->isRowSelected(m_row, QModelIndex());
        state.focused = m_list->hasFocus() && m_list->currentIndex().row() == m_row;
        state.active = state.focused;
        state.offscreen = !m_list->isVisible()
                          || !m_list->viewport()->rect().intersects(m_list->visualRect(index()));
        state.invisible = !m_list->isVisible();
        return state;
    }

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::TableCellInterface
                   ? static_cast<QAccessibleTableCellInterface *>(this)
                   : nullptr;
    }

    // As a cell of the one-column table.
    bool isSelected() const override { return isValid() && state().selected; }
    QList<QAccessibleInterface *> columnHeaderCells() const override { return {}; }
    QList<QAccessibleInterface *> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return 0; }
    int rowIndex() const override { return m_row; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface *table() const override { return parent(); }

    int row() const { return m_row; }

private:
    QModelIndex index() const { return m_list->model()->index(m_row, 0); }

    QPointer<TListBox> m_list;
    int m_row;
};

class ListInterface : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit ListInterface(TListBox *list)
        : QAccessibleWidget(list, QAccessible::List)
    {}

    ~ListInterface() override
    {
        for (const QAccessible::Id id : std::as_const(m_lines))
            QAccessible::deleteAccessibleInterface(id);
    }

    int childCount() const override { return list()->model() ? list()->model()->rowCount() : 0; }

    QAccessibleInterface *child(int index) const override
    {
        if (index < 0 || index >= childCount())
            return nullptr;
        if (const auto found = m_lines.constFind(index); found != m_lines.constEnd())
            return QAccessible::accessibleInterface(*found);
        auto *line = new LineInterface(list(), index);
        m_lines.insert(index, QAccessible::registerAccessibleInterface(line));
        return line;
    }

    int indexOfChild(const QAccessibleInterface *child) const override
    {
        const auto *line = dynamic_cast<const LineInterface *>(child);
        return line && line->parent() == this ? line->row() : -1;
    }

    QAccessibleInterface *childAt(int x, int y) const override
    {
        const QModelIndex index = list()->indexAt(list()->viewport()->mapFromGlobal(QPoint(x, y)));
        return index.isValid() ? child(index.row()) : nullptr;
    }

    QAccessibleInterface *focusChild() const override
    {
        if (!list()->hasFocus() || !list()->currentIndex().isValid())
            return nullptr;
        return child(list()->currentIndex().row());
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.multiSelectable = list()->multiSelect();
        return state;
    }

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TableInterface)
            return static_cast<QAccessibleTableInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    // As a table of one column, without headers.
    QAccessibleInterface *caption() const override { return nullptr; }
    QAccessibleInterface *summary() const override { return nullptr; }
    QAccessibleInterface *cellAt(int row, int column) const override
    {
        return column == 0 ? child(row) : nullptr;
    }
    int selectedCellCount() const override { return selectedRowCount(); }
    QList<QAccessibleInterface *> selectedCells() const override
    {
        QList<QAccessibleInterface *> cells;
        for (const int row : selectedRows())
            cells << child(row);
        return cells;
    }
    QString columnDescription(int) const override { return {}; }
    QString rowDescription(int) const override { return {}; }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return static_cast<int>(selectedRows().size()); }
    int columnCount() const override { return 1; }
    int rowCount() const override { return childCount(); }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override
    {
        QList<int> rows;
        for (const RowRange &range : list()->selectedRanges())
            for (qsizetype i = 0; i < range.count; ++i)
                rows << static_cast<int>(range.first + i);
        return rows;
    }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int row) const override
    {
        return list()->selectionModel()
               && list()->selectionModel()->isRowSelected(row, QModelIndex());
    }
    bool selectRow(int row) override
    {
        if (!list()->isEnabled() || row < 0 || row >= rowCount())
            return false;
        const auto how = list()->multiSelect() ? QItemSelectionModel::Select
                                               : QItemSelectionModel::ClearAndSelect;
        list()->selectionModel()->select(list()->model()->index(row, 0),
                                         how | QItemSelectionModel::Rows);
        return true;
    }
    bool unselectRow(int row) override
    {
        if (!list()->isEnabled() || row < 0 || row >= rowCount())
            return false;
        list()->selectionModel()->select(list()->model()->index(row, 0),
                                         QItemSelectionModel::Deselect | QItemSelectionModel::Rows);
        return true;
    }
    bool selectColumn(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    // The lines are read when asked; nothing is kept to be updated.
    void modelChange(QAccessibleTableModelChangeEvent *) override {}

private:
    TListBox *list() const { return static_cast<TListBox *>(widget()); }

    mutable QHash<int, QAccessible::Id> m_lines;
};

QAccessibleInterface *listInterface(const QString &className, QObject *object)
{
    if (className != QLatin1String(TListBox::staticMetaObject.className()))
        return nullptr;
    return new ListInterface(static_cast<TListBox *>(object));
}

} // namespace

void TListBox::exposeAsList()
{
    static const bool installed = [] {
        QAccessible::installFactory(listInterface);
        return true;
    }();
    Q_UNUSED(installed);
    // The table's interface, made while the view was being built, is dropped
    // for the list's.
    QAccessibleInterface *current = QAccessible::queryAccessibleInterface(this);
    if (current && current->role() != QAccessible::List)
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(current));
}

// The table view tells screen readers of focus and selection by its cells'
// places in a table with headers; the list tells them by line.
void TListBox::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    QAbstractItemView::currentChanged(current, previous);
    if (!QAccessible::isActive() || !current.isValid() || !hasFocus())
        return;
    QAccessibleEvent event(this, QAccessible::Focus);
    event.setChild(current.row());
    QAccessible::updateAccessibility(&event);
}

void TListBox::selectionChanged(const QItemSelection &selected, const QItemSelection &deselected)
{
    QAbstractItemView::selectionChanged(selected, deselected);
    if (!QAccessible::isActive())
        return;
    const auto tell = [this](const QItemSelection &lines, QAccessible::Event change) {
        if (lines.isEmpty())
            return;
        QAccessibleEvent event(this, change);
        event.setChild(lines.first().top());
        QAccessible::updateAccessibility(&event);
    };
    tell(selected, QAccessible::SelectionAdd);
    tell(deselected, QAccessible::SelectionRemove);
}

} // namespace quz::journal
