// The statistics page on a small record written through the program's
// recorder: the summary, what the charts draw, the 800 cells and a click on
// one, the weak questions saved as a journal quz replays, adding journals,
// the switch in quz.ini, emptying with its confirmation, a record of a newer
// version, and every control's name on the accessibility interface.

#include "core/journal/journal_file.h"
#include "core/journal/journal_walk.h"
#include "core/record/database_file.h"
#include "core/record/schema.h"
#include "core/record/sqlite_connection.h"
#include "core/settings/settings_batch.h"
#include "core/settings/settings_keys.h"
#include "form_fixture.h"
#include "ui/stats/progress_charts.h"
#include "ui/stats/question_grid.h"
#include "ui/stats/stats_page.h"
#include "ui/stats/weak_questions.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QChart>
#include <QCheckBox>
#include <QGraphicsScene>
#include <QGraphicsTextItem>
#include <QGraphicsView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QTextBrowser>
#include <QXYSeries>

using namespace quz;
using namespace quz::record;
using namespace Qt::StringLiterals;

namespace {

Answer answer(int ticket, int question, bool correct, qint64 minutesAgo = 0)
{
    return Answer{QDateTime::currentMSecsSinceEpoch() - minutesAgo * 60000,
                  Program::Quz,
                  Mode::Practice,
                  ticket,
                  question,
                  correct ? 2 : 1,
                  2,
                  correct};
}

struct PageFixture {
    PageFixture()
    {
        test::writeProgramData(dir);
        recorder = std::make_unique<Recorder>(Recorder::Options{
            databasePath(dir.dir.path()), dir.services.settingsPath(), Program::QuzExam});
    }
    // Three answers wrong to ticket 1 question 2, one to ticket 3 question 4
    // (then right), one right to ticket 40 question 20; one exam failed.
    void writeSomeAnswers()
    {
        for (const Answer &a :
             {answer(1, 2, false, 30), answer(1, 2, false, 20), answer(3, 4, false, 15),
              answer(1, 2, false, 10), answer(3, 4, true, 5), answer(40, 20, true)})
            recorder->recordAnswer(a);
        Exam exam{QDateTime::currentMSecsSinceEpoch(),    u"2004"_s, 5, 60000, false,
                  u"Ошибок: 3, допускается не более 2"_s, {}};
        for (int q = 1; q <= 3; ++q)
            exam.answers.push_back(
                {exam.startedMs, Program::QuzExam, Mode::Exam, 5, q, 1, 2, false});
        recorder->recordExam(exam);
        QVERIFY(recorder->waitForWrites(5000));
    }
    stats::StatsPage &open()
    {
        page = std::make_unique<stats::StatsPage>(dir.services, *recorder);
        page->show();
        return *page;
    }
    QString value(const char *name) const
    {
        return page->findChild<QLabel *>(QLatin1String(name))->text();
    }

    test::ProgramDir dir;
    std::unique_ptr<Recorder> recorder;
    std::unique_ptr<stats::StatsPage> page;
};

QList<QuestionRef> journalQuestions(const QString &path)
{
    QList<QuestionRef> asked;
    const Outcome<journal::JournalLines> lines = journal::readJournalFile(path);
    if (!lines)
        return asked;
    for (journal::WalkStep s = journal::walk(*lines, -1); s.found;
         s = journal::walk(*lines, s.cursor))
        asked << QuestionRef{s.entry.ticket.toInt(), s.entry.question.toInt()};
    return asked;
}

} // namespace

class TestStatsPage : public QObject {
    Q_OBJECT
private slots:
    void summaryGridAndWeakQuestions();
    void chartsShowTheFirstDayAndNumberTheExams();
    void saveWeakQuestions_data();
    void saveWeakQuestions();
    void addJournals();
    void recordingSwitch();
    void clearHistory_data();
    void clearHistory();
    void newerRecordIsShownAsSuch();
    void controlsHaveTheirCaptionsAsNames();
};

