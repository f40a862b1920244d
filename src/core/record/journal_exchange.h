#pragma once
// The record meets quz's journal files both ways: the error entries of a
// saved journal are added to the record as wrong answers ("Добавить
// журналы…"), and chosen weak questions are written as a journal that quz
// replays in its journal answer mode ("Сохранить как журнал…"). The entries
// are quz's own (core/journal/journal_entries.h), the files its journal files.

#include "core/files/outcome.h"
#include "core/journal/journal_lines.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <vector>

namespace quz::record {

// One of the 800 questions.
struct QuestionRef {
    int ticket = 0;   // 1..40
    int question = 0; // 1..20
    friend bool operator==(const QuestionRef &, const QuestionRef &) = default;
};

// The error entries of a journal file: every line that begins with '-' and
// names a ticket 1..40 and a question 1..20 in two digits at characters 4-5
// and 14-15, in file order; the other lines beginning with '-' are counted as
// unreadable.
struct JournalErrors {
    std::vector<QuestionRef> entries;
    int unreadable = 0;
};
JournalErrors journalErrors(const QByteArray &journalBytes);

// A journal file chosen for import: its name (as the record keeps it) and its
// whole content.
struct JournalFile {
    QString name;
    QByteArray bytes;
};

// Reads the journal file at `path` through the file layer (its size limit).
Outcome<JournalFile> readJournalForImport(const QString &path);

// A journal that quz replays: the start entry "Старт <nowText> Билет <first
// question's ticket>" and one error entry per question, in the order given,
// with two-digit numbers. No question gives the start entry alone.
journal::JournalLines weakQuestionJournal(const QString &nowText,
                                          const std::vector<QuestionRef> &questions);

// Writes that journal to `path` as quz writes its journal files (Windows-1251,
// CR LF, replacing the file atomically).
Status writeWeakQuestionJournal(const QString &path, const QString &nowText,
                                const std::vector<QuestionRef> &questions);

} // namespace quz::record
