#pragma once
// What the data checker reports: one finding per thing the program would
// misread, with the line of the file as an editor shows it, and the set of
// questions it looked at.

#include "check/advice.h"

#include <QString>
#include <QStringList>

#include <map>
#include <vector>

namespace quz::check {

enum class Severity {
    Problem, // the program shows something other than what the file means
    Note,    // worth knowing, but the program reads it as meant
};

struct Finding {
    QString file; // as the user names it: "vopros.txt", "bmp/Quz_07_05.jpg", a journal path
    int line = 0; // 1-based line in an editor; 0 when the finding is about the whole file
    Severity severity = Severity::Problem;
    QString kind; // a stable identifier such as "question.header-length"
    QString message;
    // The file as the user reaches it (the directory they named joined with
    // `file`); empty when that is `file` itself.
    QString path = {};
    // The bytes the system names that file by; empty when they are `file`'s
    // or `path`'s text in UTF-8.
    QByteArray native = {};
    // The encoding the file is in when a conversion to Windows-1251 mends it.
    Encoding conversion = Encoding::None;

    const QString &shownPath() const { return path.isEmpty() ? file : path; }
    QByteArray nativePath() const { return native.isEmpty() ? shownPath().toUtf8() : native; }
};

// The tickets and questions the program asks for. The program always asks
// for 40 x 20; smaller sets keep hand-written test data short.
struct Scope {
    int tickets = 40;
    int questions = 20;
};

// One question as the program displays it, for every key in the scope whose
// record exists.
struct QuestionSummary {
    QString ticket;    // "01".."40"
    QString question;  // "01".."20"
    int line = 0;      // line of the header the program reads
    QString answer;    // the answer digit the program takes
    int variants = 0;  // the variant lines the record holds
    bool good = false; // no finding concerns this record
};

struct Report {
    std::vector<Finding> findings;
    std::vector<QuestionSummary> questions;
    int problems() const;
    int notes() const;
};

// At most this many findings of one kind are worded per file; a badly
// damaged file then gives a short report, and quickly.
inline constexpr int kFindingsPerKind = 50;

// Counts the findings of each kind a check makes.
class KindLimit {
public:
    // Counts one more finding of `kind`; whether it is to be kept.
    bool keep(const QString &kind) { return ++m_counts[kind] <= kFindingsPerKind; }
    // Whether no more findings of `kind` are kept: a check may then count one
    // with keep() without wording it.
    bool full(const QString &kind) const
    {
        const auto it = m_counts.find(kind);
        return it != m_counts.end() && it->second >= kFindingsPerKind;
    }
    // Adds a note about each kind with findings that were not kept.
    void addNotes(std::vector<Finding> &findings, const QString &file) const;

private:
    std::map<QString, int> m_counts;
};

// Sorts the findings for output: files in the order given (others after them,
// by name), then by line, keeping the order of equal lines.
void sortFindings(std::vector<Finding> &findings, const QStringList &fileOrder);

} // namespace quz::check
