// The main window's shell on the offscreen platform: help, mail and web
// buttons, the hint panel over the controls of all three windows, tooltips,
// hover effects, size limit and bands, screen-edge snapping of the three
// windows, the look of the group boxes, and the title animation.

#include "form_fixture.h"

#include "core/files/text_file.h"
#include "ui/comment/Unit2.h"
#include "ui/journal/Unit3.h"
#include "ui/journal/list_box_widget.h"
#include "ui/platform/control_state.h"
#include "ui/platform/look.h"
#include "ui/platform/qt_shell.h"
#include "ui/practice/Unit1.h"
#include "ui/practice/spin_button_widget.h"
#include "ui/practice/status_bar_widget.h"
#include "ui/question/picture_widget.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionGroupBox>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>

using namespace quz::test;

namespace {

// A control of the three windows by the name the window design gives it.
QWidget *control(const FormFixture &fx, const QString &name)
{
    TForm1 *f1 = fx.f1();
    const QHash<QString, QWidget *> controls = {
        {u"Image1"_qs, f1->questionView->Image1},
        {u"Memo1"_qs, f1->questionView->Memo1->viewport()},
        {u"laSt"_qs, f1->laSt},
        {u"laEn"_qs, f1->laEn},
        {u"SpinButton1"_qs, f1->SpinButton1->upButton()},
        {u"SpinButton2"_qs, f1->SpinButton2->downButton()},
        {u"GroupBox1"_qs, f1->GroupBox1},
        {u"rnd"_qs, f1->rnd},
        {u"NumBilet"_qs, f1->NumBilet},
        {u"NumVop"_qs, f1->NumVop},
        {u"L1"_qs, f1->L1},
        {u"L2"_qs, f1->L2},
        {u"Start"_qs, f1->Start},
        {u"sbErr"_qs, f1->sbErr},
        {u"sbHelp"_qs, f1->sbHelp},
        {u"sbWWW"_qs, f1->sbWWW},
        {u"Koment"_qs, fx.f2()->Koment->viewport()},
        {u"lbStat"_qs, fx.f3()->lbStat->viewport()},
        {u"delErr"_qs, fx.f3()->delErr},
        {u"SpeedButton1 of the journal"_qs, fx.f3()->SpeedButton1},
        {u"sbClose"_qs, fx.f3()->sbClose},
    };
    return controls.value(name);
}

void showSecondaryWindows(const FormFixture &fx)
{
    fx.f2()->showWindow();
    fx.f3()->showWindow();
    QVERIFY(QTest::qWaitForWindowExposed(fx.f2()));
    QVERIFY(QTest::qWaitForWindowExposed(fx.f3()));
}

// Moves the pointer to a place of the main window without a hint of its own
// chain (the window's top-left corner, above the group box's frame).
void pointerToNeutralPlace(const FormFixture &fx) { QTest::mouseMove(fx.f1(), QPoint(1, 1)); }

// A group box drawn alone, without its children.
QImage boxOnly(QGroupBox *box)
{
    QImage image(box->size(), QImage::Format_ARGB32);
    image.fill(box->palette().color(QPalette::Window));
    box->render(&image, QPoint(), QRegion(), QWidget::DrawWindowBackground);
    return image;
}

// Pixels of the blue caption ink within `columns` (x range, y over `rows`).
int captionInk(const QImage &image, int fromX, int toX, int rows)
{
    int ink = 0;
    for (int y = 0; y < rows; ++y)
        for (int x = std::max(0, fromX); x < std::min(toX, image.width()); ++x) {
            const QRgb p = image.pixel(x, y);
            ink += qBlue(p) - qRed(p) > 60;
        }
    return ink;
}

// The caption's rectangle and the frame's top line of a group box, as its
// style lays them out.
struct BoxParts {
    QRect caption;
    int frameTop;
};

BoxParts boxParts(QGroupBox *box)
{
    QStyleOptionGroupBox option;
    option.initFrom(box);
    option.text = box->title();
    option.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
    const QStyle *style = box->style();
    return {
        style->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, box),
        style->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxFrame, box).top()};
}

