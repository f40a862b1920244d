// The main window's life: creation (in its fixed order of steps), the first
// show, the close, and its two settings batches.

#include "practice/Unit1.h"

#include "bank/comment_bank.h"
#include "bank/question_bank.h"
#include "bank/text_file.h"
#include "comment/Unit2.h"
#include "journal/Unit3.h"
#include "platform/anchors.h"
#include "platform/look.h"
#include "platform/settings_batch.h"
#include "practice/picture_widget.h"
#include "practice/spin_button_widget.h"
#include "practice/status_bar_widget.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QSpinBox>
#include <QSplitter>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>

using quz::platform::setTag;
using quz::platform::tag;

namespace {

// A failed step of the window's creation: the remaining steps are skipped.
struct StepFailure {
    QString text;
};

} // namespace

QString TForm1::designCaption()
{
    return QStringLiteral("Экзаменационные билеты QUZ от 01.01.2004 v.2.2.1");
}

TForm1::TForm1(quz::Services &services, quz::WindowSet &windows, QWidget *parent)
    : QWidget(parent)
    , m_services(services)
    , m_windows(windows)
{
    m_windows.Form1 = this;
    buildControls();
    connectHandlers();
    FormCreate();
}

TForm1::~TForm1()
{
    if (m_windows.Form1 == this)
        m_windows.Form1 = nullptr;
}

void TForm1::connectHandlers()
{
    connect(SpinButton1, &TSpinButton::upClick, this, &TForm1::SpinButton1UpClick);
    connect(SpinButton1, &TSpinButton::downClick, this, &TForm1::SpinButton1DownClick);
    connect(SpinButton2, &TSpinButton::upClick, this, &TForm1::SpinButton2UpClick);
    connect(SpinButton2, &TSpinButton::downClick, this, &TForm1::SpinButton2DownClick);
    connect(Start, &QToolButton::clicked, this, &TForm1::StartClick);
    connect(sbErr, &QToolButton::clicked, this, &TForm1::sbErrClick);
    for (QToolButton *button : sb)
        connect(button, &QToolButton::clicked, this, [this, button] { sb1Click(button); });
    connect(SpeedButton1, &QToolButton::clicked, this, &TForm1::SpeedButton1Click);
    connect(SpeedButton2, &QToolButton::clicked, this, &TForm1::SpeedButton2Click);
    connect(wavOnErr, &QCheckBox::clicked, this, &TForm1::wavOnErrClick);
    connect(wavOn, &QCheckBox::clicked, this, &TForm1::wavOnClick);
    connect(sbWavErr, &QToolButton::clicked, this, &TForm1::sbWavErrClick);
    connect(sbWav, &QToolButton::clicked, this, &TForm1::sbWavClick);
    connect(Image1, &quz::practice::TImage::doubleClicked, this, &TForm1::Image1DblClick);
    connect(Timer1, &QTimer::timeout, this, &TForm1::Timer1Timer);
    // A picture whose pixels cannot be decoded is replaced by the blank one.
    connect(Image1, &quz::practice::TImage::pictureError, this, &TForm1::showPlaceholder);

    // Clicks on the question area and the control strip commit the number
    // editor; clicks on the number labels open it.
    for (QWidget *w :
         {static_cast<QWidget *>(gb1), Panel3, static_cast<QWidget *>(Vopros),
          static_cast<QWidget *>(Image1), Memo1->viewport(), static_cast<QWidget *>(Panel4),
          static_cast<QWidget *>(NumBilet), static_cast<QWidget *>(NumVop)})
        w->installEventFilter(this);
    // The window sees key presses before the focused control does.
    edbv->installEventFilter(this);
    setFocusPolicy(Qt::StrongFocus);
}

bool TForm1::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::LeftButton) {
            // The number labels' press is taken here, so that it does not
            // travel on to the group box, whose click would commit again.
            if (watched == NumBilet) {
                NumBiletClick();
                return true;
            }
            if (watched == NumVop) {
                NumVopClick();
                return true;
            }
            OkedBV();
        }
    } else if (event->type() == QEvent::KeyPress && watched == edbv) {
        // Keys typed into the number editor pass the window's keyboard first.
        auto *key = static_cast<QKeyEvent *>(event);
        if (FormKeyDown(key->key(), key->modifiers()))
            return true;
        if (!key->text().isEmpty() && FormKeyPress(key->text().front()))
            return true;
    }
    return QWidget::eventFilter(watched, event);
}

void TForm1::FormCreate()
{
    try {
        checkPictures();
        readSettings();
        view();
        wavOnErrClick();
        wavOnClick();
        sbWavErr->setToolTip(wavErr->text());
        sbWav->setToolTip(WavYes->text());
        // The control strip: at top 329, 37 px high, docked to the bottom.
        layoutBands();
        loadBanks();
        setUpStatusBar();
    } catch (const StepFailure &failure) {
        m_services.dialogs->showFailure(this, m_services.title(), failure.text);
    }
}

QString TForm1::readTextOrFail(const QString &fileName)
{
    QString error;
    const auto bytes = quz::bank::readFileBytes(m_services.dataPath(fileName), &error);
    if (!bytes)
        throw StepFailure{error};
    return quz::bank::fromCp1251(quz::bank::joinCrLf(quz::bank::splitLines(*bytes)));
}

void TForm1::checkPictures()
{
    if (quz::bank::isPictureFile(m_services.dataPath(QStringLiteral("bmp/Quz_1_10.jpg"))))
        return;
    const QString notes = readTextOrFail(QStringLiteral("Установка!!!.txt"));
    m_services.dialogs->messageBox(this, m_services.title(),
                                   QStringLiteral("Картинки к билетам НЕ НАЙДЕНЫ!!!\r\n\r\n\r\n")
                                       + notes);
}

