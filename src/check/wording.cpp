#include "check/wording.h"

#include "core/files/text_file.h"

#include <QLocale>
#include <QTranslator>

namespace quz::check {

namespace {
bool g_english = true;
} // namespace

bool messagesInEnglish() { return g_english; }

void installTranslation(const QLocale &locale)
{
    static QTranslator translator;
    QCoreApplication::removeTranslator(&translator);
    const QString language =
        locale.language() == QLocale::Russian ? QStringLiteral("ru") : QStringLiteral("en");
    g_english = language == QStringLiteral("en");
    if (translator.load(QStringLiteral(":/i18n/quz-check_") + language))
        QCoreApplication::installTranslator(&translator);
}

QString quote(std::string_view cp1251, int max) { return quote(files::fromCp1251(cp1251), max); }

QString quote(const QString &text, int max)
{
    QString shown;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (shown.size() >= max) {
            shown += QChar(0x2026);
            break;
        }
        const QChar c = text.at(i);
        if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n')
            continue;
        if (c == u'\n' || c == u'\r')
            shown += QChar(0x23ce);
        else if ((c.category() == QChar::Other_Control && c != u'\t')
                 || c.category() == QChar::Other_Format)
            shown += QChar(0x00b7);
        else
            shown += c;
    }
    return QStringLiteral("«") + shown + QStringLiteral("»");
}

QString shownName(const QString &name)
{
    QString shown = name;
    for (QChar &c : shown) {
        if (c == u'\n' || c == u'\r')
            c = QChar(0x23ce);
        else if (c.category() == QChar::Other_Control || c.category() == QChar::Other_Format
                 || c.category() == QChar::Separator_Line
                 || c.category() == QChar::Separator_Paragraph)
            c = QChar(0x00b7);
    }
    return shown;
}

QString lineRange(int first, int last)
{
    if (last <= first)
        return Text::tr("line %1").arg(first);
    return Text::tr("lines %1-%2").arg(first).arg(last);
}

QString notShown(int first, int last)
{
    if (last <= first)
        return Text::tr("line %1 is not shown").arg(first);
    return Text::tr("lines %1-%2 are not shown").arg(first).arg(last);
}

QString keyName(const QString &ticket, const QString &question)
{
    return QStringLiteral("«билет") + ticket + question + QStringLiteral("»");
}

QString twoDigits(int n) { return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')); }

} // namespace quz::check
