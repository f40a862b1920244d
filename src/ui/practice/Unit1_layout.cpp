// Building the main window's controls at their designed places and sizes
// (design client area 571 x 385) and keeping them there when it is resized.

#include "ui/practice/Unit1.h"

#include "ui/platform/anchors.h"
#include "ui/platform/control_state.h"
#include "ui/platform/look.h"
#include "ui/practice/spin_button_widget.h"
#include "ui/practice/status_bar_widget.h"
#include "ui/question/question_view.h"

#include <QCheckBox>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QSpinBox>
#include <QStyle>
#include <QStyleOptionGroupBox>
#include <QTimer>
#include <QToolButton>

using quz::platform::Anchors;
using quz::platform::setHint;
using quz::platform::Tooltip;
namespace look = quz::platform::look;

namespace quz::practice {

namespace {

constexpr int kDesignWidth = 571;
constexpr int kDesignHeight = 385;
constexpr int kStripHeight = 37;
constexpr int kSoundPanelHeight = 38;
constexpr int kStatusHeight = 19;
constexpr int kPanel1BottomGap = 57;

QToolButton *speedButton(QWidget *parent, const QString &caption, QRect place)
{
    auto *b = new QToolButton(parent);
    b->setText(caption);
    b->setGeometry(place);
    b->setFocusPolicy(Qt::NoFocus);
    b->setAutoRaise(false);
    return b;
}

QCheckBox *checkBox(QWidget *parent, const QString &caption, QRect place)
{
    auto *c = new QCheckBox(caption, parent);
    c->setGeometry(place);
    c->setFocusPolicy(Qt::NoFocus);
    return c;
}

QLabel *label(QWidget *parent, const QString &caption, QRect place)
{
    auto *l = new QLabel(caption, parent);
    l->setGeometry(place);
    return l;
}

// The two number labels sit in the blanks of the group box's caption, at
// fixed places. The caption was laid out for a font of other widths; of the
// sizes 8 to 16 px, the largest is taken at which the text before each blank
// run ends before its label and the text after the first run starts after
// NumBilet. When no size fits, the design size stays.
class CaptionGaps {
public:
    CaptionGaps(QGroupBox *box, const QLabel *ticket, const QLabel *question)
        : m_box(box)
        , m_ticket(ticket)
        , m_question(question)
    {
        QStyleOptionGroupBox option;
        option.initFrom(box);
        option.text = box->title();
        option.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
        m_left = box->style()
                     ->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, box)
                     .left();
    }

    // Every size costs the font at that size, so the search does not try
    // them all: the widths grow with the size, which makes the sizes that
    // fit one run of neighbours. It starts where the design size's widths
    // point and steps towards the largest size of the run.
    void fit()
    {
        QFont font = m_box->font();
        const int design = QFontInfo(font).pixelSize();
        const QFontMetrics metrics(font);
        const double room = std::min(double(m_ticket->x() - m_left)
                                         / std::max(1, metrics.horizontalAdvance(kBeforeTicket)),
                                     double(m_question->x() - m_left)
                                         / std::max(1, metrics.horizontalAdvance(kBeforeQuestion)));
        int pixels = std::clamp(int(design * room), kSmallest, kLargest);
        Fit at = fits(font, pixels);
        while (at == Fit::TooNarrow && pixels < kLargest)
            at = fits(font, ++pixels);
        while (at == Fit::TooWide && pixels > kSmallest)
            at = fits(font, --pixels);
        if (at != Fit::Yes)
            return;
        while (pixels < kLargest && fits(font, pixels + 1) == Fit::Yes)
            ++pixels;
        font.setPixelSize(pixels);
        m_box->setFont(font);
    }

private:
    enum class Fit { Yes, TooWide, TooNarrow };
    static constexpr int kSmallest = 8;
    static constexpr int kLargest = 16;
    inline static const QString kBeforeTicket = QStringLiteral(" Билет номер -");
    inline static const QString kAfterTicket = QStringLiteral(" Билет номер -        ");
    inline static const QString kBeforeQuestion =
        QStringLiteral(" Билет номер -        , Вопрос -");