QString lowered(int capital)
{
    QString caption = TForm1::designCaption().toLower();
    caption[capital - 1] = caption[capital - 1].toUpper();
    return caption;
}

} // namespace

class TestShell : public QObject {
    Q_OBJECT

private slots:
    void helpText_data();
    void helpText();
    void helpFailure_data();
    void helpFailure();
    void mailAndWeb();

    void hintPanel_data();
    void hintPanel();
    void tooltips_data();
    void tooltips();

    void hover_data();
    void hover();
    void hoverSequence();

    void minimumSize();
    void bands_data();
    void bands();
    void windowsSnap_data();
    void windowsSnap();

    void captionGapsHoldNumbers();
    void groupBoxFramesClearTheirControls();

    void titleAnimationSteps_data();
    void titleAnimationSteps();
    void titleAnimationAcrossRuns();
    void titleAnimationTimer();
    void noTitleAnimationWithCommandLineJournal();
};

void TestShell::helpText_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("expected");

    QTest::newRow("CR LF lines") << cp1251(u"Справка\r\nВторая строка\r\n"_qs)
                                 << u"Справка\nВторая строка"_qs;
    QTest::newRow("CR, LF and CR LF mixed")
        << cp1251(u"один\rдва\nтри\r\nчетыре"_qs) << u"один\nдва\nтри\nчетыре"_qs;
    QTest::newRow("empty lines kept") << cp1251(u"а\r\n\r\n\r\nб\r\n"_qs) << u"а\n\n\nб"_qs;
    QTest::newRow("NUL ends the text")
        << QByteArray("abc\r\nde") + '\0' + QByteArray("hidden\r\n") << u"abc\nde"_qs;
    QTest::newRow("empty file") << QByteArray() << QString();
}

void TestShell::helpText()
{
    QFETCH(QByteArray, file);
    FormFixture fx;
    fx.dir.write(u"Help.txt"_qs, file);
    // A comment first: its caption stays the title under the help text.
    fx.f1()->setPosition({fx.f1()->position().ticket, u"02"_qs});
    fx.f1()->ErrKoment();
    FormFixture::click(fx.f1()->sbHelp);
    QTEST(fx.f2()->Koment->toPlainText(), "expected");
    QCOMPARE(fx.f2()->windowTitle(), u"Комментарий к билету №01, вопрос №02"_qs);
    QVERIFY(fx.f2()->isVisible());
    QTRY_VERIFY(fx.f2()->isActiveWindow());
    QVERIFY(fx.dir.dialogs.shown.isEmpty());
}

void TestShell::helpFailure_data()
{
    QTest::addColumn<bool>("folder"); // "Help.txt" is a folder rather than missing
    QTest::newRow("missing") << false;
    QTest::newRow("a folder") << true;
}

void TestShell::helpFailure()
{
    QFETCH(bool, folder);
    FormFixture fx;
    if (folder)
        QVERIFY(QDir(fx.dir.dir.path()).mkdir(u"Help.txt"_qs));
    fx.f2()->Koment->setPlainText(u"прежний текст"_qs);
    FormFixture::click(fx.f1()->sbHelp);

    QCOMPARE(fx.dir.dialogs.errors().size(), 1);
    const QString error = fx.dir.dialogs.errors().front();
    const QString prefix = u"Cannot open file \""_qs + fx.dir.path(u"Help.txt"_qs) + u"\". "_qs;
    QVERIFY2(error.startsWith(prefix), qPrintable(error));
    QVERIFY(error.size() > prefix.size() + 1); // the system's reason follows
    QVERIFY(error.endsWith(u'.'));
    QCOMPARE(fx.dir.dialogs.shown.front().title, TForm1::designCaption());
    QCOMPARE(fx.f2()->Koment->toPlainText(), u"прежний текст"_qs);
    QCOMPARE(fx.f2()->windowTitle(), u"Комментарий"_qs);
    QVERIFY(!fx.f2()->isVisible());
}

