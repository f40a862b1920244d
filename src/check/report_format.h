#pragma once
// The two forms of a report: lines for a person ("file:line: message",
// grouped by file, then a one-line summary) and a JSON document for tools.

#include "check/finding.h"

#include <QByteArray>

namespace quz::check {

// "file:line: message" lines (notes marked "note:"), a blank line between
// files, and the summary line; UTF-8.
QByteArray formatText(const std::vector<Finding> &findings);

// The summary line, e.g. "2 problems and 1 note in 2 files" or
// "no problems found".
QString summaryLine(const std::vector<Finding> &findings);

// {"findings": [{"file", "path", "line", "severity", "kind", "message"}],
//  "problems": n, "notes": n, "checked": [...]}; "line" is null for a finding
// about a whole file.
QByteArray formatJson(const std::vector<Finding> &findings, const QStringList &checked);

} // namespace quz::check
