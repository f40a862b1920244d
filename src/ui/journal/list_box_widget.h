#pragma once
// A list box of text lines over a list model: one column without headers,
// rows of one text line each, no editing. It switches between multiple
// (extended) and single selection, reports the runs of selected rows, leaves
// the selection alone on a right-button press (the popup menu acts on it),
// reports every left double-click, and takes files dropped from the file
// manager. Built on a table view, whose fixed-height rows keep appending to
// and removing from a list of a million lines as cheap as from a short one;
// screen readers see a list of lines (list_box_access.cpp).

#include "core/journal/journal_lines.h"

#include <QStringList>
#include <QTableView>

#include <vector>

class QMimeData;

namespace quz::journal {

class TListBox : public QTableView {
    Q_OBJECT
public:
    explicit TListBox(QWidget *parent = nullptr);

    // Multiple (extended) selection when true, one line at a time otherwise.
    void setMultiSelect(bool multi);
    bool multiSelect() const;

    bool hasSelectedRows() const;
    std::vector<RowRange> selectedRanges() const;
    // The first selected row, -1 when none is.
    int firstSelectedRow() const;
    // The row that has the focus, -1 when none has.
    int focusRow() const;
    // Selects `row` alone, gives it the focus and scrolls it into view; -1
    // selects nothing.
    void selectOnly(int row);

    // The local files a drop carries, in its order; a name that is not UTF-8
    // in its readable form (native_names.h).
    static QStringList localFiles(const QMimeData *data);

signals:
    // A left double-click anywhere in the list.
    void dblClick();
    // Files were dropped onto the list; at least one.
    void filesDropped(const QStringList &paths);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void changeEvent(QEvent *event) override;
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    void selectionChanged(const QItemSelection &selected,
                          const QItemSelection &deselected) override;

private:
    void fitRowHeight();
    void exposeAsList();
};

} // namespace quz::journal
