// Whole exams over a generated bank with a clock the test moves: answers,
// extra blocks, time-outs, "Закончить", damaged banks, the result page's
// list of errors and the journal quz replays.

#include "core/bank/comment_bank.h"
#include "core/exam/exam_journal.h"
#include "core/exam/exam_session.h"
#include "core/exam/question_index.h"
#include "core/files/text_file.h"
#include "core/journal/journal_entries.h"
#include "core/journal/journal_file.h"
#include "core/journal/journal_walk.h"
#include "fake_monotonic_clock.h"

#include <QElapsedTimer>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

using namespace quz;
using namespace quz::exam;
using namespace Qt::StringLiterals;

namespace {

// The answer digit of a record, or nothing to leave the record out.
using AnswerOf = std::function<std::optional<int>(int ticket, int question)>;

std::optional<int> usualAnswer(int ticket, int question) { return (ticket + question) % 3 + 1; }

// Every ticket and question with three variants, in the question file's
// layout, followed by the line that ends the last record.
QByteArray makeBank(const AnswerOf &answerOf = usualAnswer)
{
    QString text;
    for (int t = 1; t <= kTicketCount; ++t) {
        for (int q = 1; q <= kMainQuestions; ++q) {
            if (const std::optional<int> answer = answerOf(t, q))
                text += QString::asprintf("билет%02d%02d%d\r\nВопрос %d.%d\r\nВариант 1\r\n"
                                          "Вариант 2\r\nВариант 3\r\n",
                                          t, q, *answer, t, q);
        }
    }
    text += u"билет\r\n"_s;
    return QByteArray::fromStdString(files::toCp1251(text));
}

bank::QuestionBank bankOf(const QByteArray &bytes)
{
    bank::QuestionBank b;
    b.setText(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
    return b;
}

// Plays a script: R the right answer, W a wrong one (each a second after the
// last), t the clock to the deadline and a tick of the window's timer, x the
// clock to the deadline without a tick, J an hour later, F "Закончить". Then
// the timer ticks once more.
void play(ExamSession &s, test::FakeMonotonicClock &clock, const QString &script)
{
    for (const QChar step : script) {
        if (step == u'R' || step == u'W') {
            clock.ms += 1000;
            const ExamQuestion *q = s.current();
            const int right = q ? q->rightAnswer() : 1;
            s.answer(step == u'R' ? right : right % 3 + 1);
        } else if (step == u't' || step == u'x') {
            clock.ms += s.remainingMs();
            if (step == u't')
                s.update();
        } else if (step == u'J') {
            clock.ms += 3600 * 1000;
        } else if (step == u'F') {
            s.finishEarly();
        }
    }
    s.update();
}

QString rs(int count) { return QString(count, u'R'); }

} // namespace

class TestExamSession : public QObject {
    Q_OBJECT
private slots:
    void run_data();
    void run();
    void extraBlocks();
    void countdown();
    void damagedBank_data();
    void damagedBank();
    void noExtraQuestions();
    void indexMatchesBank_data();
    void indexMatchesBank();
    void wrongAnswers();
    void journalRoundTrip();
};

void TestExamSession::run_data()
{
    QTest::addColumn<int>("year");
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("verdict");
    // questions of the exam, counted, right, seconds used, minutes allowed
    QTest::addColumn<QString>("figures");

    QTest::newRow("2004: two errors pass")
        << 2004 << u"WRW"_s + rs(17) << u"+Ошибок: 2, допускается не более 2"_s
        << u"20 20 18 20 20"_s;
    QTest::newRow("2004: the third error ends it, later answers ignored")
        << 2004 << u"WWRWRR"_s << u"-Ошибок: 3, допускается не более 2"_s << u"20 4 1 4 20"_s;
    QTest::newRow("2004: time-out, an answer after it does not count")
        << 2004 << u"RRxR"_s << u"-Время вышло, ошибок: 18, допускается не более 2"_s
        << u"20 20 2 1200 20"_s;
    QTest::newRow("2004: ended early")
        << 2004 << rs(18) + u"F"_s << u"+Закончено досрочно, ошибок: 2, допускается не более 2"_s
        << u"20 20 18 18 20"_s;
    QTest::newRow("2016: one error, 25 questions in 25 minutes")
        << 2016 << u"W"_s + rs(24) << u"+Ошибок: 1, дополнительные вопросы без ошибок"_s
        << u"25 25 24 25 25"_s;
    QTest::newRow("2016: errors in two blocks, then one in the extras")
        << 2016 << u"WRRRRW"_s + rs(14) + u"RRW"_s << u"-Ошибка в дополнительных вопросах"_s
        << u"30 23 20 23 30"_s;
    QTest::newRow("2016: time-out with one unanswered")
        << 2016 << rs(19) + u"t"_s + rs(5) << u"+Ошибок: 1, дополнительные вопросы без ошибок"_s
        << u"25 25 24 1205 25"_s;
    QTest::newRow("2016: a clock jump past both deadlines")
        << 2016 << rs(19) + u"J"_s << u"-Время вышло в дополнительных вопросах"_s
        << u"25 25 19 1500 25"_s;
}

void TestExamSession::run()
{
    QFETCH(int, year);
    QFETCH(QString, script);
    const bank::QuestionBank bank = bankOf(makeBank());
    test::FakeMonotonicClock clock;
    clock.ms = 5000; // the clock's zero is not the exam's start
    Rule rule{};
    QVERIFY(ruleOfYear(year, &rule));
    Outcome<ExamSession> started = ExamSession::start(bank, {rule, 9, 1}, clock);
    QVERIFY2(started.ok(), qPrintable(started.error()));
    ExamSession &s = *started;
    play(s, clock, script);

    QCOMPARE(s.state(), ExamSession::State::Finished);
    QTEST(QString(s.passed() ? u'+' : u'-') + s.reason(), "verdict");
    QTEST(u"%1 %2 %3 %4 %5"_s.arg(s.total())
              .arg(s.countedCount())
              .arg(s.rightCount())
              .arg(s.usedMs() / 1000)
              .arg(s.limitMs() / 60000),
          "figures");
    QCOMPARE(s.current(), nullptr);
    QCOMPARE(s.answer(1), Change::None);
    QCOMPARE(s.finishEarly(), Change::None);
}

void TestExamSession::extraBlocks()
{
    // Errors in blocks 1 and 4 of a random ticket: the extra questions are
    // numbers 1-5 and 16-20, each block from one other ticket; the same seed
    // gives the same tickets, other seeds others.
    const bank::QuestionBank bank = bankOf(makeBank());
    QSet<int> mainTickets, extraTickets;
    for (quint32 seed = 0; seed < 40; ++seed) {
        QList<int> tickets;
        for (int round = 0; round < 2; ++round) {
            test::FakeMonotonicClock clock;
            Outcome<ExamSession> s = ExamSession::start(bank, {Rule::Rules2016, {}, seed}, clock);
            QVERIFY(s.ok());
            play(*s, clock, u"RRW"_s + rs(13) + u"WRRR"_s);
            QCOMPARE(s->progressText(), u"Вопрос 21 из 30"_s);
            const std::vector<ExamQuestion> &all = s->questions();
            for (int i = 0; i < 10; ++i) {
                const ExamQuestion &q = all[size_t(20 + i)];
                QVERIFY(q.extra && q.ticket != s->ticket());
                QCOMPARE(q.number, i < 5 ? i + 1 : i + 11);
                QCOMPARE(q.ticket, all[i < 5 ? 20 : 25].ticket);
            }
            tickets << s->ticket() << all[20].ticket << all[25].ticket;
        }
        QCOMPARE(tickets.mid(3), tickets.mid(0, 3));
        mainTickets << tickets[0];
        extraTickets << tickets[1] << tickets[2];
    }
    QVERIFY(mainTickets.size() > 10 && extraTickets.size() > 10);
}

void TestExamSession::countdown()
{
    const bank::QuestionBank bank = bankOf(makeBank());
    test::FakeMonotonicClock clock;
    clock.ms = 1'000'000;
    Outcome<ExamSession> started = ExamSession::start(bank, {Rule::Rules2004, 1, 0}, clock);
    QVERIFY(started.ok());
    ExamSession &s = *started;
    QStringList shown{s.remainingText()};
    for (const qint64 step : {1, 999, 20 * 60 * 1000 - 1001}) {
        clock.ms += step;
        QCOMPARE(s.update(), Change::None);
        shown << s.remainingText();
    }
    // Seconds are rounded up: a minute shows in full until it has passed.
    QCOMPARE(shown, (QStringList{u"Осталось 20:00"_s, u"Осталось 20:00"_s, u"Осталось 19:59"_s,
                                 u"Осталось 00:01"_s}));
    clock.ms += 1;
    QCOMPARE(s.update(), Change::Finished);
    QCOMPARE(clockText(s.usedMs()), u"20:00"_s);
    QCOMPARE(QElapsedTimer::clockType(), QElapsedTimer::MonotonicClock);

    Outcome<ExamSession> closed = ExamSession::start(bank, {Rule::Rules2004, 1, 0}, clock);
    closed->abandon();
    QCOMPARE(closed->state(), ExamSession::State::Abandoned);
    QVERIFY(!closed->passed());
}

void TestExamSession::damagedBank_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("ticket"); // 0: random
    // The failure, or the exam's ticket, its number of questions and notices.
    QTest::addColumn<QString>("expected");

