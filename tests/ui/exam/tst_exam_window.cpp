// The window of quz-exam on the offscreen platform: its three screens, the
// answer keys, "Закончить", the countdown, closing during an exam, the saved
// journal as quz replays it, a program folder with parts missing, the
// answers and exams in the learning record, and the statistics page. The
// countdown runs on a clock the test moves; the dialogs are the recording
// fakes.

#include "fake_monotonic_clock.h"
#include "fakes.h"

#include "core/exam/exam_settings.h"
#include "core/journal/journal_file.h"
#include "core/journal/journal_walk.h"
#include "core/record/database_file.h"
#include "core/record/history.h"
#include "core/record/recorder.h"
#include "ui/exam/exam_page.h"
#include "ui/exam/exam_window.h"
#include "ui/exam/notice_area.h"
#include "ui/exam/question_screen.h"
#include "ui/exam/result_screen.h"
#include "ui/exam/start_screen.h"
#include "ui/exam/stats_module_loader.h"
#include "ui/stats/stats_page.h"

#include <QCheckBox>

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QTextBrowser>
#include <QToolButton>

using namespace quz;
using namespace quz::examui;
using namespace quz::test;
using namespace Qt::StringLiterals;

namespace {

constexpr qint64 kMinute = 60 * 1000;

// A program folder with the small question file (answer 2 is right, three
// variants), comments for every question and the sample picture; a window
// over it, shown and active.
struct Fixture {
    enum Opening { OpenNow, OpenLater };
    // The folder's files (none with `withFiles` false) and, unless asked to
    // wait, the window over them.
    explicit Fixture(Opening opening = OpenNow, bool withFiles = true)
    {
        if (withFiles) {
            dir.write(u"vopros.txt"_s, smallQuestionFile());
            QString comments;
            for (int t = 1; t <= 40; ++t) {
                comments += u"билет%1\r\n"_s.arg(t, 2, 10, QChar(u'0'));
                for (int q = 1; q <= 21; ++q)
                    comments += u"%1. Комментарий %2-%1.\r\n"_s.arg(q).arg(t);
            }
            dir.writeCp1251(u"koment.txt"_s, comments);
            dir.write(u"bmp/Quz_1_10.jpg"_s, QByteArray());
        }
        if (opening == OpenNow)
            open();
    }
    void open(const exam::ExamOptions &options = {})
    {
        recorder = std::make_unique<record::Recorder>(record::Recorder::Options{
            record::databasePath(dir.dir.path()), exam::settingsFilePath(dir.dir.path()),
            record::Program::QuzExam});
        window = std::make_unique<ExamWindow>(
            dir.services, clock, *recorder,
            [](const Services &s, record::Recorder &r, QWidget *parent) {
                return new stats::StatsPage(s, r, parent);
            },
            options);
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }
    ExamPage *page() const { return window->examPage; }
    QuestionScreen *screen() const { return page()->questionScreen; }
    ResultScreen *result() const { return page()->resultScreen; }
    const exam::ExamSession *session() const { return page()->session(); }

    void start(exam::Rule rule, int ticket)
    {
        page()->setChoice({rule, false, ticket});
        page()->startScreen->startButton->click();
    }
    // Answers with the keys, as the learner would, through whichever
    // control has the focus.
    void answer(const QString &digits)
    {
        for (const QChar d : digits) {
            QWidget *target = QApplication::focusWidget();
            QTest::keyClick(target ? target : window.get(), d.toLatin1());
        }
    }
    QString questionText() const { return screen()->questionView->Vopros->text(); }
    // The learning record once everything handed over is written.
    record::History history() const
    {
        if (!recorder->waitForWrites(5000))
            return {};
        Outcome<record::History> read =
            record::readHistory(recorder->databasePath(), QDate::currentDate());
        return read ? std::move(read).value() : record::History{};
    }

    ProgramDir dir;
    FakeMonotonicClock clock;
    std::unique_ptr<record::Recorder> recorder;
    std::unique_ptr<ExamWindow> window;
};

} // namespace

