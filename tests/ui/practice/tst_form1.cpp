// The main window on the offscreen platform: creation and close with the
// settings file, the picture check, and the question display with its
// button placement.

#include "form_fixture.h"

#include "core/files/text_file.h"
#include "ui/comment/Unit2.h"
#include "ui/journal/Unit3.h"
#include "ui/platform/close_requests.h"
#include "ui/platform/control_state.h"
#include "ui/practice/Unit1.h"
#include "ui/question/picture_widget.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QSplitter>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>

using namespace quz::test;

namespace {

QByteArray oneQuestion(const QString &variants)
{
    QString v = variants;
    v.replace(u'|', QStringLiteral("\r\n"));
    return cp1251(QStringLiteral("билет01012\r\nВопрос?\r\n") + v
                  + QStringLiteral("билет конец\r\n"));
}

QList<int> visibleTops(const TForm1 &f)
{
    QList<int> tops;
    for (QToolButton *b : f.questionView->sb)
        if (!b->isHidden())
            tops << b->y();
    return tops;
}

} // namespace

class TestForm1 : public QObject {
    Q_OBJECT
private slots:
    void firstStartDefaults();
    void closeWritesSettingsAndKeepsForeignLines();
    void questionNumberClampedAtCreation();
    void missingQuestionFileReported();
    void pictureCheckMessage_data();
    void pictureCheckMessage();
    void buttonPlacement_data();
    void buttonPlacement();
    void panelKeepsHeightWithoutAutoSize();
    void unreadablePictures_data();
    void unreadablePictures();
    void refusedSettingsWriteReported();
    void closeRequestWhileBoxOpen();
};

void TestForm1::firstStartDefaults()
{
    ProgramDir dir;
    writeProgramData(dir, smallQuestionFile());
    Forms forms(dir);
    forms.form1->show();
    QCOMPARE(forms.form1->NumBilet->text(), QStringLiteral("01"));
    QCOMPARE(forms.form1->laSt->text(), QStringLiteral("01"));
    QCOMPARE(forms.form1->laEn->text(), QStringLiteral("20"));
    QVERIFY(forms.form1->autoRes->isChecked());
    QVERIFY(!forms.form1->rnd->isChecked());
    QVERIFY(forms.form1->beep->isChecked() && forms.form1->beepErr->isChecked());
    QVERIFY(!forms.form1->sbWav->isEnabled() && !forms.form1->sbWavErr->isEnabled());
    // The first start shows the tip in the comment window and the journal;
    // the three windows share an 800 x 600 screen (the offscreen one) without
    // overlapping.
    QVERIFY(forms.form2->isVisible());
    QCOMPARE(forms.form2->Koment->toPlainText(),
             QStringLiteral("Окно закрывается двойным нажатием левой мышки."));
    QVERIFY(forms.form3->isVisible());
    QCOMPARE(forms.form1->frameGeometry(), QRect(0, 0, 610, 472));
    QCOMPARE(forms.form2->frameGeometry(), QRect(0, 473, 800, 97));
    QCOMPARE(forms.form3->frameGeometry(), QRect(611, 0, 189, 472));
    QCOMPARE(*dir.services.appTitle, TForm1::designCaption());
    QVERIFY(dir.dialogs.shown.isEmpty());
}

void TestForm1::closeWritesSettingsAndKeepsForeignLines()
{
    ProgramDir dir;
    writeProgramData(dir, smallQuestionFile());
    dir.writeSettings(QStringLiteral(
        "; мой комментарий\r\n[Other]\r\nkey=value\r\n[prg]\r\nnBilet=07\r\nrnd=1\r\n"));
    {
        Forms forms(dir);
        forms.form1->show();
        QCOMPARE(forms.form1->NumBilet->text(), QStringLiteral("07"));
        QVERIFY(forms.form1->rnd->isChecked());
        forms.form1->close();
        QVERIFY(!forms.form2->isVisible());
        QVERIFY(!forms.form3->isVisible());
    }
    const QString written = quz::files::fromCp1251(dir.settings().toStdString());
    QVERIFY(written.contains(QStringLiteral("; мой комментарий\r\n[Other]\r\nkey=value\r\n")));
    const QStringList keys = {
        QStringLiteral("left="),     QStringLiteral("top="),      QStringLiteral("height=472"),
        QStringLiteral("width=610"), QStringLiteral("nBilet=07"), QStringLiteral("nVopros=01"),
        QStringLiteral("st=1"),      QStringLiteral("en=20"),     QStringLiteral("rnd=1"),
        QStringLiteral("ares=1"),    QStringLiteral("beep=1"),    QStringLiteral("beepErr=1"),
        QStringLiteral("WavErr=0"),  QStringLiteral("WavOn=0"),   QStringLiteral("koment=1"),
        QStringLiteral("first=0"),   QStringLiteral("left2="),    QStringLiteral("left3="),
        QStringLiteral("delErr=1")};
    for (const QString &key : keys)
        QVERIFY2(written.contains(key), qPrintable(key));
    QVERIFY(written.contains(QStringLiteral("[prog]\r\nWavYes=\r\nWavErr=\r\n")));

    // The next start is not a first start: no tip, no journal window.
    Forms again(dir);
    again.form1->show();
    QVERIFY(!again.form2->isVisible());
    QVERIFY(!again.form3->isVisible());
}