void TestShell::mailAndWeb()
{
    FormFixture fx;
    FormFixture::click(fx.f1()->sbEmail);
    FormFixture::click(fx.f1()->sbWWW);
    const QString mail =
        u"mailto:"_qs + QString::fromUtf8(QUZ_MAIL_RECIPIENT) + u"?Subject=from site - QUZ"_qs;
    QCOMPARE(fx.dir.shell.opened, QStringList({mail, QString::fromUtf8(QUZ_SITE_ADDRESS)}));
    // What the desktop is given for them.
    const QUrl mailUrl = quz::platform::shellUrl(fx.dir.shell.opened[0]);
    QCOMPARE(mailUrl.scheme(), u"mailto"_qs);
    QCOMPARE(mailUrl.query(QUrl::FullyDecoded), u"Subject=from site - QUZ"_qs);
    const QUrl site = quz::platform::shellUrl(fx.dir.shell.opened[1]);
    QVERIFY(site.scheme().startsWith(u"http"_qs));
    QVERIFY(!site.host().isEmpty());
    QVERIFY(fx.dir.dialogs.shown.isEmpty());
}

void TestShell::hintPanel_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("expected");

    QTest::newRow("picture") << u"Image1"_qs << u"Двойной клик - Комментарий"_qs;
    QTest::newRow("variant area") << u"Memo1"_qs << u"Показать комментарий - [F1]"_qs;
    QTest::newRow("range start, the group's hint") << u"laSt"_qs << u"Вопросы из билета."_qs;
    QTest::newRow("range end, the group's hint") << u"laEn"_qs << u"Вопросы из билета."_qs;
    QTest::newRow("range spin button") << u"SpinButton1"_qs << u"Вопросы из билета."_qs;
    QTest::newRow("other range spin button") << u"SpinButton2"_qs << u"Вопросы из билета."_qs;
    QTest::newRow("check box") << u"rnd"_qs << u"Случайный порядок билетов."_qs;
    QTest::newRow("number label with a tooltip") << u"NumBilet"_qs << u"Сменить номер билета."_qs;
    QTest::newRow("help button") << u"sbHelp"_qs << u"Help"_qs;
    QTest::newRow("web button") << u"sbWWW"_qs
                                << u"А Вы отметились в \"Гостевой книге \" на сайте?"_qs;
    QTest::newRow("start button: none") << u"Start"_qs << QString();
    QTest::newRow("comment text") << u"Koment"_qs << u"Двойной клик [любая клавиша] - Закрыть"_qs;
    QTest::newRow("journal check box")
        << u"delErr"_qs << u"Удалять вопрос из журнала ошибок после ответа на него"_qs;
    QTest::newRow("journal button without a tooltip")
        << u"SpeedButton1 of the journal"_qs << u"Сохранить \"журнал ошибок\""_qs;
    QTest::newRow("journal list: none") << u"lbStat"_qs << QString();
}

void TestShell::hintPanel()
{
    QFETCH(QString, control);
    QFETCH(QString, expected);
    FormFixture fx;
    showSecondaryWindows(fx);
    QWidget *target = ::control(fx, control);
    QVERIFY(target);
    // From a hinted control, so that an empty expected hint is a change too.
    QTest::mouseMove(fx.f1()->sbHelp);
    QTRY_COMPARE(fx.f1()->StatusBar1->hintText(), u"Help"_qs);
    QTest::mouseMove(target);
    QTRY_COMPARE(fx.f1()->StatusBar1->hintText(), expected);
}

void TestShell::tooltips_data()
{
    QTest::addColumn<int>("window"); // 1, 2 or 3
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("main window") << 1
                                 << QStringList{u"NumBilet"_qs, u"NumVop"_qs, u"sbWavErr"_qs,
                                                u"sbWav"_qs};
    QTest::newRow("comment window") << 2 << QStringList{};
    QTest::newRow("journal window")
        << 3 << QStringList{u"delErr"_qs, u"sbClear"_qs, u"sbAnsver"_qs, u"sbClose"_qs};
}