class TstExamWindow : public QObject {
    Q_OBJECT
private slots:
    void startScreenKeepsTheChoice_data();
    void startScreenKeepsTheChoice();
    void ruleOnCommandLineStartsAtOnce();
    void exam_data();
    void exam();
    void answerShowsNoSignAndOnlyRealButtonsCount();
    void countdown();
    void endingAsksFirst_data();
    void endingAsksFirst();
    void savedJournalReplaysAsQuzWalksIt();
    void damagedFolder_data();
    void damagedFolder();
    void statsPage_data();
    void statsPage();
    void statsPageFromTheModule_data();
    void statsPageFromTheModule();
};

void TstExamWindow::startScreenKeepsTheChoice_data()
{
    QTest::addColumn<QString>("section");  // [exam] as the file holds it
    QTest::addColumn<int>("ticketOption"); // --ticket, 0 for none
    QTest::addColumn<QString>("shown");    // rule, random, ticket as shown
    QTest::newRow("first start") << QString() << 0 << u"2016 1 1"_s;
    QTest::newRow("remembered 2004, ticket 12")
        << u"[exam]\r\nrule=2004\r\nrandomTicket=0\r\nticket=12\r\n"_s << 0 << u"2004 0 12"_s;
    QTest::newRow("--ticket over a remembered random ticket")
        << u"[exam]\r\nrule=2004\r\nrandomTicket=1\r\nticket=3\r\n"_s << 33 << u"2004 0 33"_s;
}

void TstExamWindow::startScreenKeepsTheChoice()
{
    QFETCH(QString, section);
    QFETCH(int, ticketOption);
    exam::ExamOptions options;
    if (ticketOption)
        options.ticket = ticketOption;
    Fixture fx(Fixture::OpenLater);
    fx.dir.writeSettings(u"[prg]\r\nnBilet=07\r\n"_s + section);
    fx.open(options);
    QCOMPARE(fx.window->windowTitle(), u"QUZ — экзамен"_s);
    QCOMPARE(fx.window->pages->tabText(0), u"Экзамен"_s);
    QCOMPARE(fx.page()->screen(), ExamPage::Screen::Start);
    StartScreen *s = fx.page()->startScreen;
    QTEST(u"%1 %2 %3"_s.arg(s->rule2004->isChecked() ? 2004 : 2016)
              .arg(int(s->randomTicket->isChecked()))
              .arg(s->ticketNumber->value()),
          "shown");
    QCOMPARE(s->ticketNumber->isEnabled(), s->chosenTicket->isChecked());

    // The learner's new choice is what the section keeps; quz's keys stay.
    s->rule2016->click();
    s->randomTicket->click();
    QVERIFY(fx.window->close());
    const QString written = QString::fromLatin1(fx.dir.settings());
    QVERIFY2(written.contains(u"rule=2016"_s) && written.contains(u"randomTicket=1"_s)
                 && written.contains(u"nBilet=07"_s),
             qPrintable(written));
}

void TstExamWindow::ruleOnCommandLineStartsAtOnce()
{
    Fixture fx(Fixture::OpenLater);
    fx.open({.rule = exam::Rule::Rules2004, .ticket = 7, .seed = {}, .stats = false});
    QCOMPARE(fx.page()->screen(), ExamPage::Screen::Question);
    QCOMPARE(fx.screen()->progress->text(), u"Вопрос 1 из 20"_s);
    QCOMPARE(fx.screen()->remaining->text(), u"Осталось 20:00"_s);
    QCOMPARE(fx.questionText(), u"Вопрос 0701"_s);

    // The same seed gives the same random ticket, exam after exam.
    QStringList tickets;
    for (int run = 0; run < 2; ++run) {
        Fixture seeded(Fixture::OpenLater);
        seeded.open({.rule = exam::Rule::Rules2016, .ticket = {}, .seed = 4242, .stats = false});
        QString seen = seeded.session()->ticketText();
        seeded.page()->abandonExam();
        QVERIFY(seeded.page()->startExam());
        tickets << seen + u' ' + seeded.session()->ticketText();
        seeded.page()->abandonExam();
    }
    QCOMPARE(tickets.at(0), tickets.at(1));
}

