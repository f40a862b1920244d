#include "core/exam/exam_rules.h"

#include <algorithm>
#include <array>

namespace quz::exam {

namespace {

using Kind = Decision::Kind;

bool isError(Mark mark) { return mark == Mark::Wrong || mark == Mark::Missed; }

// The counts one decision needs, main and extra questions apart.
struct Tally {
    int mainErrors = 0;
    std::array<int, kBlockCount> blockErrors{};
    bool mainPending = false;
    bool hasExtra = false;
    int extraWrong = 0;
    int extraMissed = 0;
    bool extraPending = false;
    int missed = 0;
};

Tally tally(const std::vector<JudgedQuestion> &questions)
{
    Tally t;
    for (const JudgedQuestion &q : questions) {
        if (q.mark == Mark::Missed)
            ++t.missed;
        if (q.extra) {
            t.hasExtra = true;
            t.extraWrong += q.mark == Mark::Wrong;
            t.extraMissed += q.mark == Mark::Missed;
            t.extraPending = t.extraPending || q.mark == Mark::Pending;
            continue;
        }
        t.mainPending = t.mainPending || q.mark == Mark::Pending;
        if (isError(q.mark)) {
            ++t.mainErrors;
            ++t.blockErrors[static_cast<size_t>(blockOf(q.number))];
        }
    }
    return t;
}

QString errorsAllowed(int errors)
{
    return QStringLiteral("Ошибок: %1, допускается не более %2").arg(errors).arg(kErrorsAllowed);
}

// The reason of a decision that the time or "Закончить" brought about says so
// first: "Время вышло, ошибок: 3, допускается не более 2".
QString withCause(Trigger trigger, const QString &reason)
{
    if (trigger == Trigger::Answer || reason.isEmpty())
        return reason;
    const QString cause = trigger == Trigger::TimeOut ? QStringLiteral("Время вышло")
                                                      : QStringLiteral("Закончено досрочно");
    return cause + QStringLiteral(", ") + reason.front().toLower() + reason.mid(1);
}

Decision verdict(Kind kind, Trigger trigger, const QString &reason)
{
    return Decision{kind, {}, withCause(trigger, reason)};
}

Decision decide2004(const Tally &t, Trigger trigger)
{
    if (t.mainErrors > kErrorsAllowed)
        return verdict(Kind::Failed, trigger, errorsAllowed(t.mainErrors));
    if (t.mainPending)
        return {};
    return verdict(Kind::Passed, trigger,
                   t.mainErrors == 0 ? QStringLiteral("Ошибок нет") : errorsAllowed(t.mainErrors));
}

Decision decideExtra2016(const Tally &t, Trigger trigger)
{
    if (t.extraWrong > 0)
        return verdict(Kind::Failed, Trigger::Answer,
                       QStringLiteral("Ошибка в дополнительных вопросах"));
    if (t.extraMissed > 0) {
        if (trigger == Trigger::TimeOut)
            return verdict(Kind::Failed, Trigger::Answer,
                           QStringLiteral("Время вышло в дополнительных вопросах"));
        return verdict(Kind::Failed, trigger, QStringLiteral("Без ответа: %1").arg(t.missed));
    }
    if (t.extraPending)
        return {};
    return verdict(
        Kind::Passed, Trigger::Answer,
        QStringLiteral("Ошибок: %1, дополнительные вопросы без ошибок").arg(t.mainErrors));
}

Decision decide2016(const Tally &t, Trigger trigger)
{
    if (t.hasExtra)
        return decideExtra2016(t, trigger);
    if (*std::max_element(t.blockErrors.begin(), t.blockErrors.end()) >= 2)
        return verdict(Kind::Failed, trigger, QStringLiteral("Две ошибки в одном блоке"));
    if (t.mainErrors > kErrorsAllowed)
        return verdict(Kind::Failed, trigger, errorsAllowed(t.mainErrors));
    if (t.mainPending)
        return {};
    if (t.mainErrors == 0)
        return verdict(Kind::Passed, trigger, QStringLiteral("Ошибок нет"));
    // Ended early with errors that call for extra questions, which will not
    // be asked now.
    if (trigger == Trigger::Finish)
        return verdict(Kind::Failed, trigger, QStringLiteral("Без ответа: %1").arg(t.missed));
    Decision add{Kind::AddBlocks, {}, {}};
    for (int block = 0; block < kBlockCount; ++block) {
        if (t.blockErrors[static_cast<size_t>(block)] > 0)
            add.blocks.push_back(block);
    }
    return add;
}

} // namespace

int ruleYear(Rule rule) { return rule == Rule::Rules2004 ? 2004 : 2016; }

bool ruleOfYear(int year, Rule *rule)
{
    if (year != 2004 && year != 2016)
        return false;
    *rule = year == 2004 ? Rule::Rules2004 : Rule::Rules2016;
    return true;
}

QString ruleTitle(Rule rule) { return QStringLiteral("Правила %1 года").arg(ruleYear(rule)); }

QString ruleSummary(Rule rule)
{
    if (rule == Rule::Rules2004)
        return QStringLiteral("Один билет, 20 вопросов, 20 минут; допускается не более двух "
                              "ошибок");
    return QStringLiteral("4 блока по 5 вопросов, 20 минут; за ошибку 5 дополнительных "
                          "вопросов и 5 минут; две ошибки в одном блоке или три ошибки — не сдан");
}

int blockOf(int questionNumber)
{
    return std::clamp((questionNumber - 1) / kBlockSize, 0, kBlockCount - 1);
}

Decision decide(Rule rule, const std::vector<JudgedQuestion> &questions, Trigger trigger)
{
    const Tally t = tally(questions);
    return rule == Rule::Rules2004 ? decide2004(t, trigger) : decide2016(t, trigger);
}

} // namespace quz::exam