void TestShell::tooltips()
{
    QFETCH(int, window);
    QFETCH(QStringList, expected);
    FormFixture::Options options;
    // With chosen sounds, whose paths the WAV load buttons show as tooltips.
    options.settings = u"[prog]\r\nWavYes=/snd/yes.wav\r\nWavErr=/snd/err.wav\r\n"_qs;
    FormFixture fx(options);
    const QHash<QWidget *, QString> named = {
        {fx.f1()->NumBilet, u"NumBilet"_qs}, {fx.f1()->NumVop, u"NumVop"_qs},
        {fx.f1()->sbWavErr, u"sbWavErr"_qs}, {fx.f1()->sbWav, u"sbWav"_qs},
        {fx.f3()->delErr, u"delErr"_qs},     {fx.f3()->sbClear, u"sbClear"_qs},
        {fx.f3()->sbAnsver, u"sbAnsver"_qs}, {fx.f3()->sbClose, u"sbClose"_qs},
    };
    QWidget *root = window == 1   ? static_cast<QWidget *>(fx.f1())
                    : window == 2 ? static_cast<QWidget *>(fx.f2())
                                  : static_cast<QWidget *>(fx.f3());
    QStringList withTooltip;
    for (QWidget *w : root->findChildren<QWidget *>())
        if (!w->toolTip().isEmpty())
            withTooltip << named.value(w, w->metaObject()->className());
    withTooltip.sort();
    expected.sort();
    QCOMPARE(withTooltip, expected);
    if (window == 1)
        QCOMPARE(fx.f1()->sbWav->toolTip(), u"/snd/yes.wav"_qs);
}

void TestShell::hover_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QPoint>("at"); // within the control; null for its centre
    QTest::addColumn<bool>("tipsHidden");
    QTest::addColumn<bool>("startBold");
    QTest::addColumn<bool>("errorsBold");

    QTest::newRow("ticket number") << u"NumBilet"_qs << QPoint() << true << true << false;
    QTest::newRow("question number") << u"NumVop"_qs << QPoint() << true << true << false;
    QTest::newRow("ticket tip") << u"L1"_qs << QPoint() << true << true << false;
    QTest::newRow("question tip") << u"L2"_qs << QPoint() << true << true << false;
    QTest::newRow("start button") << u"Start"_qs << QPoint() << true << true << false;
    QTest::newRow("errors button") << u"sbErr"_qs << QPoint() << false << false << true;
    QTest::newRow("variant area") << u"Memo1"_qs << QPoint() << false << false << false;
    QTest::newRow("picture away from the tips")
        << u"Image1"_qs << QPoint(400, 80) << false << false << false;
    QTest::newRow("range group") << u"laSt"_qs << QPoint() << false << false << false;
}

void TestShell::hover()
{
    QFETCH(QString, control);
    QFETCH(QPoint, at);
    QFETCH(bool, tipsHidden);
    FormFixture fx;
    TForm1 *f1 = fx.f1();
    pointerToNeutralPlace(fx);
    QVERIFY(f1->L1->isVisible() && f1->L2->isVisible());
    QVERIFY(!f1->Start->font().bold() && !f1->sbErr->font().bold());

    QTest::mouseMove(::control(fx, control), at);
    QCOMPARE(f1->L1->isHidden(), tipsHidden);
    QCOMPARE(f1->L2->isHidden(), tipsHidden);
    QTEST(f1->Start->font().bold(), "startBold");
    QTEST(f1->sbErr->font().bold(), "errorsBold");
    // The bold state changes the style only: font and size stay.
    QCOMPARE(f1->Start->font().pixelSize(), quz::platform::look::windowFont(12).pixelSize());
}