void TForm1::readSettings()
{
    const quz::platform::SettingsBatch ini(m_services.settingsPath());
    const int left = ini.integer("SCR", "left", 0);
    const int top = ini.integer("SCR", "top", 0);
    const int height = ini.integer("SCR", "height", 472);
    const int width = ini.integer("SCR", "width", 610);
    quz::platform::setOuterGeometry(this, left, top, width, height);
    NumBilet->setText(ini.text("prg", "nBilet", QStringLiteral("01")));
    NumVop->setText(ini.text("prg", "nVopros", QStringLiteral("01")));
    setTag(laSt, ini.integer("prg", "st", 1));
    setTag(laEn, ini.integer("prg", "en", 20));
    rnd->setChecked(ini.boolean("prg", "rnd", false));
    autoRes->setChecked(ini.boolean("prg", "ares", true));
    beep->setChecked(ini.boolean("prg", "beep", true));
    beepErr->setChecked(ini.boolean("prg", "beepErr", true));
    wavOnErr->setChecked(ini.boolean("prg", "WavErr", false));
    wavOn->setChecked(ini.boolean("prg", "WavOn", false));
    WavYes->setText(ini.text("prog", "WavYes", QString()));
    wavErr->setText(ini.text("prog", "WavErr", QString()));
    chbKoment->setChecked(ini.boolean("prg", "koment", true));
    setTag(this, ini.integer("prg", "first", 1));
}

void TForm1::writeSettings()
{
    quz::platform::SettingsBatch ini(m_services.settingsPath());
    const QRect outer = quz::platform::outerGeometry(this);
    ini.setInteger("SCR", "left", outer.left());
    ini.setInteger("SCR", "top", outer.top());
    ini.setInteger("SCR", "height", outer.height());
    ini.setInteger("SCR", "width", outer.width());
    ini.setText("prg", "nBilet", NumBilet->text());
    ini.setText("prg", "nVopros", NumVop->text());
    ini.setInteger("prg", "st", tag(laSt));
    ini.setInteger("prg", "en", tag(laEn));
    ini.setBoolean("prg", "rnd", rnd->isChecked());
    ini.setBoolean("prg", "ares", autoRes->isChecked());
    ini.setBoolean("prg", "beep", beep->isChecked());
    ini.setBoolean("prg", "beepErr", beepErr->isChecked());
    ini.setBoolean("prg", "WavErr", wavOnErr->isChecked());
    ini.setBoolean("prg", "WavOn", wavOn->isChecked());
    ini.setText("prog", "WavYes", WavYes->text());
    ini.setText("prog", "WavErr", wavErr->text());
    ini.setBoolean("prg", "koment", chbKoment->isChecked());
    ini.setInteger("prg", "first", 0);
    if (!ini.flush())
        m_services.dialogs->showFailure(this, m_services.title(), ini.error());
}

void TForm1::loadBanks()
{
    m_questions = std::make_unique<quz::bank::QuestionBank>();
    m_comments = std::make_unique<quz::bank::CommentBank>();
    QString error;
    if (!m_questions->loadFile(m_services.dataPath(QStringLiteral("vopros.txt")), &error))
        throw StepFailure{error};
    if (!m_comments->loadFile(m_services.dataPath(QStringLiteral("koment.txt")), &error))
        throw StepFailure{error};
}

void TForm1::setUpStatusBar()
{
    StatusBar1->setCreditText(QStringLiteral("QUZ (c) 2004, автор программы"));
    if (m_services.appTitle)
        *m_services.appTitle = windowTitle();
    sbHelp->setParent(StatusBar1);
    sbHelp->setGeometry(368, 3, 15, 15);
    sbEmail->setParent(StatusBar1);
    sbEmail->setGeometry(383, 3, 15, 15);
    sbWWW->setParent(StatusBar1);
    sbWWW->setGeometry(353, 3, 15, 15);
    for (QToolButton *b : {sbHelp, sbEmail, sbWWW}) {
        b->show();
        b->raise();
    }
}

bool TForm1::bankLoaded() const { return m_questions && !m_questions->isEmpty(); }

void TForm1::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous() && !m_shownOnce) {
        m_shownOnce = true;
        FormShow();
    }
}

void TForm1::FormShow()
{
    if (tag(this) == 1) {
        if (m_windows.Form2)
            m_windows.Form2->showTip();
        if (m_windows.Form3)
            m_windows.Form3->showWindow();
    }
    if (m_windows.Form3 && tag(m_windows.Form3->sbAnsver) == 1)
        m_windows.Form3->showWindow();
}

void TForm1::closeEvent(QCloseEvent *event)
{
    if (!m_closing) {
        m_closing = true;
        FormClose();
    }
    event->accept();
}

void TForm1::FormClose()
{
    Timer1->stop();
    m_questions.reset();
    m_comments.reset();
    writeSettings();
    // The program ends: a secondary window still showing is hidden as part of
    // the ending and so writes its own settings.
    if (m_windows.Form2 && m_windows.Form2->isVisible())
        m_windows.Form2->hide();
    if (m_windows.Form3 && m_windows.Form3->isVisible())
        m_windows.Form3->hide();
    QCoreApplication::quit();
}

bool TForm1::isRunning() const { return Start->text() == QStringLiteral("Стоп"); }

void TForm1::setMemoColor(const QColor &color)
{
    quz::look::setBackground(Memo1, color);
    quz::look::setBackground(Memo1->viewport(), color);
}

QColor TForm1::memoColor() const { return Memo1->viewport()->palette().color(QPalette::Base); }

void TForm1::setVoprosColor(const QColor &color) { quz::look::setBackground(Vopros, color); }

QColor TForm1::voprosColor() const { return Vopros->palette().color(QPalette::Window); }
