#include "core/journal/journal_model.h"

#include "core/files/text_file.h"
#include "core/journal/journal_entries.h"

namespace quz::journal {

namespace {

// Above this many runs of rows, one pass and a reset beat removing each run
// (each of which moves every row below it).
constexpr size_t kRunsRemovedOneByOne = 16;

} // namespace

JournalModel::JournalModel(QObject *parent)
    : QAbstractListModel(parent)
{}

int JournalModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_lines.size());
}

QVariant JournalModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_lines.size()
        || (role != Qt::DisplayRole && role != Qt::AccessibleTextRole))
        return {};
    const std::string_view head = m_lines.headAt(index.row(), kShownCharacters + 1);
    if (static_cast<qsizetype>(head.size()) <= kShownCharacters)
        return files::fromCp1251(head);
    QString shown = files::fromCp1251(head.substr(0, static_cast<size_t>(kShownCharacters)));
    shown += u'…';
    return shown;
}

std::optional<QString> JournalModel::lastLineStart() const
{
    if (m_lines.isEmpty())
        return std::nullopt;
    return files::fromCp1251(m_lines.headAt(m_lines.size() - 1, kEntryLength));
}

Qt::ItemFlags JournalModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

void JournalModel::appendLine(const QString &line)
{
    const int row = rowCount();
    beginInsertRows(QModelIndex(), row, row);
    m_lines.append(line);
    endInsertRows();
}

void JournalModel::appendLines(JournalLines lines)
{
    beginResetModel();
    if (m_lines.isEmpty())
        m_lines = std::move(lines);
    else
        m_lines.append(lines);
    endResetModel();
}

void JournalModel::replaceAll(JournalLines lines)
{
    beginResetModel();
    m_lines = std::move(lines);
    endResetModel();
}

void JournalModel::clear() { replaceAll(JournalLines()); }

void JournalModel::removeRanges(std::vector<RowRange> ranges)
{
    for (RowRange &r : ranges) {
        const qsizetype end = std::min(m_lines.size(), r.first + r.count);
        r.first = std::max<qsizetype>(0, r.first);
        r.count = end - r.first;
    }
    ranges = mergeRanges(std::move(ranges));
    if (ranges.empty())
        return;
    if (ranges.size() > kRunsRemovedOneByOne) {
        beginResetModel();
        m_lines.remove(ranges);
        endResetModel();
        return;
    }
    // From the bottom up, so that the rows of the runs still to go keep
    // their numbers.
    for (auto r = ranges.rbegin(); r != ranges.rend(); ++r) {
        beginRemoveRows(QModelIndex(), static_cast<int>(r->first),
                        static_cast<int>(r->first + r->count - 1));
        m_lines.remove({*r});
        endRemoveRows();
    }
}

} // namespace quz::journal