    Fit fits(QFont font, int pixels) const
    {
        font.setPixelSize(pixels);
        const QFontMetrics metrics(font);
        if (m_left + metrics.horizontalAdvance(kBeforeTicket) >= m_ticket->x()
            || m_left + metrics.horizontalAdvance(kBeforeQuestion) >= m_question->x())
            return Fit::TooWide;
        if (m_left + metrics.horizontalAdvance(kAfterTicket) <= m_ticket->geometry().right() + 1)
            return Fit::TooNarrow;
        return Fit::Yes;
    }

    QGroupBox *m_box;
    const QLabel *m_ticket;
    const QLabel *m_question;
    int m_left = 0;
};

} // namespace

void TForm1::buildControls()
{
    setWindowTitle(designCaption());
    setFont(look::windowFont());
    resize(kDesignWidth, kDesignHeight);
    // Panels and the blank picture share the button-face colour.
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, look::btnFace());
    setPalette(palette);
    setAutoFillBackground(true);

    Panel1 = new QWidget(this);
    Panel1->setGeometry(0, 0, kDesignWidth, kDesignHeight - kPanel1BottomGap);
    buildQuestionArea();
    buildControlStrip();
    buildSoundPanel();
    buildStatusBar();

    Timer1 = new QTimer(this);
    Timer1->setInterval(200);
    installShell();
}

void TForm1::buildQuestionArea()
{
    gb1 = new QGroupBox(QStringLiteral(" Билет номер -        , Вопрос -      "), Panel1);
    gb1->setGeometry(4, 0, 564, 324);
    gb1->setFont(look::windowFont(8, true));
    look::setTextColor(gb1, look::blue());
    look::putCaptionOnFrame(gb1);
    Anchors::keep(gb1, Qt::LeftEdge | Qt::TopEdge | Qt::RightEdge | Qt::BottomEdge);

    // The question view fills the group box's inside.
    questionView = new quz::question::QuestionView(gb1);
    questionView->setGeometry(2, 15, 560, 307);
    Anchors::keep(questionView, Qt::LeftEdge | Qt::TopEdge | Qt::RightEdge | Qt::BottomEdge);
    QWidget *questionPanel = questionView->Panel3;

    L1 = label(questionPanel, QStringLiteral("^ Сменить номер билета."), QRect(104, 4, 44, 52));
    L2 = label(questionPanel, QStringLiteral("^ Сменить номер вопроса."), QRect(196, 4, 45, 52));
    // The tips' longest word must fit their 44 px width.
    QFont tipFont = look::windowFont();
    tipFont.setPixelSize(10);
    for (QLabel *tip : {L1, L2}) {
        tip->setFont(tipFont);
        tip->setWordWrap(true);
        tip->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        look::setTextColor(tip, Qt::black);
        look::setBackground(tip, look::cream());
    }

    const QFont numberFont = look::windowFont(10, true);
    NumBilet = label(gb1, QStringLiteral("01"), QRect(100, -1, 17, 16));
    NumVop = label(gb1, QStringLiteral("01"), QRect(192, -1, 17, 16));
    setHint(NumBilet, QStringLiteral("Сменить номер билета."), Tooltip::Shown);
    setHint(NumVop, QStringLiteral("Сменить номер вопроса."), Tooltip::Shown);
    for (QLabel *number : {NumBilet, NumVop}) {
        number->setFont(numberFont);
        look::setTextColor(number, look::red());
        number->setCursor(Qt::PointingHandCursor);
        number->setMargin(0);
        look::setBackground(number, look::btnFace());
    }

    edbv = new QSpinBox(gb1);
    edbv->setGeometry(240, -1, 37, 22);
    edbv->setRange(1, 40);
    edbv->setButtonSymbols(QAbstractSpinBox::UpDownArrows);
    edbv->setFont(look::windowFont());
    look::setTextColor(edbv, look::blue());
    edbv->hide();

    Otvet = label(gb1, QString(), QRect(346, 0, 8, 13));
    Otvet->hide();

    CaptionGaps(gb1, NumBilet, NumVop).fit();
    NumBilet->raise();
    NumVop->raise();
    edbv->raise();
}

