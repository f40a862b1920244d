#pragma once
// What a user does about each kind of finding, in words for a person who
// writes ticket files, not programs.

#include <QString>

namespace quz::check {

// "what to do: ..." for a finding of `kind`; empty for the kinds whose
// message already says it (a conversion, a partial set) and for notes
// that need nothing done.
QString remedy(const QString &kind);

} // namespace quz::check