void TstExamWindow::exam_data()
{
    QTest::addColumn<exam::Rule>("rule");
    QTest::addColumn<QString>("answers"); // keys pressed; 2 is the right answer
    // The progress line after the last answer but one, and the result.
    QTest::addColumn<QString>("progress");
    QTest::addColumn<QString>("verdict");
    QTest::addColumn<QString>("reason");
    QTest::addColumn<QString>("counts"); // time line, right answers line
    QTest::addColumn<int>("wrong");

    QTest::newRow("2004, two errors: passed")
        << exam::Rule::Rules2004 << u"12212"_s + u"2"_s.repeated(15) << u"Вопрос 20 из 20"_s
        << u"Экзамен сдан"_s << u"Ошибок: 2, допускается не более 2"_s
        << u"Время: 00:00 из 20:00 | Верных ответов: 18 из 20"_s << 2;
    QTest::newRow("2004, the third error ends it")
        << exam::Rule::Rules2004 << u"1221221"_s << u"Вопрос 7 из 20"_s << u"Экзамен не сдан"_s
        << u"Ошибок: 3, допускается не более 2"_s
        << u"Время: 00:00 из 20:00 | Верных ответов: 4 из 7"_s << 3;
    QTest::newRow("2016, one error: an extra block, passed")
        << exam::Rule::Rules2016 << u"2221"_s + u"2"_s.repeated(16 + 5) << u"Вопрос 25 из 25"_s
        << u"Экзамен сдан"_s << u"Ошибок: 1, дополнительные вопросы без ошибок"_s
        << u"Время: 00:00 из 25:00 | Верных ответов: 24 из 25"_s << 1;
    QTest::newRow("2016, two errors in one block fail at once")
        << exam::Rule::Rules2016 << u"22121"_s << u"Вопрос 5 из 20"_s << u"Экзамен не сдан"_s
        << u"Две ошибки в одном блоке"_s << u"Время: 00:00 из 20:00 | Верных ответов: 3 из 5"_s
        << 2;
}

void TstExamWindow::exam()
{
    QFETCH(exam::Rule, rule);
    QFETCH(QString, answers);
    Fixture fx;
    fx.start(rule, 9);
    QCOMPARE(fx.page()->screen(), ExamPage::Screen::Question);
    fx.answer(answers.chopped(1));
    QTEST(fx.screen()->progress->text(), "progress");
    fx.answer(answers.right(1));

    QCOMPARE(fx.page()->screen(), ExamPage::Screen::Result);
    QTEST(fx.result()->verdict->text(), "verdict");
    QTEST(fx.result()->reason->text(), "reason");
    QTEST(fx.result()->timeUsed->text() + u" | "_s + fx.result()->rightAnswers->text(), "counts");
    QFETCH(int, wrong);
    QCOMPARE(fx.result()->errorsTitle->text(), u"Ошибки (%1):"_s.arg(wrong));
    // Each wrong answer with its ticket and question, both answers and the
    // comment of koment.txt.
    const QString listed = fx.result()->errors->toPlainText();
    QCOMPARE(listed.count(u"Ваш ответ: 1. Первый"_s), wrong);
    QCOMPARE(listed.count(u"Верный ответ: 2. Второй"_s), wrong);
    const qsizetype first = answers.indexOf(u'1') + 1;
    QVERIFY2(listed.startsWith(u"Билет 09, вопрос %1"_s.arg(first, 2, 10, QChar(u'0'))),
             qPrintable(listed));
    QVERIFY2(listed.contains(u"%1. Комментарий 9-%1."_s.arg(first)), qPrintable(listed));
    QCOMPARE(fx.result()->saveButton->isEnabled(), true);

    // The record holds the exam and each of its answers once.
    const record::History h = fx.history();
    QCOMPARE(h.summary.exams, 1);
    const record::ExamResult &e = h.exams.front();
    QTEST(e.reason, "reason");
    QCOMPARE(e.passed, fx.session()->passed());
    QCOMPARE(u"%1 %2 %3 %4"_s.arg(e.rule).arg(e.ticket).arg(e.asked).arg(e.errors),
             u"%1 9 %2 %3"_s.arg(exam::ruleYear(rule)).arg(answers.size()).arg(wrong));
    QCOMPARE(h.summary.answers, answers.size());
    QCOMPARE(h.summary.right, answers.size() - wrong);
}