void TForm1::buildControlStrip()
{
    Panel4 = new QFrame(this);
    Panel4->setGeometry(0, 329, kDesignWidth, kStripHeight);
    Panel4->setFrameShape(QFrame::NoFrame);
    Panel4->setMouseTracking(true);

    GroupBox1 = new QGroupBox(QStringLiteral("Вопросы"), Panel4);
    GroupBox1->setGeometry(4, 1, 145, 33);
    look::setTextColor(GroupBox1, look::blue());
    look::putCaptionOnFrame(GroupBox1);
    setHint(GroupBox1, QStringLiteral("Вопросы из билета."));
    Label4 = label(GroupBox1, QStringLiteral("с"), QRect(16, 14, 10, 13));
    laSt = label(GroupBox1, QStringLiteral("01"), QRect(31, 13, 17, 16));
    SpinButton1 = new TSpinButton(GroupBox1);
    SpinButton1->setGeometry(57, 9, 20, 21);
    Label2 = label(GroupBox1, QStringLiteral("по"), QRect(83, 14, 14, 13));
    laEn = label(GroupBox1, QStringLiteral("20"), QRect(99, 13, 17, 16));
    SpinButton2 = new TSpinButton(GroupBox1);
    SpinButton2->setGeometry(118, 9, 20, 21);
    for (QLabel *number : {laSt, laEn}) {
        number->setFont(look::windowFont(10, true));
        look::setTextColor(number, look::purple());
    }

    SpeedButton1 = speedButton(Panel4, QStringLiteral("Настроить звуки"), QRect(152, 6, 95, 27));
    SpeedButton1->setCursor(Qt::PointingHandCursor);

    autoRes = checkBox(Panel4, QStringLiteral("Авто размер"), QRect(250, 4, 85, 15));
    setHint(autoRes, QStringLiteral("Авт. размер поля с вариантами ответов."));
    rnd = checkBox(Panel4, QStringLiteral("Случайно"), QRect(250, 19, 71, 15));
    setHint(rnd, QStringLiteral("Случайный порядок билетов."));
    chbKoment = checkBox(Panel4, QStringLiteral("Коммент."), QRect(340, 4, 71, 15));
    setHint(chbKoment, QStringLiteral("Авт. показ комментария при ошибке."));
    for (QCheckBox *c : {autoRes, rnd, chbKoment}) {
        look::setTextColor(c, look::blue());
        c->setCursor(Qt::PointingHandCursor);
    }

    sbErr = speedButton(Panel4, QStringLiteral("Ошибки"), QRect(416, 4, 57, 29));
    look::setTextColor(sbErr, look::olive());
    sbErr->setCursor(Qt::PointingHandCursor);
    setHint(sbErr, QStringLiteral("Показать / скрыть журнал ошибок"));

    Start = speedButton(Panel4, QStringLiteral("Старт"), QRect(476, 4, 92, 29));
    Start->setFont(look::windowFont(12));
    look::setTextColor(Start, look::lime());
    Start->setCursor(Qt::PointingHandCursor);
    Anchors::keep(Start, Qt::LeftEdge | Qt::RightEdge | Qt::BottomEdge);
}