void TestStatsPage::summaryGridAndWeakQuestions()
{
    PageFixture f;
    f.writeSomeAnswers();
    stats::StatsPage &page = f.open();
    QCOMPARE(f.value("answers"), u"9"_s);
    QCOMPARE(f.value("right"), u"22\u00a0% (2)"_s);
    QCOMPARE(f.value("questions"), u"2 из 800"_s);
    QCOMPARE(f.value("exams"), u"1, сдано 0"_s);

    QTableView *grid = page.grid()->table();
    const QModelIndex cell = grid->model()->index(1, 0); // question 2 of ticket 1
    QVERIFY(cell.data(Qt::ToolTipRole).toString().contains(u"ответов 3, ошибок 3"_s));
    QCOMPARE(cell.data(Qt::BackgroundRole).value<QColor>(),
             stats::cellColor(page.history().questions[size_t(questionIndex({1, 2}))]));
    QVERIFY(
        grid->model()->index(0, 0).data(Qt::ToolTipRole).toString().contains(u"не задавался"_s));
    page.tabs()->setCurrentWidget(page.grid());
    const QModelIndex first = grid->model()->index(0, 0);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(first).center());
    const QString shown = page.grid()->details()->toPlainText();
    QVERIFY2(shown.contains(u"Вопрос 0101"_s), qPrintable(shown));
    QVERIFY(shown.contains(u"Правильный ответ: 2"_s));
    QVERIFY(shown.contains(u"Один"_s)); // its comment

    QAbstractItemModel *weak = page.weak()->table()->model();
    QCOMPARE(weak->rowCount(), 5);
    QCOMPARE(weak->index(0, 2).data().toString(), u"3"_s);
}

// What the charts draw: the first day's answers (one point, no line yet) and
// each exam's number under its exam.
void TestStatsPage::chartsShowTheFirstDayAndNumberTheExams()
{
    PageFixture f;
    f.writeSomeAnswers();
    // Ten answers today: a round top of the scale, where the point was cut.
    f.recorder->recordAnswer(answer(2, 2, true));
    QVERIFY(f.recorder->waitForWrites(5000));
    stats::StatsPage &page = f.open();
    page.resize(900, 800);
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    QChart *days = page.charts()->dayChart();
    QVERIFY(days->series().size() == 2 && days->plotArea().width() > 0);
    auto *answers = static_cast<QXYSeries *>(days->series().front());
    const QImage drawn = page.charts()->grab().toImage();
    const QRect plot = days->plotArea().toRect().translated(
        days->scene()->views().front()->mapTo(page.charts(), QPoint(0, 0)));
    bool seen = false;
    for (int y = plot.top(); y <= plot.bottom() && !seen; ++y)
        for (int x = plot.left(); x <= plot.right() && !seen; ++x)
            seen = drawn.pixelColor(x, y) == answers->color();
    QVERIFY(seen);
    // The busiest day's point whole, under the top of the plot.
    for (const QPointF &day : answers->points())
        QVERIFY(days->mapToPosition(day, answers).y() - answers->markerSize() / 2
                > days->plotArea().top());

    QChart *exams = page.charts()->examChart();
    const double firstExam = exams->mapToPosition(QPointF(1, 0), exams->series().front()).x();
    bool labelled = false;
    for (QGraphicsItem *item : exams->scene()->items()) {
        const auto *label = dynamic_cast<QGraphicsTextItem *>(item);
        if (!label || label->toPlainText() != u"1"_s)
            continue;
        const QPointF centre = label->mapToScene(label->boundingRect().center());
        if (centre.y() > exams->plotArea().bottom())
            labelled = std::abs(centre.x() - firstExam) < 3;
    }
    QVERIFY(labelled);
}

void TestStatsPage::saveWeakQuestions_data()
{
    QTest::addColumn<QList<int>>("selectRows");
    QTest::addColumn<int>("topN");
    QTest::addColumn<QList<QuestionRef>>("expected");
    // Most errors first: 1/2 (3), then 5/1, 5/2, 5/3 (1 each, 100 %, ticket order), 3/4 (1 of 2).
    QTest::newRow("top two") << QList<int>{} << 2 << QList<QuestionRef>{{1, 2}, {5, 1}};
    QTest::newRow("chosen rows") << QList<int>{4, 0} << 20 << QList<QuestionRef>{{1, 2}, {3, 4}};
}

void TestStatsPage::saveWeakQuestions()
{
    QFETCH(QList<int>, selectRows);
    QFETCH(int, topN);
    QFETCH(QList<QuestionRef>, expected);
    PageFixture f;
    f.writeSomeAnswers();
    stats::StatsPage &page = f.open();
    page.weak()->count()->setValue(topN);
    QTableView *table = page.weak()->table();
    for (const int row : selectRows)
        table->selectionModel()->select(table->model()->index(row, 0),
                                        QItemSelectionModel::Select | QItemSelectionModel::Rows);
    const QString file = f.dir.path(u"weak.quz"_s);
    f.dir.dialogs.answers.push_back(file);
    QTest::mouseClick(page.weak()->saveButton(), Qt::LeftButton);
    QCOMPARE(f.dir.dialogs.requests.back().filter, u"Ошибки QUZ|*.quz"_s);
    QCOMPARE(journalQuestions(file), expected);
    QCOMPARE(f.dir.dialogs.texts(), QStringList{u"Записано!\n\r"_s + file});
}