void TstExamWindow::answerShowsNoSignAndOnlyRealButtonsCount()
{
    Fixture fx;
    fx.start(exam::Rule::Rules2004, 1);
    question::QuestionView *view = fx.screen()->questionView;
    const QColor resting = view->variantColor();
    // A wrong answer by a click moves straight on, in the same colours.
    QVERIFY(view->clickAnswer(1));
    QCOMPARE(fx.questionText(), u"Вопрос 0102"_s);
    QCOMPARE(view->variantColor(), resting);
    QVERIFY(fx.dir.dialogs.shown.isEmpty());
    // Keys without a button (4, 5 of three variants), with Ctrl, or held
    // down answer nothing.
    QTest::keyClick(fx.screen(), Qt::Key_4);
    QTest::keyClick(fx.screen(), Qt::Key_2, Qt::ControlModifier);
    QKeyEvent held(QEvent::KeyPress, Qt::Key_2, Qt::NoModifier, u"2"_s, true);
    QApplication::sendEvent(fx.screen(), &held);
    QCOMPARE(fx.questionText(), u"Вопрос 0102"_s);
    QCOMPARE(fx.session()->questions().at(0).given, 1);
    QCOMPARE(fx.session()->questions().at(1).given, 0);
}

void TstExamWindow::countdown()
{
    Fixture fx;
    fx.start(exam::Rule::Rules2016, 2);
    fx.answer(u"21"_s); // one error so far
    fx.clock.ms = 20 * kMinute - 1500;
    QTRY_COMPARE(fx.screen()->remaining->text(), u"Осталось 00:02"_s);
    // The time runs out in the main questions: the one unanswered error more
    // in another block brings the extra blocks and their time.
    fx.clock.ms = 20 * kMinute;
    QTRY_COMPARE(fx.page()->screen(), ExamPage::Screen::Result);
    QCOMPARE(fx.result()->verdict->text(), u"Экзамен не сдан"_s);
    QVERIFY2(fx.result()->reason->text().startsWith(u"Время вышло"_s),
             qPrintable(fx.result()->reason->text()));
    QCOMPARE(fx.result()->timeUsed->text(), u"Время: 20:00 из 20:00"_s);
    QCOMPARE(fx.result()->rightAnswers->text(), u"Верных ответов: 1 из 20"_s);
}

void TstExamWindow::endingAsksFirst_data()
{
    QTest::addColumn<bool>("byClosing"); // the window's close, else "Закончить"
    QTest::addColumn<bool>("confirmed");
    // The exam as the record keeps it: questions counted, errors, its line.
    QTest::addColumn<QString>("recorded");
    const QString finished = u"20 18 Закончено досрочно, ошибок: 18, допускается не более 2"_s;
    QTest::newRow("Закончить, then going on") << false << false << finished;
    QTest::newRow("Закончить, confirmed") << false << true << finished;
    QTest::newRow("closing, then going on") << true << false << finished;
    // Abandoned: not passed, with the two answers given.
    QTest::newRow("closing, confirmed") << true << true << u"2 0 Экзамен прерван"_s;
}