void TestForm1::questionNumberClampedAtCreation()
{
    ProgramDir dir;
    writeProgramData(dir, smallQuestionFile());
    dir.writeSettings(QStringLiteral("[prg]\r\nnVopros=25\r\nfirst=0\r\n"));
    {
        Forms forms(dir);
        QCOMPARE(forms.form1->NumVop->text(), QStringLiteral("20"));
        forms.form1->show();
        forms.form1->close();
    }
    QVERIFY(dir.settings().contains("nVopros=20\r\n"));
}

void TestForm1::missingQuestionFileReported()
{
    ProgramDir dir;
    dir.write(QStringLiteral("bmp/Quz_1_10.jpg"), QByteArray("\xff\xd8", 2));
    Forms forms(dir);
    QCOMPARE(dir.dialogs.errors(),
             QStringList{QStringLiteral("Cannot open file \"%1\". No such file or directory.")
                             .arg(dir.path(QStringLiteral("vopros.txt")))});
    QVERIFY(!forms.form1->canStartRun());
    // The remaining steps were skipped: the title is still the default one.
    QCOMPARE(*dir.services.appTitle, QStringLiteral("quz"));
    forms.form1->ChangeBilet();
    QCOMPARE(visibleTops(*forms.form1), QList<int>());
}

void TestForm1::pictureCheckMessage_data()
{
    QTest::addColumn<QByteArray>("notes");
    QTest::addColumn<QString>("message");
    const QString heading = QStringLiteral("Картинки к билетам НЕ НАЙДЕНЫ!!!\r\n\r\n\r\n");
    QTest::newRow("two lines") << cp1251(QStringLiteral("Первая\nВторая"))
                               << heading + QStringLiteral("Первая\r\nВторая\r\n");
    QTest::newRow("empty notes") << QByteArray() << heading;
}

void TestForm1::pictureCheckMessage()
{
    QFETCH(QByteArray, notes);
    QFETCH(QString, message);
    ProgramDir dir;
    dir.write(QStringLiteral("vopros.txt"), smallQuestionFile(1, 20));
    dir.write(QStringLiteral("koment.txt"), QByteArray());
    dir.write(QStringLiteral("Установка!!!.txt"), notes);
    Forms forms(dir);
    QCOMPARE(dir.dialogs.texts(), QStringList{message});
    QCOMPARE(dir.dialogs.shown.front().title, QStringLiteral("quz"));
    QVERIFY(forms.form1->canStartRun());
}

void TestForm1::buttonPlacement_data()
{
    QTest::addColumn<QString>("variants");
    QTest::addColumn<QList<int>>("tops");
    QTest::addColumn<int>("panel");
    QTest::newRow("three one-line variants")
        << QStringLiteral("a|b|c|") << QList<int>{3, 29, 55} << 88;
    QTest::newRow("two variants") << QStringLiteral("a|b|") << QList<int>{3, 29} << 62;
    QTest::newRow("five variants")
        << QStringLiteral("a|b|c|d|e|") << QList<int>{3, 29, 55, 81, 107} << 140;
    const QString longVariant = QStringLiteral("Длинный вариант ответа ").repeated(9).trimmed();
    QTest::newRow("three-line first variant")
        << longVariant + QStringLiteral("|b|") << QList<int>{13, 55} << 88;
}

void TestForm1::buttonPlacement()
{
    QFETCH(QString, variants);
    QFETCH(QList<int>, tops);
    QFETCH(int, panel);
    ProgramDir dir;
    writeProgramData(dir, oneQuestion(variants));
    dir.writeSettings(QStringLiteral("[prg]\r\nfirst=0\r\n"));
    Forms forms(dir);
    forms.form1->show();
    forms.form1->ChangeBilet();
    QCOMPARE(forms.form1->Otvet->text(), QStringLiteral("2"));
    QCOMPARE(forms.form1->questionView->Vopros->text(), QStringLiteral("Вопрос?"));
    if (QByteArray(QTest::currentDataTag()).startsWith("three-line"))
        QCOMPARE(forms.form1->questionView->variantLineCount(), 5);
    QCOMPARE(visibleTops(*forms.form1), tops);
    QCOMPARE(forms.form1->questionView->Panel2->height(), panel);
}