void TestStatsPage::addJournals()
{
    PageFixture f;
    stats::StatsPage &page = f.open();
    f.dir.writeCp1251(u"old.quz"_s, u"Старт 01.03.2026 10:00:00 Билет 07\r\n-> 07 вопрос 03\r\n"
                                    "-> 07 вопрос 04\r\n"_s);
    f.dir.dialogs.fileLists.push_back({f.dir.path(u"old.quz"_s), f.dir.path(u"missing.quz"_s)});
    QTest::mouseClick(page.addJournalsButton(), Qt::LeftButton);
    QCOMPARE(f.value("answers"), u"2"_s);
    const QString said = f.dir.dialogs.texts().join(u'\n');
    QVERIFY2(said.contains(u"«old.quz»: добавлено ошибок: 2"_s), qPrintable(said));
    QVERIFY(said.contains(u"«missing.quz»: Cannot open file"_s));
    QVERIFY(page.lastEvent()->text().contains(u"old.quz"_s));
}

void TestStatsPage::recordingSwitch()
{
    PageFixture f;
    stats::StatsPage &page = f.open();
    QVERIFY(page.recordingSwitch()->isChecked());
    QTest::mouseClick(page.recordingSwitch(), Qt::LeftButton);
    QVERIFY(!settings::SettingsBatch(f.dir.settingsFile()).read(settings::keys::recordAnswers));
    QTRY_COMPARE(f.recorder->state().kind, RecordState::Kind::Off);
    QTRY_VERIFY(page.status()->text().contains(u"выключена"_s));
    f.recorder->recordAnswer(answer(1, 1, true));
    QVERIFY(f.recorder->waitForWrites(5000));
    page.refresh();
    QCOMPARE(f.value("answers"), u"0"_s);

    // The other program switches it on again: the page follows when read.
    settings::SettingsBatch other(f.dir.settingsFile());
    other.write(settings::keys::recordAnswers, true);
    QVERIFY(other.flush());
    page.refresh();
    QVERIFY(page.recordingSwitch()->isChecked());
}

void TestStatsPage::clearHistory_data()
{
    QTest::addColumn<bool>("confirmed");
    QTest::addColumn<QString>("answersLeft");
    QTest::newRow("confirmed") << true << u"0"_s;
    QTest::newRow("declined") << false << u"9"_s;
}

void TestStatsPage::clearHistory()
{
    QFETCH(bool, confirmed);
    QFETCH(QString, answersLeft);
    PageFixture f;
    f.writeSomeAnswers();
    stats::StatsPage &page = f.open();
    f.dir.dialogs.confirmAnswers.push_back(confirmed);
    QTest::mouseClick(page.clearButton(), Qt::LeftButton);
    QCOMPARE(f.dir.dialogs.questions().size(), 1);
    QCOMPARE(f.value("answers"), answersLeft);
    QCOMPARE(page.lastEvent()->text().contains(u"История очищена."_s), confirmed);
}

void TestStatsPage::newerRecordIsShownAsSuch()
{
    PageFixture f;
    f.recorder.reset();
    {
        auto c = Connection::open(databasePath(f.dir.dir.path()), {});
        QVERIFY(c.ok());
        QVERIFY((*c)->exec(u"PRAGMA application_id = %1"_s.arg(kApplicationId)));
        QVERIFY((*c)->exec(u"PRAGMA user_version = 99"_s));
        QVERIFY((*c)->exec(u"CREATE TABLE future (x)"_s));
    }
    f.recorder = std::make_unique<Recorder>(Recorder::Options{
        databasePath(f.dir.dir.path()), f.dir.services.settingsPath(), Program::QuzExam});
    stats::StatsPage &page = f.open();
    QTRY_VERIFY(page.status()->text().contains(u"более новой версией"_s));
    QCOMPARE(f.value("answers"), u"0"_s);
}

void TestStatsPage::controlsHaveTheirCaptionsAsNames()
{
    PageFixture f;
    stats::StatsPage &page = f.open();
    const auto nameOf = [](QWidget *w) {
        QAccessibleInterface *a = QAccessible::queryAccessibleInterface(w);
        return a ? a->text(QAccessible::Name) : QString();
    };
    for (QAbstractButton *button : page.findChildren<QAbstractButton *>())
        if (!button->text().isEmpty())
            QCOMPARE(nameOf(button).remove(u'&'), button->text().remove(u'&'));
    for (QWidget *w : QList<QWidget *>{page.grid()->table(), page.weak()->table(),
                                       page.weak()->count(), page.grid()->details()})
        QVERIFY2(!nameOf(w).isEmpty(), qPrintable(w->metaObject()->className()));
    QCOMPARE(nameOf(page.findChild<QLabel *>(u"answers"_s)), u"Ответов записано: 0"_s);
    QCOMPARE(page.tabs()->tabText(2), u"Слабые вопросы"_s);
}

QTEST_MAIN(TestStatsPage)
#include "tst_stats_page.moc"