void TstExamWindow::endingAsksFirst()
{
    QFETCH(bool, byClosing);
    QFETCH(bool, confirmed);
    Fixture fx;
    fx.start(exam::Rule::Rules2004, 3);
    fx.answer(u"22"_s);
    // The answers are in the record before the exam ends: a program killed
    // now would keep them.
    QCOMPARE(fx.history().summary.answers, 2);
    QCOMPARE(fx.history().summary.exams, 0);
    fx.dir.dialogs.confirmAnswers.push_back(confirmed);
    if (byClosing)
        QCOMPARE(fx.window->close(), confirmed);
    else
        fx.screen()->finishButton->click();
    QCOMPARE(fx.dir.dialogs.confirmations.size(), qsizetype(1));
    QCOMPARE(fx.dir.dialogs.confirmations.at(0).accept,
             byClosing ? u"Прервать экзамен"_s : u"Закончить"_s);
    if (!confirmed) {
        QCOMPARE(fx.screen()->progress->text(), u"Вопрос 3 из 20"_s);
        QVERIFY(fx.window->isVisible() && fx.session()->isRunning());
        QVERIFY(!fx.dir.settings().contains("[exam]"));
        // Once the exam is over, closing asks nothing more.
        fx.page()->finishExam();
        QVERIFY(fx.window->close());
        QCOMPARE(fx.dir.dialogs.confirmations.size(), qsizetype(1));
    } else if (byClosing) {
        QCOMPARE(fx.session()->state(), exam::ExamSession::State::Abandoned);
        QVERIFY(!fx.session()->passed());
        QVERIFY(fx.dir.settings().contains("[exam]"));
    } else {
        // The 18 unanswered questions count as errors.
        QCOMPARE(fx.result()->verdict->text(), u"Экзамен не сдан"_s);
        QCOMPARE(fx.result()->rightAnswers->text(), u"Верных ответов: 2 из 20"_s);
        QCOMPARE(fx.result()->errorsTitle->text(), u"Ошибки (18):"_s);
        QVERIFY(fx.result()->errors->toPlainText().contains(u"Ваш ответ: нет ответа"_s));
    }
    const record::History h = fx.history();
    QCOMPARE(h.exams.size(), size_t(1));
    const record::ExamResult &e = h.exams.front();
    QTEST(u"%1 %2 %3"_s.arg(e.asked).arg(e.errors).arg(e.reason), "recorded");
    QVERIFY(!e.passed);
    QCOMPARE(h.summary.answers, e.asked);
}

void TstExamWindow::savedJournalReplaysAsQuzWalksIt()
{
    Fixture fx;
    fx.start(exam::Rule::Rules2004, 11);
    fx.answer(u"22122212"_s + u"2"_s.repeated(12));
    QCOMPARE(fx.result()->verdict->text(), u"Экзамен сдан"_s);

    const QString bad = fx.dir.path(u"no/such/folder/x.quz"_s);
    const QString good = fx.dir.path(u"ошибки.quz"_s);
    fx.dir.dialogs.answers = {bad, good};
    fx.result()->saveButton->click();
    QCOMPARE(fx.dir.dialogs.errors().size(), qsizetype(1));
    QVERIFY(!fx.result()->saved->isVisible());
    fx.result()->saveButton->click();
    // The chooser of quz's journal window, the last name offered again.
    QCOMPARE(fx.dir.dialogs.requests.size(), qsizetype(2));
    const OpenFileRequest &request = fx.dir.dialogs.requests.at(1);
    QCOMPARE(request.defaultSuffix, u"quz"_s);
    QCOMPARE(request.filter, u"Ошибки QUZ|*.quz"_s);
    QCOMPARE(request.initialFile, bad);
    QVERIFY(fx.result()->saved->isVisible());
    QVERIFY(fx.result()->saved->text().endsWith(good));

    Outcome<journal::JournalLines> read = journal::readJournalFile(good);
    QVERIFY(read.ok());
    QCOMPARE(read->size(), qsizetype(3));
    QVERIFY2(read->at(0).contains(fx.dir.clock.text), qPrintable(read->at(0)));
    QStringList walked;
    for (journal::WalkStep step = journal::walk(*read, 0); step.found;
         step = journal::walk(*read, step.cursor))
        walked << step.entry.ticket + u'/' + step.entry.question;
    QCOMPARE(walked, (QStringList{u"11/03"_s, u"11/07"_s}));
}

