#include "core/exam/exam_session.h"

#include "core/bank/comment_bank.h"
#include "core/bank/data_files.h"
#include "core/files/text_file.h"

#include <algorithm>
#include <utility>

namespace quz::exam {

namespace {

constexpr qint64 kMinuteMs = 60 * 1000;

QString twoDigits(int number) { return QStringLiteral("%1").arg(number, 2, 10, QLatin1Char('0')); }

// Why the bank cannot give a question for the exam; nothing when it can. A
// question must have variants and an answer digit 1..5 that names one of
// them, or no answer could be right.
std::optional<QString> problemOf(const bank::Question &q)
{
    if (!q.found)
        return QStringLiteral("нет в файле %1").arg(bank::questionFileName());
    if (q.variants.isEmpty())
        return QStringLiteral("нет вариантов ответа");
    const int answer = q.answer.size() == 1 ? q.answer.front().digitValue() : -1;
    if (answer < 1 || answer > 5 || answer > q.variants.size())
        return QStringLiteral("нет верного ответа");
    return std::nullopt;
}

// The questions `first`..`first + count - 1` of one ticket that the bank can
// give, and the numbers it cannot give with the reason.
struct TicketPart {
    int ticket = 0;
    std::vector<ExamQuestion> questions;
    std::vector<std::pair<int, QString>> missing;
    bool complete() const { return missing.empty(); }
};

TicketPart readPart(const QuestionIndex &index, int ticket, int first, int count, bool extra)
{
    TicketPart part;
    part.ticket = ticket;
    for (int number = first; number < first + count; ++number) {
        ExamQuestion q;
        q.ticket = ticket;
        q.number = number;
        q.extra = extra;
        q.question = index.lookup(ticket, number);
        if (const std::optional<QString> problem = problemOf(q.question))
            part.missing.emplace_back(number, *problem);
        else
            part.questions.push_back(std::move(q));
    }
    return part;
}

// "Билет 05, вопросы 07, 12: нет в файле vopros.txt", one line per reason.
QStringList noticesOf(const TicketPart &part)
{
    QStringList lines;
    std::vector<bool> done(part.missing.size(), false);
    for (size_t i = 0; i < part.missing.size(); ++i) {
        if (done[i])
            continue;
        QStringList numbers;
        for (size_t j = i; j < part.missing.size(); ++j) {
            if (part.missing[j].second == part.missing[i].second) {
                numbers << twoDigits(part.missing[j].first);
                done[j] = true;
            }
        }
        lines << QStringLiteral("Билет %1, %2 %3: %4")
                     .arg(twoDigits(part.ticket),
                          numbers.size() == 1 ? QStringLiteral("вопрос")
                                              : QStringLiteral("вопросы"),
                          numbers.join(QStringLiteral(", ")), part.missing[i].second);
    }
    return lines;
}

// A random one of `candidates` whose questions `first`.. are all there; when
// none is complete, the first in the same random order that has any; nothing
// when none has any. The tickets are read in random order only as far as
// needed, so a sound bank costs one ticket's lookups.
std::optional<TicketPart> drawPart(const QuestionIndex &index, QRandomGenerator &random,
                                   std::vector<int> candidates, int first, int count, bool extra)
{
    for (size_t i = candidates.size(); i > 1; --i)
        std::swap(candidates[i - 1], candidates[random.bounded(static_cast<quint32>(i))]);
    std::optional<TicketPart> partial;
    for (const int ticket : candidates) {
        TicketPart part = readPart(index, ticket, first, count, extra);
        if (part.complete())
            return part;
        if (!partial && !part.questions.empty())
            partial = std::move(part);
    }
    return partial;
}

QString withoutLineEnds(const QString &item)
{
    QString text = files::displayText(item);
    while (text.endsWith(u'\n'))
        text.chop(1);
    return text;
}

QString variantText(const bank::Question &q, int digit)
{
    if (digit < 1 || digit > q.variants.size())
        return {};
    return withoutLineEnds(q.variants.at(digit - 1));
}

} // namespace

int ExamQuestion::rightAnswer() const { return question.answer.front().digitValue(); }
QString ExamQuestion::ticketText() const { return twoDigits(ticket); }
QString ExamQuestion::numberText() const { return twoDigits(number); }

QString clockText(qint64 ms)
{
    const qint64 seconds = std::max<qint64>(0, ms) / 1000;
    return QStringLiteral("%1:%2")
        .arg(seconds / 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

ExamSession::ExamSession(const bank::QuestionBank &bank, const ExamSetup &setup,
                         const MonotonicClock &clock)
    : m_index(bank)
    , m_clock(&clock)
    , m_rule(setup.rule)
    , m_seed(setup.seed)
    , m_random(setup.seed)
{}

Outcome<ExamSession> ExamSession::start(const bank::QuestionBank &bank, const ExamSetup &setup,
                                        const MonotonicClock &clock)
{
    if (setup.ticket && (*setup.ticket < 1 || *setup.ticket > kTicketCount))
        return Failure{QStringLiteral("Нет билета %1: билеты от 1 до %2")
                           .arg(*setup.ticket)
                           .arg(kTicketCount)};
    ExamSession session(bank, setup, clock);
    std::optional<TicketPart> part;
    if (setup.ticket) {
        part = readPart(session.m_index, *setup.ticket, 1, kMainQuestions, false);
        if (part->questions.empty())
            return Failure{QStringLiteral("В файле %1 нет ни одного вопроса билета %2")
                               .arg(bank::questionFileName(), twoDigits(*setup.ticket))};
    } else {
        std::vector<int> tickets(kTicketCount);
        for (int t = 0; t < kTicketCount; ++t)
            tickets[static_cast<size_t>(t)] = t + 1;
        part = drawPart(session.m_index, session.m_random, std::move(tickets), 1, kMainQuestions,
                        false);
        if (!part)
            return Failure{
                QStringLiteral("В файле %1 нет ни одного вопроса").arg(bank::questionFileName())};
    }
    session.m_ticket = part->ticket;
    session.m_notices = noticesOf(*part);
    session.m_questions = std::move(part->questions);
    session.m_start = clock.nowMs();
    session.m_deadline = session.m_start + kMainMinutes * kMinuteMs;
    return session;
}

QString ExamSession::ticketText() const { return twoDigits(m_ticket); }

const ExamQuestion *ExamSession::current() const
{
    if (!isRunning())
        return nullptr;
    return &m_questions[static_cast<size_t>(m_current)];
}

QString ExamSession::progressText() const
{
    return QStringLiteral("Вопрос %1 из %2").arg(position()).arg(total());
}

qint64 ExamSession::remainingMs() const
{
    return isRunning() ? std::max<qint64>(0, m_deadline - now()) : 0;
}

QString ExamSession::remainingText() const
{
    return QStringLiteral("Осталось ") + clockText((remainingMs() + 999) / 1000 * 1000);
}

qint64 ExamSession::usedMs() const
{
    const qint64 end = isRunning() ? std::min(now(), m_deadline) : m_end;
    return std::max<qint64>(0, end - m_start);
}

Change ExamSession::answer(int digit)
{
    if (!isRunning())
        return Change::None;
    // An answer that comes after the time ran out does not count.
    if (const Change change = update(); change != Change::None)
        return change;
    ExamQuestion &q = m_questions[static_cast<size_t>(m_current)];
    if (digit < 1 || digit > 5 || digit > q.question.variants.size())
        return Change::None;
    q.given = digit;
    q.mark = digit == q.rightAnswer() ? Mark::Right : Mark::Wrong;
    return apply(decide(m_rule, judged(), Trigger::Answer), Trigger::Answer);
}

Change ExamSession::update()
{
    Change change = Change::None;
    // Extra time added at a time-out may itself be over already (a clock that
    // jumped), so the time is looked at again until the exam has time left
    // or is over.
    while (isRunning() && now() >= m_deadline) {
        missPending();
        change = apply(decide(m_rule, judged(), Trigger::TimeOut), Trigger::TimeOut);
    }
    return change;
}

Change ExamSession::finishEarly()
{
    if (!isRunning())
        return Change::None;
    update();
    if (!isRunning())
        return Change::Finished;
    missPending();
    return apply(decide(m_rule, judged(), Trigger::Finish), Trigger::Finish);
}

void ExamSession::abandon()
{
    if (!isRunning())
        return;
    m_end = std::min(now(), m_deadline);
    m_state = State::Abandoned;
    m_passed = false;
    m_reason = QStringLiteral("Экзамен прерван");
}

Change ExamSession::apply(const Decision &decision, Trigger trigger)
{
    switch (decision.kind) {
    case Decision::Kind::Passed:
    case Decision::Kind::Failed:
        finish(decision.kind == Decision::Kind::Passed, decision.reason);
        return Change::Finished;
    case Decision::Kind::AddBlocks: {
        const int first = total();
        int added = 0;
        for (const int block : decision.blocks)
            added += addBlock(block) ? 1 : 0;
        if (added == 0) {
            finish(false, QStringLiteral("Нет вопросов для дополнительного блока"));
            return Change::Finished;
        }
        m_deadline += added * kExtraBlockMinutes * kMinuteMs;
        m_current = first;
        return Change::BlocksAdded;
    }
    case Decision::Kind::Continue: break;
    }
    const auto next = std::find_if(m_questions.begin(), m_questions.end(),
                                   [](const ExamQuestion &q) { return q.mark == Mark::Pending; });
    // The rules go on only while a question is pending, and never after the
    // time or "Закончить" has settled every question.
    if (trigger != Trigger::Answer || next == m_questions.end()) {
        finish(false, trigger == Trigger::TimeOut ? QStringLiteral("Время вышло")
                                                  : QStringLiteral("Экзамен прерван"));
        return Change::Finished;
    }
    m_current = static_cast<int>(next - m_questions.begin());
    return Change::Next;
}

bool ExamSession::addBlock(int block)
{
    std::vector<int> others;
    for (int t = 1; t <= kTicketCount; ++t) {
        if (t != m_ticket)
            others.push_back(t);
    }
    std::optional<TicketPart> part =
        drawPart(m_index, m_random, std::move(others), block * kBlockSize + 1, kBlockSize, true);
    if (!part) {
        m_notices << QStringLiteral("Дополнительный блок, вопросы %1–%2: нет ни в одном другом "
                                    "билете")
                         .arg(twoDigits(block * kBlockSize + 1),
                              twoDigits((block + 1) * kBlockSize));
        return false;
    }
    m_notices << noticesOf(*part);
    for (ExamQuestion &q : part->questions)
        m_questions.push_back(std::move(q));
    return true;
}

void ExamSession::finish(bool passed, const QString &reason)
{
    m_end = std::min(now(), m_deadline);
    m_state = State::Finished;
    m_passed = passed;
    m_reason = reason;
}

void ExamSession::missPending()
{
    for (ExamQuestion &q : m_questions) {
        if (q.mark == Mark::Pending)
            q.mark = Mark::Missed;
    }
}

std::vector<JudgedQuestion> ExamSession::judged() const
{
    std::vector<JudgedQuestion> all;
    all.reserve(m_questions.size());
    for (const ExamQuestion &q : m_questions)
        all.push_back({q.number, q.extra, q.mark});
    return all;
}

int ExamSession::countedCount() const
{
    return static_cast<int>(
        std::count_if(m_questions.begin(), m_questions.end(),
                      [](const ExamQuestion &q) { return q.mark != Mark::Pending; }));
}

int ExamSession::rightCount() const
{
    return static_cast<int>(
        std::count_if(m_questions.begin(), m_questions.end(),
                      [](const ExamQuestion &q) { return q.mark == Mark::Right; }));
}

std::vector<WrongAnswer> ExamSession::wrongAnswers(const bank::CommentBank *comments) const
{
    std::vector<WrongAnswer> wrong;
    for (const ExamQuestion &q : m_questions) {
        if (q.mark != Mark::Wrong && q.mark != Mark::Missed)
            continue;
        WrongAnswer w;
        w.ticket = q.ticket;
        w.number = q.number;
        w.extra = q.extra;
        w.question = q.question.text;
        w.given = q.given;
        w.right = q.rightAnswer();
        w.givenText = variantText(q.question, q.given);
        w.rightText = variantText(q.question, w.right);
        if (comments)
            w.comment = files::displayText(comments->lookup(q.ticketText(), q.numberText()));
        wrong.push_back(std::move(w));
    }
    return wrong;
}

} // namespace quz::exam