    QByteArray garbage(64 * 1024, '\0');
    for (qsizetype i = 0; i < garbage.size(); ++i)
        garbage[i] = char((i * 7919) % 251);
    const QString noQuestion = u"В файле vopros.txt нет ни одного вопроса"_s;
    QTest::newRow("empty bank") << QByteArray() << 0 << noQuestion;
    QTest::newRow("bytes of no record") << garbage << 0 << noQuestion;
    QTest::newRow("ticket out of range")
        << makeBank() << 41 << u"Нет билета 41: билеты от 1 до 40"_s;
    QTest::newRow("chosen ticket without records")
        << makeBank([](int t, int q) { return t == 5 ? std::nullopt : usualAnswer(t, q); }) << 5
        << noQuestion + u" билета 05"_s;
    QTest::newRow("missing questions are left out") << makeBank([](int t, int q) {
        return t == 5 && (q == 7 || q == 12) ? std::nullopt : usualAnswer(t, q);
    }) << 5 << u"05 18 Билет 05, вопросы 07, 12: нет в файле vopros.txt"_s;
    QTest::newRow("answer beyond the variants")
        << makeBank([](int t, int q) { return t == 5 && q == 3 ? 4 : usualAnswer(t, q); }) << 5
        << u"05 19 Билет 05, вопрос 03: нет верного ответа"_s;
    QTest::newRow("random ticket: the one complete ticket") << makeBank([](int t, int q) {
        return t != 23 && q == 20 ? std::nullopt : usualAnswer(t, q);
    }) << 0 << u"23 20 "_s;
}