void TstExamWindow::damagedFolder_data()
{
    QTest::addColumn<QByteArray>("questions"); // vopros.txt; null for none
    QTest::addColumn<bool>("extras");          // koment.txt and the picture set
    QTest::addColumn<QByteArray>("picture");   // bmp/Quz_5_1.jpg; null for none
    QTest::addColumn<QString>("startNotice");  // in the start screen's line
    QTest::addColumn<QString>("examNotice");   // in the exam's; empty: no exam starts

    QByteArray gap = smallQuestionFile();
    const QByteArray record = cp1251(u"билет05072\r\n"_s);
    gap.replace(record, cp1251(u"билетХХХХ2\r\n"_s));
    QTest::newRow("no question file")
        << QByteArray() << true << QByteArray() << u"нет файла вопросов vopros.txt"_s << QString();
    QTest::newRow("question file of noise")
        << QByteArray(5000, '\x97') << true << QByteArray()
        << u"В файле vopros.txt нет ни одного вопроса билета 05"_s << QString();
    QTest::newRow("a ticket without its 7th question")
        << gap << true << QByteArray() << QString()
        << u"Билет 05, вопрос 07: нет в файле vopros.txt"_s;
    QTest::newRow("no comments, no pictures")
        << smallQuestionFile() << false << QByteArray()
        << u"Файл комментариев koment.txt не прочитан"_s << u"Картинки к билетам не найдены"_s;
    QTest::newRow("a damaged picture")
        << smallQuestionFile() << true << QByteArray("not a picture") << QString()
        << u"Рисунок bmp/Quz_5_1.jpg не читается (JPEG error #"_s;
}

void TstExamWindow::damagedFolder()
{
    QFETCH(QByteArray, questions);
    QFETCH(bool, extras);
    QFETCH(QByteArray, picture);
    QFETCH(QString, startNotice);
    QFETCH(QString, examNotice);
    Fixture fx(Fixture::OpenLater, false);
    if (!questions.isNull())
        fx.dir.write(u"vopros.txt"_s, questions);
    if (extras) {
        fx.dir.writeCp1251(u"koment.txt"_s, u"билет05\r\n1. К.\r\n"_s);
        fx.dir.write(u"bmp/Quz_1_10.jpg"_s, QByteArray());
    }
    if (!picture.isNull())
        fx.dir.write(u"bmp/Quz_5_1.jpg"_s, picture);
    fx.open();

    fx.start(exam::Rule::Rules2004, 5);
    StartScreen *s = fx.page()->startScreen;
    if (examNotice.isEmpty()) {
        QCOMPARE(fx.page()->screen(), ExamPage::Screen::Start);
        QVERIFY2(s->notices->isVisible() && s->notices->text().contains(startNotice),
                 qPrintable(s->notices->text()));
        return;
    }
    QCOMPARE(fx.page()->screen(), ExamPage::Screen::Question);
    if (!startNotice.isEmpty())
        QVERIFY2(s->notices->text().contains(startNotice), qPrintable(s->notices->text()));
    QTRY_VERIFY2(fx.screen()->notices->isVisible()
                     && fx.screen()->notices->text().contains(examNotice),
                 qPrintable(fx.screen()->notices->text()));
    // The exam runs on with what there is, to its result.
    fx.page()->finishExam();
    QCOMPARE(fx.page()->screen(), ExamPage::Screen::Result);
    QCOMPARE(fx.result()->verdict->text(), u"Экзамен не сдан"_s);
}

void TstExamWindow::statsPage_data()
{
    QTest::addColumn<bool>("stats");    // --stats
    QTest::addColumn<bool>("rule");     // --rule 2004
    QTest::addColumn<bool>("writable"); // the record can be written
    QTest::newRow("exam page first") << false << false << true;
    QTest::newRow("--stats") << true << false << true;
    QTest::newRow("--stats with --rule: the exam first") << true << true << true;
    QTest::newRow("a folder in the record's place") << false << false << false;
}

