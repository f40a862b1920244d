#include "ui/journal/list_box_widget.h"

#include "core/files/native_names.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QMimeData>
#include <QMouseEvent>
#include <QUrl>

namespace quz::journal {

TListBox::TListBox(QWidget *parent)
    : QTableView(parent)
{
    horizontalHeader()->hide();
    horizontalHeader()->setStretchLastSection(true);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setMinimumSectionSize(1);
    setCornerButtonEnabled(false);
    setShowGrid(false);
    setWordWrap(false);
    setTextElideMode(Qt::ElideNone);
    setTabKeyNavigation(false);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    // Drops arrive at the viewport, which hands them to this view.
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    setDropIndicatorShown(false);
    // The line being answered stays visible in the disabled list.
    QPalette p = palette();
    for (const QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText})
        p.setColor(QPalette::Disabled, role, p.color(QPalette::Inactive, role));
    setPalette(p);
    fitRowHeight();
    exposeAsList();
}

void TListBox::setMultiSelect(bool multi)
{
    setSelectionMode(multi ? QAbstractItemView::ExtendedSelection
                           : QAbstractItemView::SingleSelection);
}

bool TListBox::multiSelect() const
{
    return selectionMode() == QAbstractItemView::ExtendedSelection;
}

bool TListBox::hasSelectedRows() const
{
    return selectionModel() && selectionModel()->hasSelection();
}

std::vector<RowRange> TListBox::selectedRanges() const
{
    std::vector<RowRange> ranges;
    if (!selectionModel())
        return ranges;
    const QItemSelection selection = selectionModel()->selection();
    ranges.reserve(static_cast<size_t>(selection.size()));
    for (const QItemSelectionRange &r : selection)
        ranges.push_back({r.top(), r.bottom() - r.top() + 1});
    return mergeRanges(std::move(ranges));
}

int TListBox::firstSelectedRow() const
{
    const std::vector<RowRange> ranges = selectedRanges();
    return ranges.empty() ? -1 : static_cast<int>(ranges.front().first);
}

int TListBox::focusRow() const
{
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.row() : -1;
}

void TListBox::selectOnly(int row)
{
    if (!selectionModel())
        return;
    if (row < 0 || !model() || row >= model()->rowCount()) {
        selectionModel()->clearSelection();
        return;
    }
    const QModelIndex index = model()->index(row, 0);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect
                                                 | QItemSelectionModel::Rows);
    scrollTo(index);
}

QStringList TListBox::localFiles(const QMimeData *data)
{
    QStringList files;
    if (!data || !data->hasUrls())
        return files;
    for (const QUrl &url : data->urls()) {
        if (!url.isLocalFile())
            continue;
        QString path = url.toLocalFile();
        // A name that is not UTF-8 stays percent-encoded in the URL: taken
        // from there in its readable form, it still finds the file.
        if (path.contains(QChar::ReplacementCharacter) && url.host().isEmpty())
            path = files::readablePath(
                QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()));
        if (!path.isEmpty())
            files << path;
    }
    return files;
}

void TListBox::mousePressEvent(QMouseEvent *event)
{
    // A right-button press opens the popup menu over the selection as it is.
    if (event->button() == Qt::RightButton) {
        event->accept();
        return;
    }
    QTableView::mousePressEvent(event);
}

void TListBox::mouseDoubleClickEvent(QMouseEvent *event)
{
    QTableView::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton)
        emit dblClick();
}

void TListBox::dragEnterEvent(QDragEnterEvent *event)
{
    if (localFiles(event->mimeData()).isEmpty()) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

void TListBox::dragMoveEvent(QDragMoveEvent *event)
{
    if (localFiles(event->mimeData()).isEmpty()) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

void TListBox::dropEvent(QDropEvent *event)
{
    const QStringList files = localFiles(event->mimeData());
    if (files.isEmpty()) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
    emit filesDropped(files);
}

void TListBox::changeEvent(QEvent *event)
{
    QTableView::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        fitRowHeight();
}

void TListBox::fitRowHeight() { verticalHeader()->setDefaultSectionSize(fontMetrics().height()); }

} // namespace quz::journal
