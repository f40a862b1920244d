// The question display on the real main window (offscreen platform, sounds
// faked): ChangeBilet, and a right answer through to the next question
// shown, each beside its floor: the same question text and variant text set
// into a bare QLabel and QTextEdit of the same size and font. Every figure
// includes painting the window; the questions are taken in turn, all 800 of
// the demonstration data.
//
// Run: QT_QPA_PLATFORM=offscreen <build>/bench/bench_display
#include "bench_timing.h"

#include "fakes.h"

#include "core/bank/question_bank.h"
#include "core/files/text_file.h"
#include "core/practice/practice_rules.h"
#include "ui/practice/Unit1.h"

#include <QLabel>
#include <QTextEdit>
#include <QToolButton>
#include <QtTest>

using namespace quz::test;

namespace {

QString twoDigits(int n) { return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')); }

void paint() { QCoreApplication::processEvents(); }

} // namespace

class BenchDisplay : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void changeBilet();
    void rightAnswer();
    void cleanupTestCase();

private:
    // The floor: the next question's two texts into the bare controls.
    void showOnBareControls();

    ProgramDir m_dir;
    std::unique_ptr<Forms> m_forms;
    struct Texts {
        QString question;
        QString variants;
    };
    QList<Texts> m_texts; // all questions, ticket by ticket
    qsizetype m_next = 0;
    QWidget m_bare;
    QLabel *m_question = nullptr;
    QTextEdit *m_variants = nullptr;
};

void BenchDisplay::initTestCase()
{
    QVERIFY(m_dir.copyFrom(QStringLiteral(QUZ_DEMO_DATA_DIR)));
    m_dir.writeSettings(QStringLiteral("[prg]\r\nfirst=0\r\n"));
    m_forms = std::make_unique<Forms>(m_dir);
    TForm1 *f = m_forms->form1.get();
    f->show();
    QVERIFY(QTest::qWaitForWindowExposed(f));
    QVERIFY(m_dir.dialogs.shown.isEmpty());

    quz::bank::QuestionBank bank;
    QVERIFY(bank.loadFile(m_dir.path(QStringLiteral("vopros.txt"))).ok());
    for (int t = 1; t <= 40; ++t) {
        for (int q = 1; q <= 20; ++q) {
            const quz::bank::Question found = bank.lookup(twoDigits(t), twoDigits(q));
            QVERIFY(found.found);
            m_texts.append({found.text, quz::files::displayText(
                                            quz::practice::variantAreaText(found.variants))});
        }
    }

    m_bare.resize(f->size());
    m_question = new QLabel(&m_bare);
    m_question->setGeometry(f->questionView->Vopros->geometry());
    m_question->setFont(f->questionView->Vopros->font());
    m_question->setWordWrap(f->questionView->Vopros->wordWrap());
    m_variants = new QTextEdit(&m_bare);
    m_variants->setGeometry(f->questionView->Memo1->geometry());
    m_variants->setFont(f->questionView->Memo1->font());
    m_bare.show();
    QVERIFY(QTest::qWaitForWindowExposed(&m_bare));
}

void BenchDisplay::showOnBareControls()
{
    const Texts &next = m_texts[m_next];
    m_next = (m_next + 1) % m_texts.size();
    m_question->setText(next.question);
    m_variants->setPlainText(next.variants);
    paint();
}

void BenchDisplay::changeBilet()
{
    TForm1 *f = m_forms->form1.get();
    qsizetype shown = 0;
    const auto t = quz::bench::compare(
        [&] {
            f->setPosition({twoDigits(static_cast<int>(shown / 20 + 1)),
                            twoDigits(static_cast<int>(shown % 20 + 1))});
            shown = (shown + 1) % m_texts.size();
            f->ChangeBilet();
            paint();
        },
        [&] { showOnBareControls(); });
    QVERIFY(!f->questionView->Vopros->text().isEmpty());
    quz::bench::report("ChangeBilet", t);
}

void BenchDisplay::rightAnswer()
{
    TForm1 *f = m_forms->form1.get();
    f->setPosition({QStringLiteral("01"), QStringLiteral("01")});
    f->StartClick();
    QVERIFY(f->isRunning());
    paint();
    const QString before = f->NumBilet->text() + f->NumVop->text();
    const auto t = quz::bench::compare(
        [&] {
            m_dir.sound.calls.clear();
            f->sb1Click(f->questionView->sb[static_cast<size_t>(f->Otvet->text().toInt() - 1)]);
            paint();
        },
        [&] { showOnBareControls(); });
    QVERIFY(f->NumBilet->text() + f->NumVop->text() != before);
    QCOMPARE(m_dir.sound.calls, QStringList{QStringLiteral("tone 700 100")});
    quz::bench::report("right answer to the next question shown", t);
}

void BenchDisplay::cleanupTestCase()
{
    // The main window writes its settings into the temporary program folder.
    m_forms.reset();
}

QTEST_MAIN(BenchDisplay)
#include "bench_display.moc"
