// The main window on damaged data files: a question record whose variant
// list never ends, lines of megabytes, and install notes of any length, all
// shown within bounds and without changing what a sound file shows.

#include "form_fixture.h"

#include "core/bank/question_bank.h"
#include "ui/practice/Unit1.h"

#include <QLabel>
#include <QTest>
#include <QTextEdit>
#include <QToolButton>

using namespace quz::test;

namespace {

QByteArray record(const QByteArray &question, const QByteArray &variants)
{
    // "билет" + ticket 01, question 01, answer 2.
    return QByteArray("\xe1\xe8\xeb\xe5\xf2"
                      "01012\r\n")
           + question + "\r\n" + variants;
}

QByteArray lines(const QByteArray &line, int count)
{
    QByteArray text;
    text.reserve((line.size() + 2) * count);
    for (int i = 0; i < count; ++i)
        text += line + "\r\n";
    return text;
}

int visibleButtons(const TForm1 &f)
{
    int n = 0;
    for (QToolButton *b : f.questionView->sb)
        n += b->isHidden() ? 0 : 1;
    return n;
}

} // namespace

class TestDamagedData : public QObject {
    Q_OBJECT
private slots:
    void display_data();
    void display();
    void installNotes_data();
    void installNotes();
};

void TestDamagedData::display_data()
{
    QTest::addColumn<QByteArray>("questions");
    QTest::addColumn<int>("questionLength");
    QTest::addColumn<int>("variantLines"); // text lines in the variant area
    QTest::addColumn<int>("buttons");

    const QByteArray end("\xe1\xe8\xeb\xe5\xf2 end\r\n");
    const QByteArray huge(3 * 1024 * 1024, 'x');
    QTest::newRow("three variants: as always") << record("Q?", lines("v", 3) + end) << 2 << 3 << 3;
    QTest::newRow("variant list that never ends (800 000 lines)")
        << record("Q?", lines("plain line", 800000)) << 2 << 16 << 5;
    QTest::newRow("question line of 3 MB")
        << record(huge, lines("v", 2) + end) << int(quz::bank::kMaxLineLength) << 2 << 2;
    QTest::newRow("variants of 3 MB each") << record("Q?", lines(huge, 3) + end) << 2 << 3 << 3;
    QTest::newRow("whole file one line of 3 MB")
        << record(huge, QByteArray()) << int(quz::bank::kMaxLineLength) << 0 << 0;
}

void TestDamagedData::display()
{
    QFETCH(QByteArray, questions);
    QFETCH(int, questionLength);
    QFETCH(int, variantLines);
    QFETCH(int, buttons);
    FormFixture::Options options;
    options.questions = questions;
    FormFixture fixture(options);
    TForm1 &f = *fixture.f1();
    f.ChangeBilet();
    QCOMPARE(f.Otvet->text(), QStringLiteral("2"));
    QCOMPARE(f.questionView->Vopros->text().size(), questionLength);
    const QString area = f.questionView->Memo1->toPlainText();
    // Each variant line followed by a blank line, the last one by none.
    QCOMPARE(area.split(u'\n', Qt::SkipEmptyParts).size(), variantLines);
    QVERIFY(area.size() <= int(quz::bank::kMaxVariants * (quz::bank::kMaxLineLength + 2)));
    QCOMPARE(visibleButtons(f), buttons);
}

void TestDamagedData::installNotes_data()
{
    QTest::addColumn<QByteArray>("notes");
    QTest::addColumn<int>("lines");
    QTest::newRow("200 lines") << lines("\xd1\xea\xee\xef\xe8\xf0\xf3\xe9\xf2\xe5 bmp", 200) << 200;
    QTest::newRow("5 MB of lines") << lines(QByteArray(98, 'n'), 50000) << 50000;
    QTest::newRow("lone LF and CR") << QByteArray("a\nb\rc") << 3;
}

void TestDamagedData::installNotes()
{
    QFETCH(QByteArray, notes);
    QFETCH(int, lines);
    ProgramDir dir;
    writeProgramData(dir);
    QVERIFY(QFile::remove(dir.path(QStringLiteral("bmp/Quz_1_10.jpg"))));
    dir.write(QStringLiteral("Установка!!!.txt"), notes);
    Forms forms(dir);
    // The message is the heading and every line of the notes with CR LF after
    // it, whatever their number; the box that shows it is the dialogs' concern.
    QCOMPARE(dir.dialogs.texts().size(), 1);
    const QString text = dir.dialogs.texts().front();
    QVERIFY(text.startsWith(QStringLiteral("Картинки к билетам НЕ НАЙДЕНЫ!!!\r\n\r\n\r\n")));
    QCOMPARE(text.count(QStringLiteral("\r\n")), 3 + lines);
    QVERIFY(text.endsWith(QStringLiteral("\r\n")));
    QVERIFY(forms.form1->canStartRun());
}

QTEST_MAIN(TestDamagedData)
#include "tst_damaged_data.moc"