void TestForm1::panelKeepsHeightWithoutAutoSize()
{
    ProgramDir dir;
    writeProgramData(dir, oneQuestion(QStringLiteral("a|b|c|")));
    dir.writeSettings(QStringLiteral("[prg]\r\nfirst=0\r\nares=0\r\n"));
    Forms forms(dir);
    forms.form1->show();
    const int before = forms.form1->questionView->Panel2->height();
    forms.form1->ChangeBilet();
    QCOMPARE(forms.form1->questionView->Panel2->height(), before);
    QCOMPARE(visibleTops(*forms.form1), (QList<int>{3, 29, 55}));
}

void TestForm1::unreadablePictures_data()
{
    QTest::addColumn<QByteArray>("picture");
    QTest::addColumn<bool>("placeholder");
    QTest::addColumn<QSize>("shown");
    QTest::newRow("garbage picture shows the placeholder")
        << QByteArray("not a jpeg") << true << QSize(64, 32);
    QTest::newRow("no placeholder: empty area, display goes on")
        << QByteArray("not a jpeg") << false << QSize(0, 0);
}

void TestForm1::unreadablePictures()
{
    QFETCH(QByteArray, picture);
    QFETCH(bool, placeholder);
    ProgramDir dir;
    writeProgramData(dir, oneQuestion(QStringLiteral("a|b|")));
    dir.write(QStringLiteral("bmp/Quz_1_1.jpg"), picture);
    if (placeholder) {
        QFile demo(QStringLiteral(QUZ_DEMO_DATA_DIR "/emp.bmp"));
        QVERIFY(demo.open(QIODevice::ReadOnly));
        dir.write(QStringLiteral("emp.bmp"), demo.readAll());
    }
    dir.writeSettings(QStringLiteral("[prg]\r\nfirst=0\r\n"));
    Forms forms(dir);
    forms.form1->show();
    forms.form1->ChangeBilet();
    QTEST(forms.form1->questionView->Image1->pictureSize(), "shown");
    QCOMPARE(forms.form1->questionView->Vopros->text(), QStringLiteral("Вопрос?"));
    QCOMPARE(visibleTops(*forms.form1), (QList<int>{3, 29}));
    QVERIFY(dir.dialogs.errors().isEmpty());
}

void TestForm1::refusedSettingsWriteReported()
{
    ProgramDir dir;
    writeProgramData(dir, smallQuestionFile(1, 20));
    // The settings file would live in a folder that is a plain file.
    dir.write(QStringLiteral("blocked"), QByteArray("x"));
    dir.services.exePath = dir.path(QStringLiteral("blocked/quz"));
    Forms forms(dir);
    forms.form1->show();
    forms.form3->hide();
    forms.form2->hide();
    dir.dialogs.shown.clear();
    forms.form1->close();
    const QString message =
        QStringLiteral("Unable to write to %1.").arg(dir.path(QStringLiteral("blocked/quz.ini")));
    QCOMPARE(dir.dialogs.errors(), QStringList{message});
}

// Qt drops a close request for the main window while a box blocks it: the
// window stayed and wrote nothing. Such a request closes the box, then the
// program, with its settings written.
void TestForm1::closeRequestWhileBoxOpen()
{
    ProgramDir dir;
    writeProgramData(dir, smallQuestionFile());
    dir.writeSettings(QStringLiteral("[prg]\r\nfirst=0\r\nnBilet=07\r\n"));
    Forms forms(dir);
    forms.form1->show();
    QVERIFY(QTest::qWaitForWindowExposed(forms.form1.get()));
    QVERIFY(!quz::platform::closeThroughModalBoxes(forms.form1.get()));
    QVERIFY(forms.form1->isVisible());

    forms.form1->setPosition({QStringLiteral("09"), forms.form1->position().question});
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("quz"), QStringLiteral("Записано!"),
                    QMessageBox::Ok, forms.form1.get());
    box.setWindowModality(Qt::ApplicationModal);
    bool closing = false;
    QTimer::singleShot(0, &box,
                       [&] { closing = quz::platform::closeThroughModalBoxes(forms.form1.get()); });
    box.exec();
    QVERIFY(closing);
    QTRY_VERIFY(!forms.form1->isVisible());
    QVERIFY(dir.settings().contains("nBilet=09\r\n"));
}

QTEST_MAIN(TestForm1)
#include "tst_form1.moc"
