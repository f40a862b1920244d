#pragma once
// Small helpers that the checks share to word their findings.

#include <QCoreApplication>
#include <QLocale>
#include <QString>

#include <string_view>

namespace quz::check {

// The checker's messages in the user's language: Text::tr() through Qt's
// translation system (src/check/translations/quz-check_*.ts, embedded in
// the program; installTranslation() picks the one for the locale). The
// English file holds only the plural forms.
class Text {
    Q_DECLARE_TR_FUNCTIONS(Text)
};

// Loads the messages for `locale`: Russian for a Russian locale, English
// otherwise (replacing the ones loaded before). Needs a QCoreApplication.
void installTranslation(const QLocale &locale = QLocale::system());
// Whether the messages loaded last are the English ones.
bool messagesInEnglish();

// A piece of a Windows-1251 file as the user reads it, between « and »:
// line breaks shown as "⏎", other control and format characters as "·" (none
// reaches the terminal), cut to at most
// `max` characters with "…".
QString quote(std::string_view cp1251, int max = 40);
QString quote(const QString &text, int max = 40);

// A file name or path as the terminal may show it: line breaks as "⏎",
// other control and format characters as "·", so that a name can neither
// drive the terminal nor split a finding.
QString shownName(const QString &name);

// "line 12" or "lines 12-15" (1-based numbers given).
QString lineRange(int first, int last);
// "line 12 is not shown" or "lines 12-15 are not shown".
QString notShown(int first, int last);

// "билет" + ticket + question as text, e.g. «билет0507».
QString keyName(const QString &ticket, const QString &question);

// Two-digit number text: 7 -> "07".
QString twoDigits(int n);

} // namespace quz::check
