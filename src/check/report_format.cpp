#include "check/report_format.h"

#include "check/wording.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>

namespace quz::check {

QString summaryLine(const std::vector<Finding> &findings)
{
    int problems = 0;
    QSet<QString> files;
    for (const Finding &finding : findings) {
        files.insert(finding.file);
        problems += finding.severity == Severity::Problem;
    }
    const int notes = static_cast<int>(findings.size()) - problems;
    QString line = problems == 0 ? Text::tr("no problems found")
                                 : Text::tr("%n problem(s)", nullptr, static_cast<int>(problems));
    if (notes > 0)
        line += (problems == 0 ? QStringLiteral(", ") : Text::tr(" and "))
                + Text::tr("%n note(s)", nullptr, static_cast<int>(notes));
    if (!findings.empty())
        line += Text::tr(" in ") + Text::tr("%n file(s)", nullptr, static_cast<int>(files.size()));
    return line;
}

QByteArray formatText(const std::vector<Finding> &findings)
{
    QString out;
    QString previous;
    bool first = true;
    for (const Finding &finding : findings) {
        const QString path = finding.shownPath();
        if (!first && path != previous)
            out += u'\n';
        first = false;
        previous = path;
        out += shownName(path);
        if (finding.line > 0)
            out += u':' + QString::number(finding.line);
        out += QStringLiteral(": ");
        if (finding.severity == Severity::Note)
            out += Text::tr("note: ");
        out += finding.message + u'\n';
    }
    if (!findings.empty())
        out += u'\n';
    out += QStringLiteral("quz-check: ") + summaryLine(findings) + u'\n';
    return out.toUtf8();
}

QByteArray formatJson(const std::vector<Finding> &findings, const QStringList &checked)
{
    QJsonArray list;
    int problems = 0;
    for (const Finding &finding : findings) {
        QJsonObject item;
        item.insert(QStringLiteral("file"), finding.file);
        item.insert(QStringLiteral("path"), finding.shownPath());
        // A name that is not UTF-8 is shown as Windows-1251 text; its bytes
        // go along.
        if (const QByteArray native = finding.nativePath(); native != finding.shownPath().toUtf8())
            item.insert(QStringLiteral("path_bytes"), QString::fromLatin1(native.toHex()));
        item.insert(QStringLiteral("line"),
                    finding.line > 0 ? QJsonValue(finding.line) : QJsonValue(QJsonValue::Null));
        const bool problem = finding.severity == Severity::Problem;
        problems += problem;
        item.insert(QStringLiteral("severity"),
                    problem ? QStringLiteral("problem") : QStringLiteral("note"));
        item.insert(QStringLiteral("kind"), finding.kind);
        item.insert(QStringLiteral("message"), finding.message);
        list.append(item);
    }
    QJsonObject root;
    root.insert(QStringLiteral("checked"), QJsonArray::fromStringList(checked));
    root.insert(QStringLiteral("findings"), list);
    root.insert(QStringLiteral("problems"), problems);
    root.insert(QStringLiteral("notes"), static_cast<int>(findings.size()) - problems);
    root.insert(QStringLiteral("summary"), summaryLine(findings));
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

} // namespace quz::check
