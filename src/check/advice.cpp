#include "check/advice.h"

#include <QStringDecoder>

namespace quz::check {

namespace {

// Whether bash's single quotes show `text` as it is: UTF-8 without control,
// format or line-separating characters (which could move the cursor, hide a
// part of the line or change its direction).
bool isPlainText(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringConverter::Utf8);
    const QString text = utf8.decode(bytes);
    if (utf8.hasError())
        return false;
    for (const QChar c : text) {
        switch (c.category()) {
        case QChar::Other_Control:
        case QChar::Other_Format:
        case QChar::Separator_Line:
        case QChar::Separator_Paragraph: return false;
        default: break;
        }
    }
    return true;
}

QString encodingName(Encoding from)
{
    switch (from) {
    case Encoding::Utf8:
    case Encoding::Utf8WithMark: return QStringLiteral("UTF-8");
    case Encoding::Utf16: return QStringLiteral("UTF-16");
    case Encoding::Utf16Le: return QStringLiteral("UTF-16LE");
    case Encoding::Utf16Be: return QStringLiteral("UTF-16BE");
    case Encoding::None: break;
    }
    return {};
}

} // namespace

QString shellQuoted(QByteArray path)
{
    if (path.startsWith('-'))
        path.prepend("./");
    if (isPlainText(path))
        return u'\'' + QString::fromUtf8(path).replace(u'\'', QStringLiteral("'\\''")) + u'\'';
    QString quoted = QStringLiteral("$'");
    for (const char byte : path) {
        const auto c = static_cast<unsigned char>(byte);
        if (c == '\'' || c == '\\')
            quoted += QLatin1Char('\\');
        if (c >= 0x20 && c < 0x7f)
            quoted += QLatin1Char(byte);
        else
            quoted += QStringLiteral("\\x%1").arg(c, 2, 16, QLatin1Char('0'));
    }
    return quoted + u'\'';
}

QString conversionCommand(const QByteArray &path, Encoding from)
{
    const QString file = shellQuoted(path);
    const QString temporary = shellQuoted(path + ".new");
    // A byte-order mark has no Windows-1251 character: it is left out.
    const QString convert =
        from == Encoding::Utf8WithMark
            ? QStringLiteral("tail -c +4 %1 | iconv -f UTF-8 -t WINDOWS-1251").arg(file)
            : QStringLiteral("iconv -f %1 -t WINDOWS-1251 %2").arg(encodingName(from), file);
    return QStringLiteral("%1 > %2 && mv %2 %3 || { rm -f %2; false; }")
        .arg(convert, temporary, file);
}

} // namespace quz::check