void TForm1::buildSoundPanel()
{
    Panel5 = new QFrame(this);
    Panel5->setGeometry(0, 329, kDesignWidth, kSoundPanelHeight);
    Panel5->hide();

    GroupBox2 = new QGroupBox(QStringLiteral(" При ошибке "), Panel5);
    GroupBox2->setGeometry(2, 0, 245, 32);
    beepErr = checkBox(GroupBox2, QStringLiteral("РС - спикер"), QRect(10, 12, 83, 17));
    wavOnErr = checkBox(GroupBox2, QString(), QRect(98, 12, 15, 17));
    sbWavErr =
        speedButton(GroupBox2, QStringLiteral("загрузить WAV звук"), QRect(112, 12, 117, 17));
    wavErr = label(GroupBox2, QString(), QRect(230, 14, 12, 13));
    wavErr->hide();

    GroupBox3 = new QGroupBox(QStringLiteral(" Правильный ответ "), Panel5);
    GroupBox3->setGeometry(250, 0, 245, 32);
    beep = checkBox(GroupBox3, QStringLiteral("РС-спикер"), QRect(10, 12, 75, 17));
    wavOn = checkBox(GroupBox3, QString(), QRect(98, 12, 15, 17));
    sbWav = speedButton(GroupBox3, QStringLiteral("загрузитьm WAV звук"), QRect(114, 12, 117, 17));
    WavYes = label(GroupBox3, QString(), QRect(230, 14, 12, 13));
    WavYes->hide();

    look::putCaptionOnFrame(GroupBox2);
    look::putCaptionOnFrame(GroupBox3);
    for (QCheckBox *c : {beepErr, beep})
        look::setTextColor(c, look::olive());
    for (QToolButton *b : {sbWavErr, sbWav}) {
        look::setTextColor(b, look::teal());
        b->setAutoRaise(true);
    }

    SpeedButton2 = speedButton(Panel5, QStringLiteral("OK"), QRect(498, 6, 35, 27));
    SpeedButton2->setFont(look::windowFont(12, true));
    look::setTextColor(SpeedButton2, look::blue());
    accessSoundPanel();
}

void TForm1::buildStatusBar()
{
    StatusBar1 = new TStatusBar(this);
    StatusBar1->setGeometry(0, kDesignHeight - kStatusHeight, kDesignWidth, kStatusHeight);

    // At design the three small buttons stand in the question panel; the end
    // of the window's creation moves them onto the status bar.
    QWidget *questionPanel = questionView->Panel3;
    sbWWW = speedButton(questionPanel, QStringLiteral("!"), QRect(242, 144, 15, 15));
    sbHelp = speedButton(questionPanel, QStringLiteral("?"), QRect(258, 144, 15, 15));
    sbEmail = speedButton(questionPanel, QStringLiteral("@"), QRect(274, 144, 15, 15));
    const QColor colours[] = {look::green(), look::red(), look::blue()};
    int i = 0;
    for (QToolButton *b : {sbWWW, sbHelp, sbEmail}) {
        b->setFont(look::windowFont(8, true));
        look::setTextColor(b, colours[i++]);
        b->setAutoRaise(true);
    }
    setHint(sbWWW, QStringLiteral("А Вы отметились в \"Гостевой книге \" на сайте?"));
    setHint(sbHelp, QStringLiteral("Help"));
    setHint(sbEmail, QStringLiteral("Send Mail"));
}

// The window's bands: Panel1 on top down to 57 px above the client bottom,
// the control strip (or the sound panel) above the status bar, the status bar
// at the bottom.
void TForm1::layoutBands()
{
    const int w = width();
    const int h = height();
    StatusBar1->setGeometry(0, h - kStatusHeight, w, kStatusHeight);
    Panel4->setGeometry(0, h - kStatusHeight - kStripHeight, w, kStripHeight);
    Panel5->setGeometry(0, h - kStatusHeight - kSoundPanelHeight, w, kSoundPanelHeight);
    Panel1->setGeometry(0, 0, w, std::max(0, h - kPanel1BottomGap));
}

void TForm1::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    layoutBands();
}

} // namespace quz::practice