void TstExamWindow::statsPage()
{
    QFETCH(bool, stats);
    QFETCH(bool, rule);
    QFETCH(bool, writable);
    Fixture fx(Fixture::OpenLater);
    // The program's own name: its settings file is quz.ini all the same.
    fx.dir.services.exePath = fx.dir.path(u"quz-exam"_s);
    if (!writable)
        QVERIFY(QDir().mkdir(record::databasePath(fx.dir.dir.path())));
    exam::ExamOptions options{.rule = {}, .ticket = 6, .seed = {}, .stats = stats};
    if (rule)
        options.rule = exam::Rule::Rules2004;
    fx.open(options);
    QTabWidget *pages = fx.window->pages;
    QCOMPARE(pages->tabText(ExamWindow::StatsTab), u"Статистика"_s);
    // Built, and the record read, only when first shown.
    QCOMPARE(fx.window->statsPage() != nullptr, stats && !rule);
    QCOMPARE(pages->currentIndex(), stats && !rule ? 1 : 0);
    QCOMPARE(pages->isTabEnabled(ExamWindow::StatsTab), !rule);

    // An exam with errors, then the page.
    if (!rule) {
        pages->setCurrentIndex(ExamWindow::ExamTab);
        fx.start(exam::Rule::Rules2004, 6);
        QVERIFY(!pages->isTabEnabled(ExamWindow::StatsTab));
    }
    fx.answer(u"1211"_s);
    QCOMPARE(fx.page()->screen(), ExamPage::Screen::Result);
    QVERIFY(pages->isTabEnabled(ExamWindow::StatsTab));
    QVERIFY(fx.recorder->waitForWrites(5000));
    pages->setCurrentIndex(ExamWindow::StatsTab);
    auto *page = qobject_cast<stats::StatsPage *>(fx.window->statsPage());
    QVERIFY(page && page->isVisible());
    QVERIFY(fx.dir.dialogs.shown.isEmpty());
    if (!writable) {
        QCOMPARE(fx.recorder->state().kind, record::RecordState::Kind::Unavailable);
        QVERIFY2(page->status()->text().startsWith(fx.recorder->state().text),
                 qPrintable(page->status()->text()));
        return;
    }
    QTRY_COMPARE(page->findChild<QLabel *>(u"exams"_s)->text(), u"1, сдано 0"_s);
    QCOMPARE(page->history().summary.answers, 4);
    // The switch is quz.ini's, where quz reads it too.
    page->recordingSwitch()->click();
    const QByteArray ini = fx.dir.read(u"quz.ini"_s);
    QVERIFY2(ini.contains("[record]"), ini.constData());
    QVERIFY(!fx.dir.exists(u"quz-exam.ini"_s));
}

void TstExamWindow::statsPageFromTheModule_data()
{
    QTest::addColumn<QString>("module");
    QTest::newRow("the program's module") << QStringLiteral(QUZ_STATS_MODULE);
    QTest::newRow("no module") << u"/no/such/quz-stats.so"_s;
}

// The page as quz-exam makes it: loaded from the module, over the program's
// own Recorder, whose changes it follows.
void TstExamWindow::statsPageFromTheModule()
{
    QFETCH(QString, module);
    Fixture fx(Fixture::OpenLater);
    fx.recorder = std::make_unique<record::Recorder>(record::Recorder::Options{
        record::databasePath(fx.dir.dir.path()), exam::settingsFilePath(fx.dir.dir.path()),
        record::Program::QuzExam});
    // The writer's connection is open before the page reads: the page's own
    // must not take its name.
    QVERIFY(fx.recorder->waitForWrites(5000));
    QTest::failOnWarning(QRegularExpression(u".*"_s));
    QTabWidget tabs;
    QWidget *page = statsModuleMaker(module)(fx.dir.services, *fx.recorder, &tabs);
    tabs.addTab(page, u"Статистика"_s);
    tabs.show();
    QVERIFY(QTest::qWaitForWindowExposed(&tabs));
    if (!QFileInfo::exists(module)) {
        QCOMPARE(page->objectName(), u"statsMissing"_s);
        QVERIFY(qobject_cast<QLabel *>(page)->text().contains(u"/no/such/quz-stats.so"_s));
        return;
    }
    QVERIFY(page->inherits("quz::stats::StatsPage"));
    auto *answers = page->findChild<QLabel *>(u"answers"_s);
    QCOMPARE(answers->text(), u"0"_s);
    fx.recorder->recordAnswer({QDateTime::currentMSecsSinceEpoch(), record::Program::QuzExam,
                               record::Mode::Exam, 3, 4, 1, 2, false});
    QTRY_COMPARE(answers->text(), u"1"_s);
}

QTEST_MAIN(TstExamWindow)
#include "tst_exam_window.moc"