void TestExamSession::damagedBank()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, ticket);
    const bank::QuestionBank bank = bankOf(bytes);
    test::FakeMonotonicClock clock;
    const std::optional<int> chosen = ticket ? std::optional<int>(ticket) : std::nullopt;
    Outcome<ExamSession> s = ExamSession::start(bank, {Rule::Rules2004, chosen, 3}, clock);
    if (!s.ok()) {
        QTEST(s.error(), "expected");
        return;
    }
    QTEST(u"%1 %2 %3"_s.arg(s->ticketText()).arg(s->total()).arg(s->notices().join(u" | "_s)),
          "expected");
    // The exam runs to its end with the questions it has.
    play(*s, clock, rs(s->total()));
    QVERIFY(s->passed());
    QCOMPARE(s->countedCount(), s->total());
}

void TestExamSession::noExtraQuestions()
{
    // Only ticket 1 in the bank: the extra block the error calls for cannot
    // be found, and the exam ends, not passed, saying why.
    const bank::QuestionBank bank =
        bankOf(makeBank([](int t, int q) { return t == 1 ? usualAnswer(t, q) : std::nullopt; }));
    test::FakeMonotonicClock clock;
    Outcome<ExamSession> s = ExamSession::start(bank, {Rule::Rules2016, {}, 0}, clock);
    QVERIFY(s.ok());
    play(*s, clock, u"W"_s + rs(19));
    QCOMPARE(s->state(), ExamSession::State::Finished);
    QVERIFY(!s->passed());
    QCOMPARE(s->reason(), u"Нет вопросов для дополнительного блока"_s);
    QCOMPARE(s->notices(),
             QStringList{u"Дополнительный блок, вопросы 01–05: нет ни в одном другом билете"_s});
}

void TestExamSession::indexMatchesBank_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QFile demo(QStringLiteral(QUZ_DEMO_DATA_DIR "/vopros.txt"));
    QVERIFY(demo.open(QIODevice::ReadOnly));
    QTest::newRow("demonstration bank") << demo.readAll();
    QTest::newRow("records left out")
        << makeBank([](int t, int q) { return (t * q) % 7 ? usualAnswer(t, q) : std::nullopt; });
    QTest::newRow("keys inside lines, twice, out of range, at the very end")
        << QByteArray::fromStdString(
               files::toCp1251(u"x билет0101 в строке\nбилет01013\nQ\na\nb\n\nбилет01022\nQ2\nc\n"
                               "билет0102 снова\nбилет40213\nQ\nd\nбилет4020"_s));
}

