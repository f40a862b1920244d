#pragma once
// What the command line of quz-exam may hold, apart from how it is read (the
// programs' shared reader in app/common does that, before any window
// exists):
//
//   quz-exam [--rule 2004|2016] [--ticket N] [--seed N] [--stats] [--help] [--version]
//
// Here are the exam's own parts: its options with their value names and
// descriptions, the checks of their values, and the options as one value.
// Not responsible for parsing, printing or exiting.

#include "core/exam/exam_rules.h"
#include "core/files/outcome.h"

#include <QList>
#include <QString>

#include <optional>

namespace quz::exam {

// The exam's options as given.
struct ExamOptions {
    std::optional<Rule> rule;    // --rule: the exam starts at once, no start page
    std::optional<int> ticket;   // --ticket: 1..40
    std::optional<quint32> seed; // --seed: every random choice reproducible
    bool stats = false;          // --stats: the statistics page
};

// One option of the help: its long name without dashes, the name of its
// value (empty for a switch) and what it does.
struct OptionText {
    QString name;
    QString valueName;
    QString description;
};

// The line under the usage line of the help.
QString programDescription();
// The exam's own options, in the order of the help.
QList<OptionText> optionTexts();

// The values of --rule, --ticket and --seed, checked: plain decimal digits
// only (no sign, no blanks). The failure says what was given and what is
// allowed.
Outcome<Rule> ruleValue(const QString &text);
Outcome<int> ticketValue(const QString &text);
Outcome<quint32> seedValue(const QString &text);

} // namespace quz::exam