void TestShell::hoverSequence()
{
    FormFixture fx;
    TForm1 *f1 = fx.f1();
    pointerToNeutralPlace(fx);
    QTest::mouseMove(f1->Start);
    QTest::mouseMove(f1->sbErr);
    QVERIFY(f1->Start->font().bold() && f1->sbErr->font().bold());
    // Straight out of the window, without crossing the strip: both stay bold.
    QTest::mouseMove(f1, QPoint(300, 100));
    QVERIFY(f1->Start->font().bold() && f1->sbErr->font().bold());
    // The strip's bare background (below its controls) ends both.
    QTest::mouseMove(f1->Panel4, QPoint(300, 35));
    QVERIFY(!f1->Start->font().bold() && !f1->sbErr->font().bold());
    // The tip labels went with the first hover and do not come back.
    QVERIFY(f1->L1->isHidden() && f1->L2->isHidden());
    QTest::mouseMove(f1->questionView->Image1, QPoint(20, 20));
    QVERIFY(f1->L1->isHidden() && f1->L2->isHidden());
    // Over a control of the strip the background's effect does not run.
    QTest::mouseMove(f1->Start);
    QTest::mouseMove(f1->SpeedButton1);
    QTest::mouseMove(f1->rnd);
    QVERIFY(f1->Start->font().bold());
}

void TestShell::minimumSize()
{
    FormFixture fx;
    TForm1 *f1 = fx.f1();
    const QSize frame = f1->frameGeometry().size() - f1->size();
    // Sizes asked for as outer sizes; the window takes client sizes.
    const auto resizeOuter = [f1, frame](QSize outer) { f1->resize(outer - frame); };
    resizeOuter(QSize(300, 200));
    QTRY_COMPARE(f1->frameGeometry().size(), QSize(548, 414));
    resizeOuter(QSize(547, 500));
    QTRY_COMPARE(f1->frameGeometry().size(), QSize(548, 500));
    resizeOuter(QSize(700, 413));
    QTRY_COMPARE(f1->frameGeometry().size(), QSize(700, 414));
    // No maximum.
    resizeOuter(QSize(2000, 1500));
    QTRY_COMPARE(f1->frameGeometry().size(), QSize(2000, 1500));
}

void TestShell::bands_data()
{
    QTest::addColumn<QSize>("asked"); // client size asked for
    QTest::newRow("smallest") << QSize(1, 1);
    QTest::newRow("wider and higher") << QSize(760, 540);
}

