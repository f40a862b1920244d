#pragma once
// The error journal as the journal list shows it: a list model over the
// journal's lines (journal_lines.h), one row per line, with the changes the
// journal window makes. Appending one line and reading the last line cost the
// same however long the journal is; a loaded file arrives as one reset, since
// the list is then filled anew as a whole. Rows are selectable, never
// editable or draggable. Not responsible for selection or the cursor, which
// the window's list holds.
//
// A row shows at most kShownCharacters characters of its line, the start of a
// longer line followed by "…": far more than the list's width can show, and a
// bound on what a row costs to lay out and paint, so that a file with lines of
// megabytes draws as fast as any other. The lines themselves stay whole.

#include "core/journal/journal_lines.h"

#include <QAbstractListModel>

#include <optional>

namespace quz::journal {

class JournalModel : public QAbstractListModel {
public:
    static constexpr qsizetype kShownCharacters = 512;

    explicit JournalModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    const JournalLines &lines() const { return m_lines; }
    // The first kEntryLength characters of the last line (all that the
    // duplicate test reads); nothing for an empty journal.
    std::optional<QString> lastLineStart() const;

    // Appends one line (see JournalLines::append).
    void appendLine(const QString &line);
    // Appends the lines of a loaded file after the last line, in one reset.
    void appendLines(JournalLines lines);
    // Makes `lines` the whole journal.
    void replaceAll(JournalLines lines);
    void clear();
    // Removes the rows of the ranges, which may be given in any order and
    // may overlap. Few runs are removed run by run, so that the view keeps
    // its place; many are removed in one pass and one reset.
    void removeRanges(std::vector<RowRange> ranges);

private:
    JournalLines m_lines;
};

} // namespace quz::journal