void TestExamSession::indexMatchesBank()
{
    QFETCH(QByteArray, bytes);
    const bank::QuestionBank bank = bankOf(bytes);
    const QuestionIndex index(bank);
    const auto shown = [](const bank::Question &q) {
        return u"%1|%2|%3|%4"_s.arg(int(q.found)).arg(q.answer, q.text, q.variants.join(u'|'));
    };
    for (int t = 1; t <= kTicketCount; ++t) {
        for (int q = 1; q <= kMainQuestions; ++q) {
            const QString tt = u"%1"_s.arg(t, 2, 10, QChar(u'0'));
            const QString qq = u"%1"_s.arg(q, 2, 10, QChar(u'0'));
            QCOMPARE(shown(index.lookup(t, q)), shown(bank.lookup(tt, qq)));
        }
    }
}

void TestExamSession::wrongAnswers()
{
    const bank::QuestionBank bank = bankOf(makeBank());
    QString commentText = u"Комментарии\r\nбилет05\r\n"_s;
    for (int q = 1; q <= 20; ++q)
        commentText += u"%1. Пояснение %1\r\nещё строка\r\n"_s.arg(q);
    bank::CommentBank comments;
    comments.setText(files::toCp1251(commentText + u"21.\r\n"_s));

    // Ticket 5 answers 3 at question 3, 1 at 19 and 2 at 20 (usualAnswer).
    test::FakeMonotonicClock clock;
    Outcome<ExamSession> s = ExamSession::start(bank, {Rule::Rules2004, 5, 0}, clock);
    QVERIFY(s.ok());
    play(*s, clock, u"RRW"_s + rs(15) + u"F"_s);
    QStringList shown;
    for (const WrongAnswer &w : s->wrongAnswers(&comments))
        shown << u"%1/%2 %3 «%4», %5 «%6»: %7"_s.arg(w.ticket)
                     .arg(w.number)
                     .arg(w.given)
                     .arg(w.givenText)
                     .arg(w.right)
                     .arg(w.rightText, w.comment);
    QCOMPARE(shown, (QStringList{u"5/3 1 «Вариант 1», 3 «Вариант 3»: 3. Пояснение 3\nещё строка"_s,
                                 u"5/19 0 «», 1 «Вариант 1»: 19. Пояснение 19\nещё строка"_s,
                                 u"5/20 0 «», 2 «Вариант 2»: 20. Пояснение 20\nещё строка"_s}));
    QCOMPARE(s->wrongAnswers(nullptr).front().comment, QString());
}

void TestExamSession::journalRoundTrip()
{
    // An error at question 1 and another at question 1 of the extra block's
    // ticket: both entries are written, though their numbers are equal.
    const bank::QuestionBank bank = bankOf(makeBank());
    test::FakeMonotonicClock clock;
    Outcome<ExamSession> s = ExamSession::start(bank, {Rule::Rules2016, 5, 11}, clock);
    QVERIFY(s.ok());
    play(*s, clock, u"W"_s + rs(19) + u"W"_s);
    QVERIFY(!s->passed());
    const QString extraTicket = s->questions()[20].ticketText();

    QTemporaryDir dir;
    const QString path = dir.filePath(u"экзамен.quz"_s);
    QVERIFY(writeErrorJournal(path, *s, u"07.12.2026 0:08:40"_s).ok());
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray::fromStdString(files::toCp1251(
                                 u"Старт 07.12.2026 0:08:40 Билет 05\r\n-> 05 вопрос 01\r\n-> "_s
                                 + extraTicket + u" вопрос 01\r\n"_s)));

    // quz's reader and its answer mode walk find both questions.
    const Outcome<journal::JournalLines> lines = journal::readJournalFile(path);
    QVERIFY(lines.ok());
    QStringList asked;
    for (journal::WalkStep step = journal::walk(*lines, -1); step.found;
         step = journal::walk(*lines, step.cursor))
        asked << step.entry.ticket + u'/' + step.entry.question;
    QCOMPARE(asked, (QStringList{u"05/01"_s, extraTicket + u"/01"_s}));
}

QTEST_GUILESS_MAIN(TestExamSession)
#include "tst_exam_session.moc"