void TestShell::bands()
{
    QFETCH(QSize, asked);
    FormFixture fx;
    TForm1 *f1 = fx.f1();
    f1->resize(asked);
    const int w = f1->width();
    const int h = f1->height();
    if (asked == QSize(1, 1))
        QCOMPARE(f1->frameGeometry().size(), QSize(548, 414));
    else
        QCOMPARE(f1->size(), asked);
    QCOMPARE(f1->Panel1->geometry(), QRect(0, 0, w, h - 57));
    QCOMPARE(f1->Panel4->geometry(), QRect(0, h - 19 - 37, w, 37));
    QCOMPARE(f1->StatusBar1->geometry(), QRect(0, h - 19, w, 19));
    QCOMPARE(f1->gb1->geometry(), QRect(4, 0, w - 7, h - 57 - 4));
    // In the strip only "Старт" follows the width, its left edge fixed and
    // its right edge 3 px from the strip's end (narrower than its design
    // width of 92 px at the smallest window).
    QCOMPARE(f1->Start->geometry(), QRect(476, 4, w - 3 - 476, 29));
    QCOMPARE(f1->Start->width() < 92, w < 571);
    QCOMPARE(f1->GroupBox1->geometry(), QRect(4, 1, 145, 33));
    QCOMPARE(f1->SpeedButton1->geometry(), QRect(152, 6, 95, 27));
    QCOMPARE(f1->autoRes->geometry(), QRect(250, 4, 85, 15));
    QCOMPARE(f1->rnd->geometry(), QRect(250, 19, 71, 15));
    QCOMPARE(f1->chbKoment->geometry(), QRect(340, 4, 71, 15));
    QCOMPARE(f1->sbErr->geometry(), QRect(416, 4, 57, 29));
    // The variant area widens with the window.
    QCOMPARE(f1->questionView->Memo1->width(), 532 + w - 571);
    // The sound panel takes the strip's place when it is open.
    FormFixture::click(f1->SpeedButton1);
    QCOMPARE(f1->Panel5->geometry(), QRect(0, h - 19 - 38, w, 38));
    // Status bar: the three small buttons over the hint panel's right end,
    // the credit right-aligned from the hint panel's end to the bar's end.
    QCOMPARE(f1->sbWWW->geometry(), QRect(353, 3, 15, 15));
    QCOMPARE(f1->sbHelp->geometry(), QRect(368, 3, 15, 15));
    QCOMPARE(f1->sbEmail->geometry(), QRect(383, 3, 15, 15));
    QLabel *credit = nullptr;
    for (QLabel *l : f1->StatusBar1->findChildren<QLabel *>())
        if (l->x() >= quz::practice::TStatusBar::kHintPanelWidth)
            credit = l;
    QVERIFY(credit);
    QVERIFY(credit->alignment() & Qt::AlignRight);
    QVERIFY(credit->geometry().right() >= w - 20);
    // Its text fits; where the panel is too narrow, the end gives way.
    const QString full = f1->StatusBar1->creditText();
    QVERIFY(credit->fontMetrics().horizontalAdvance(credit->text())
            <= credit->contentsRect().width());
    if (credit->text() != full) {
        QVERIFY(credit->text().endsWith(QChar(0x2026)));
        QVERIFY(full.startsWith(credit->text().chopped(1)));
    }
}

void TestShell::windowsSnap_data()
{
    QTest::addColumn<int>("window");
    QTest::newRow("main window") << 1;
    QTest::newRow("comment window") << 2;
    QTest::newRow("journal window") << 3;
}

void TestShell::windowsSnap()
{
    QFETCH(int, window);
    FormFixture fx;
    showSecondaryWindows(fx);
    QWidget *w = window == 1   ? static_cast<QWidget *>(fx.f1())
                 : window == 2 ? static_cast<QWidget *>(fx.f2())
                               : static_cast<QWidget *>(fx.f3());
    w->resize(300, 200);
    const QRect area = w->screen()->availableGeometry();
    w->move(area.left() + 7, area.top() + 40);
    QTRY_COMPARE(w->frameGeometry().topLeft(), QPoint(area.left(), area.top() + 40));
    // The bottom-right corner: the frame's far edges go to the area's edges.
    w->move(area.right() - w->frameGeometry().width() - 5,
            area.bottom() - w->frameGeometry().height() + 8);
    QTRY_COMPARE(w->frameGeometry().bottomRight(), area.bottomRight());
    w->move(area.left() + 60, area.top() + 50);
    QTRY_COMPARE(w->frameGeometry().topLeft(), area.topLeft() + QPoint(60, 50));
}

void TestShell::captionGapsHoldNumbers()
{
    FormFixture fx;
    TForm1 *f1 = fx.f1();
    const QImage image = boxOnly(f1->gb1);
    const auto [caption, frameTop] = boxParts(f1->gb1);
    const int rows = caption.bottom() + 1;
    const QRect ticket = f1->NumBilet->geometry();
    const QRect question = f1->NumVop->geometry();
    // No letter of the caption lies under a number label...
    QCOMPARE(captionInk(image, ticket.left(), ticket.right() + 1, rows), 0);
    QCOMPARE(captionInk(image, question.left(), question.right() + 1, rows), 0);
    // ...and each part of it shows: "Билет номер -" before the ticket number,
    // ", Вопрос" between the numbers and the " -" right before the question
    // number.
    QVERIFY(captionInk(image, caption.left(), ticket.left(), rows) > 0);
    QVERIFY(captionInk(image, ticket.right() + 1, question.left() - 24, rows) > 0);
    QVERIFY(captionInk(image, question.left() - 24, question.left(), rows) > 0);
    // The caption sits on the frame's top line.
    QVERIFY(frameTop > caption.top() && frameTop < caption.bottom());
}

