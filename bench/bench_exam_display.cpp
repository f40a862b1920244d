// The answer path of quz-exam beside quz's, on the real windows (offscreen
// platform, the demonstration data): an answer through its button to the
// next question shown and painted, in quz-exam's exam window (recording
// every answer in the learning record, as the program does), in quz's main
// window (a right answer), and on the floor, the same question text and
// variant text set into a bare QLabel and QTextEdit of the same size and
// font. The three are timed in alternating batches of 19 answers (an exam of
// 20 questions ends at the 20th; a new exam starts between batches, untimed),
// and the best batch of each is kept.
//
// Run: QT_QPA_PLATFORM=offscreen <build>/bench/bench_exam_display
#include "bench_timing.h"

#include "fakes.h"

#include "core/bank/question_bank.h"
#include "core/exam/exam_session.h"
#include "core/files/text_file.h"
#include "core/practice/practice_rules.h"
#include "core/record/database_file.h"
#include "core/record/recorder.h"
#include "ui/exam/exam_page.h"
#include "ui/exam/exam_window.h"
#include "ui/exam/question_screen.h"
#include "ui/practice/Unit1.h"

#include <QLabel>
#include <QTextEdit>
#include <QToolButton>
#include <QtTest>

using namespace quz::test;

namespace {

constexpr int kBatch = 19;
constexpr int kBatches = 40;

// A clock that stands still: no exam runs out of time here.
class StillClock : public quz::exam::MonotonicClock {
public:
    qint64 nowMs() const override { return 0; }
};

void paint() { QCoreApplication::processEvents(); }

} // namespace

class BenchExamDisplay : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void answerToNextQuestion();
    void cleanupTestCase();

private:
    void examAnswer();
    void quzAnswer();
    void bareAnswer();

    ProgramDir m_dir;
    StillClock m_still;
    std::unique_ptr<quz::record::Recorder> m_recorder;
    std::unique_ptr<quz::examui::ExamWindow> m_exam;
    std::unique_ptr<Forms> m_forms;
    QStringList m_questions;
    QStringList m_variants;
    qsizetype m_next = 0;
    QWidget m_bare;
    QLabel *m_question = nullptr;
    QTextEdit *m_variantArea = nullptr;
};

void BenchExamDisplay::initTestCase()
{
    QVERIFY(m_dir.copyFrom(QStringLiteral(QUZ_DEMO_DATA_DIR)));
    m_dir.writeSettings(QStringLiteral("[prg]\r\nfirst=0\r\n"));

    quz::exam::ExamOptions options;
    options.rule = quz::exam::Rule::Rules2016;
    options.seed = 1;
    m_recorder = std::make_unique<quz::record::Recorder>(
        quz::record::Recorder::Options{quz::record::databasePath(m_dir.dir.path()),
                                       m_dir.settingsFile(), quz::record::Program::QuzExam});
    // The statistics page is never opened here.
    m_exam = std::make_unique<quz::examui::ExamWindow>(
        m_dir.services, m_still, *m_recorder,
        [](const quz::Services &, quz::record::Recorder &, QWidget *parent) {
            return new QWidget(parent);
        },
        options);
    m_exam->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_exam.get()));
    QVERIFY(m_exam->examPage->isExamRunning());

    m_forms = std::make_unique<Forms>(m_dir);
    TForm1 *f = m_forms->form1.get();
    f->show();
    QVERIFY(QTest::qWaitForWindowExposed(f));
    f->setPosition({QStringLiteral("01"), QStringLiteral("01")});
    f->StartClick();
    QVERIFY(f->isRunning());

    quz::bank::QuestionBank bank;
    QVERIFY(bank.loadFile(m_dir.path(QStringLiteral("vopros.txt"))).ok());
    for (int t = 1; t <= 40; ++t) {
        for (int q = 1; q <= 20; ++q) {
            const auto found = bank.lookup(QStringLiteral("%1").arg(t, 2, 10, QLatin1Char('0')),
                                           QStringLiteral("%1").arg(q, 2, 10, QLatin1Char('0')));
            m_questions << found.text;
            m_variants << quz::files::displayText(quz::practice::variantAreaText(found.variants));
        }
    }
    const quz::question::QuestionView *view = m_exam->examPage->questionScreen->questionView;
    m_bare.resize(m_exam->size());
    m_question = new QLabel(&m_bare);
    m_question->setGeometry(view->Vopros->geometry());
    m_question->setFont(view->Vopros->font());
    m_question->setWordWrap(true);
    m_variantArea = new QTextEdit(&m_bare);
    m_variantArea->setGeometry(view->Memo1->geometry());
    m_variantArea->setFont(view->Memo1->font());
    m_bare.show();
    QVERIFY(QTest::qWaitForWindowExposed(&m_bare));
}

void BenchExamDisplay::examAnswer()
{
    quz::examui::ExamPage *page = m_exam->examPage;
    const int right = page->session()->current()->rightAnswer();
    page->questionScreen->questionView->clickAnswer(right);
    paint();
}

void BenchExamDisplay::quzAnswer()
{
    TForm1 *f = m_forms->form1.get();
    m_dir.sound.calls.clear();
    f->questionView->clickAnswer(f->Otvet->text().toInt());
    paint();
}

void BenchExamDisplay::bareAnswer()
{
    m_question->setText(m_questions.at(m_next));
    m_variantArea->setPlainText(m_variants.at(m_next));
    m_next = (m_next + 1) % m_questions.size();
    paint();
}

void BenchExamDisplay::answerToNextQuestion()
{
    quz::examui::ExamPage *page = m_exam->examPage;
    quz::bench::Timing exam{1e9, 1e9};
    double quzBest = 1e9;
    for (int b = 0; b < kBatches; ++b) {
        // Each batch starts on the first question of a fresh exam.
        page->abandonExam();
        QVERIFY(page->startExam());
        paint();
        exam.ms = std::min(exam.ms, quz::bench::detail::batchMs([&] { examAnswer(); }, kBatch));
        QCOMPARE(page->session()->position(), kBatch + 1);
        quzBest = std::min(quzBest, quz::bench::detail::batchMs([&] { quzAnswer(); }, kBatch));
        exam.floorMs =
            std::min(exam.floorMs, quz::bench::detail::batchMs([&] { bareAnswer(); }, kBatch));
    }
    QVERIFY(page->isExamRunning());
    quz::bench::report("quz-exam: answer to the next question shown", exam,
                       " (floor: the texts into bare controls)");
    quz::bench::report("quz-exam beside quz", {exam.ms, quzBest},
                       " (floor: quz's right answer to the next question shown)");
    quz::bench::report("quz: right answer to the next question shown", {quzBest, exam.floorMs},
                       " (floor: the texts into bare controls)");
}

void BenchExamDisplay::cleanupTestCase()
{
    m_forms.reset();
    m_exam.reset();
    QVERIFY(m_recorder->waitForWrites(10000));
    QVERIFY(m_recorder->state().writes());
    m_recorder.reset();
}

QTEST_MAIN(BenchExamDisplay)
#include "bench_exam_display.moc"
