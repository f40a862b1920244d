#include "core/exam/command_line.h"

namespace quz::exam {

namespace {

// A decimal number of plain digits no larger than `maximum`.
std::optional<quint64> plainNumber(const QString &text, quint64 maximum)
{
    if (text.isEmpty() || text.size() > 20)
        return std::nullopt;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
    }
    bool ok = false;
    const quint64 value = text.toULongLong(&ok);
    if (!ok || value > maximum)
        return std::nullopt;
    return value;
}

} // namespace

QString programDescription()
{
    return QStringLiteral("Rehearse the driving-licence theory examination: one ticket under the "
                          "rules of 2004 or 2016, against the clock, with a verdict.");
}

QList<OptionText> optionTexts()
{
    return {
        {QStringLiteral("rule"), QStringLiteral("2004|2016"),
         QStringLiteral("Use these rules and start the exam at once, without the start page.")},
        {QStringLiteral("ticket"), QStringLiteral("N"),
         QStringLiteral("Ask ticket N (1 to 40) instead of a random one.")},
        {QStringLiteral("seed"), QStringLiteral("N"),
         QStringLiteral("Make every random choice (the ticket, the added blocks) from N (0 to "
                        "4294967295), so that the same command gives the same exams again.")},
        {QStringLiteral("stats"), QString(),
         QStringLiteral("Open the window on its statistics page (the learning record of both "
                        "programs) instead of the exam page; with --rule the exam comes first.")},
    };
}

Outcome<Rule> ruleValue(const QString &text)
{
    Rule rule{};
    const std::optional<quint64> year = plainNumber(text, 9999);
    if (!year || !ruleOfYear(static_cast<int>(*year), &rule))
        return Failure{QStringLiteral("invalid value '%1' for --rule: use 2004 or 2016").arg(text)};
    return rule;
}

Outcome<int> ticketValue(const QString &text)
{
    const std::optional<quint64> ticket = plainNumber(text, kTicketCount);
    if (!ticket || *ticket < 1)
        return Failure{QStringLiteral("invalid ticket '%1': use a number from 1 to %2")
                           .arg(text)
                           .arg(kTicketCount)};
    return static_cast<int>(*ticket);
}

Outcome<quint32> seedValue(const QString &text)
{
    const std::optional<quint64> seed = plainNumber(text, 0xFFFFFFFFu);
    if (!seed)
        return Failure{
            QStringLiteral("invalid seed '%1': use a whole number from 0 to 4294967295").arg(text)};
    return static_cast<quint32>(*seed);
}

} // namespace quz::exam