void TestShell::groupBoxFramesClearTheirControls()
{
    FormFixture fx;
    TForm1 *f1 = fx.f1();
    for (QGroupBox *box : {f1->GroupBox1, f1->GroupBox2, f1->GroupBox3}) {
        const auto [caption, top] = boxParts(box);
        QVERIFY2(top > caption.top() && top < caption.bottom(), qPrintable(box->title()));
        for (QWidget *child : box->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
            if (child->isHidden())
                continue;
            // Neither the frame's top line nor the caption runs through a
            // control of the box.
            QVERIFY2(child->y() > top + 1, qPrintable(box->title()));
            QVERIFY2(!child->geometry().intersects(caption), qPrintable(box->title()));
        }
    }
}

void TestShell::titleAnimationSteps_data()
{
    QTest::addColumn<bool>("firstStart");
    QTest::addColumn<int>("ticks");
    QTest::addColumn<QString>("expected");

    QTest::newRow("first tick") << false << 1 << lowered(1);
    QTest::newRow("second tick") << false << 2 << lowered(2);
    // Position 16 is the blank between the first two words: the letter after
    // it is capital on that tick and on the next.
    QTest::newRow("on the blank") << false << 16 << lowered(17);
    QTest::newRow("after the blank") << false << 17 << lowered(17);
    QTest::newRow("last position") << false << 29 << lowered(29);
    QTest::newRow("wrapped to the start") << false << 30 << lowered(1);
    QTest::newRow("first start counts on from 1") << true << 1 << lowered(2);
}

void TestShell::titleAnimationSteps()
{
    QFETCH(bool, firstStart);
    QFETCH(int, ticks);
    FormFixture::Options options;
    options.firstStart = firstStart;
    FormFixture fx(options);
    for (int i = 0; i < ticks; ++i)
        fx.f1()->Timer1Timer();
    QTEST(fx.f1()->windowTitle(), "expected");
    QTEST(*fx.dir.services.appTitle, "expected");
}

void TestShell::titleAnimationAcrossRuns()
{
    FormFixture fx;
    TForm1 *f1 = fx.f1();
    fx.start();
    QVERIFY(f1->Timer1->isActive());
    for (int i = 0; i < 3; ++i)
        f1->Timer1Timer();
    FormFixture::click(f1->Start); // stop
    QVERIFY(!f1->isRunning());
    QVERIFY(!f1->Timer1->isActive());
    // The caption keeps its last animated form, in the window and as the
    // application's title.
    QCOMPARE(f1->windowTitle(), lowered(3));
    QCOMPARE(*fx.dir.services.appTitle, lowered(3));
    // The next run resumes at the next position.
    fx.start();
    QVERIFY(f1->Timer1->isActive());
    f1->Timer1Timer();
    QCOMPARE(f1->windowTitle(), lowered(4));
}

void TestShell::titleAnimationTimer()
{
    FormFixture fx;
    fx.start();
    QCOMPARE(fx.f1()->Timer1->interval(), 200);
    QTRY_COMPARE_WITH_TIMEOUT(fx.f1()->windowTitle(), lowered(2), 2000);
}

void TestShell::noTitleAnimationWithCommandLineJournal()
{
    FormFixture::Options options;
    options.commandLineFile = u"/nonexistent/journal.quz"_qs;
    FormFixture fx(options);
    fx.dir.dialogs.shown.clear();
    fx.start();
    QVERIFY(!fx.f1()->Timer1->isActive());
    FormFixture::click(fx.f1()->Start);
    fx.start();
    QVERIFY(!fx.f1()->Timer1->isActive());
    QCOMPARE(fx.f1()->windowTitle(), TForm1::designCaption());
}

QTEST_MAIN(TestShell)
#include "tst_shell.moc"
