// The main window's life: creation (in its fixed order of steps), the first
// show, the close, and its two settings batches.

#include "ui/practice/Unit1.h"

#include "core/bank/comment_bank.h"
#include "core/bank/picture_store.h"
#include "core/bank/question_bank.h"
#include "core/files/file_io.h"
#include "core/files/text_file.h"
#include "core/settings/settings_batch.h"
#include "ui/links/comment_link.h"
#include "ui/links/journal_link.h"
#include "ui/platform/control_state.h"
#include "ui/platform/look.h"
#include "ui/platform/window_geometry.h"
#include "ui/practice/spin_button_widget.h"
#include "ui/practice/status_bar_widget.h"
#include "ui/question/picture_widget.h"
#include "ui/question/question_view.h"

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

using quz::platform::setHint;
using quz::platform::Tooltip;

namespace quz::practice {

QString TForm1::designCaption()
{
    return QStringLiteral("Экзаменационные билеты QUZ от 01.01.2004 v.2.2.1");
}

TForm1::TForm1(Services &services, QWidget *parent)
    : QWidget(parent)
    , m_services(services)
{
    buildControls();
    questionView->setPlaceholderPath(m_services.dataPath(quz::bank::placeholderFileName()));
    connectHandlers();
    installKeyboardAccess();
    FormCreate();
}

TForm1::~TForm1()
{
    // The base class hides the children after this class's members are
    // gone; the editor's watch would call into them.
    delete m_editorWatch;
}

void TForm1::connectHandlers()
{
    connect(SpinButton1, &TSpinButton::upClick, this, &TForm1::SpinButton1UpClick);
    connect(SpinButton1, &TSpinButton::downClick, this, &TForm1::SpinButton1DownClick);
    connect(SpinButton2, &TSpinButton::upClick, this, &TForm1::SpinButton2UpClick);
    connect(SpinButton2, &TSpinButton::downClick, this, &TForm1::SpinButton2DownClick);
    connect(Start, &QToolButton::clicked, this, &TForm1::StartClick);
    connect(sbErr, &QToolButton::clicked, this, &TForm1::sbErrClick);
    connect(questionView, &quz::question::QuestionView::answerClicked, this, &TForm1::sb1Click);
    connect(SpeedButton1, &QToolButton::clicked, this, &TForm1::SpeedButton1Click);
    connect(SpeedButton2, &QToolButton::clicked, this, &TForm1::SpeedButton2Click);
    connect(wavOnErr, &QCheckBox::clicked, this, &TForm1::wavOnErrClick);
    connect(wavOn, &QCheckBox::clicked, this, &TForm1::wavOnClick);
    connect(sbWavErr, &QToolButton::clicked, this, &TForm1::sbWavErrClick);
    connect(sbWav, &QToolButton::clicked, this, &TForm1::sbWavClick);
    connect(questionView, &quz::question::QuestionView::pictureDoubleClicked, this,
            &TForm1::Image1DblClick);
    connect(Timer1, &QTimer::timeout, this, &TForm1::Timer1Timer);

    // Clicks on the question area and the control strip commit the number
    // editor; clicks on the number labels open it.
    const quz::question::QuestionView *view = questionView;
    for (QWidget *w : {static_cast<QWidget *>(gb1), view->Panel3,
                       static_cast<QWidget *>(view->Vopros), static_cast<QWidget *>(view->Image1),
                       view->Memo1->viewport(), static_cast<QWidget *>(Panel4),
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
    // Each step runs only when the one before it succeeded; the first failure
    // is shown and the remaining steps are skipped.
    quz::Status result = checkPictures();
    if (result) {
        readSettings();
        view();
        wavOnErrClick();
        wavOnClick();
        setHint(sbWavErr, m_errorWavPath, Tooltip::Shown);
        setHint(sbWav, m_rightWavPath, Tooltip::Shown);
        // The control strip: at top 329, 37 px high, docked to the bottom.
        layoutBands();
        result = loadBanks();
    }
    if (result)
        setUpStatusBar();
    else
        m_services.dialogs->showFailure(this, m_services.title(), result.error());
}

quz::Status TForm1::checkPictures()
{
    if (quz::files::isFile(m_services.dataPath(quz::bank::samplePictureRelativePath())))
        return {};
    const QString notesPath = m_services.dataPath(quz::bank::installNotesFileName());
    quz::Outcome<QByteArray> notes =
        quz::files::readFileBytes(notesPath, quz::files::FileKind::Notes);
    if (!notes)
        return quz::Failure{notes.error()};
    // The notes' lines joined with CR LF after each, in the buffer they were
    // read into, then decoded straight behind the heading: the message costs
    // the file once and its text once.
    QByteArray joined = std::move(notes).value();
    quz::files::normaliseLinesInPlace(joined);
    QString message = QStringLiteral("Картинки к билетам НЕ НАЙДЕНЫ!!!\r\n\r\n\r\n");
    quz::files::appendCp1251(message, std::string_view(joined.constData(), size_t(joined.size())));
    joined = QByteArray();
    m_services.dialogs->messageBox(this, m_services.title(), message);
    return {};
}

void TForm1::readSettings()
{
    namespace keys = quz::settings::keys;
    const quz::settings::SettingsBatch ini(m_services.settingsPath());
    quz::platform::readGeometry(this, ini, keys::mainWindow);
    setPosition({ini.read(keys::ticket), ini.read(keys::question)});
    m_range = {ini.read(keys::rangeStart), ini.read(keys::rangeEnd)};
    rnd->setChecked(ini.read(keys::randomOrder));
    autoRes->setChecked(ini.read(keys::autoSize));
    beep->setChecked(ini.read(keys::rightTone));
    beepErr->setChecked(ini.read(keys::errorTone));
    wavOnErr->setChecked(ini.read(keys::errorWavOn));
    wavOn->setChecked(ini.read(keys::rightWavOn));
    setWavPath(m_rightWavPath, WavYes, ini.read(keys::rightWavPath));
    setWavPath(m_errorWavPath, wavErr, ini.read(keys::errorWavPath));
    chbKoment->setChecked(ini.read(keys::autoComment));
    m_firstRun = ini.read(keys::firstRun);
    m_titlePosition = m_firstRun;
    m_settingsRead = true;
}

void TForm1::writeSettings()
{
    // A creation that stopped before the settings were read holds the design
    // values in its controls, not the user's: writing them would overwrite
    // every stored option, so the close leaves the file as it is.
    if (!m_settingsRead)
        return;
    namespace keys = quz::settings::keys;
    quz::settings::SettingsBatch ini(m_services.settingsPath());
    quz::platform::writeGeometry(ini, keys::mainWindow, this);
    ini.write(keys::ticket, m_position.ticket);
    ini.write(keys::question, m_position.question);
    ini.write(keys::rangeStart, m_range.start);
    ini.write(keys::rangeEnd, m_range.end);
    ini.write(keys::randomOrder, rnd->isChecked());
    ini.write(keys::autoSize, autoRes->isChecked());
    ini.write(keys::rightTone, beep->isChecked());
    ini.write(keys::errorTone, beepErr->isChecked());
    ini.write(keys::errorWavOn, wavOnErr->isChecked());
    ini.write(keys::rightWavOn, wavOn->isChecked());
    ini.write(keys::rightWavPath, m_rightWavPath);
    ini.write(keys::errorWavPath, m_errorWavPath);
    ini.write(keys::autoComment, chbKoment->isChecked());
    ini.write(keys::firstRun, 0);
    if (const quz::Status written = ini.flush(); !written)
        m_services.dialogs->showFailure(this, m_services.title(), written.error());
}

quz::Status TForm1::loadBanks()
{
    m_questions = std::make_unique<quz::bank::QuestionBank>();
    m_comments = std::make_unique<quz::bank::CommentBank>();
    if (quz::Status loaded =
            m_questions->loadFile(m_services.dataPath(quz::bank::questionFileName()));
        !loaded)
        return loaded;
    return m_comments->loadFile(m_services.dataPath(quz::bank::commentFileName()));
}

void TForm1::setUpStatusBar()
{
    StatusBar1->setCreditText(QStringLiteral("QUZ (c) 2004, команда QUZ"));
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

bool TForm1::canStartRun() const { return m_questions && !m_questions->isEmpty(); }

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
    if (m_firstRun == 1) {
        if (m_comment)
            m_comment->showTip();
        if (m_journal)
            m_journal->showWindow();
    }
    if (m_journal && m_journal->commandLineJournalPending())
        m_journal->showWindow();
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
    if (m_comment)
        m_comment->hideWindow();
    if (m_journal)
        m_journal->hideWindow();
    QCoreApplication::quit();
}

bool TForm1::isRunning() const { return m_running; }

void TForm1::setRunning(bool running)
{
    m_running = running;
    Start->setText(running ? kRunningCaption : kIdleCaption);
}

void TForm1::showQuestion(const QString &ticket, const QString &question)
{
    setPosition({ticket, question});
    ChangeBilet();
}

void TForm1::resetStartLogged() { m_startLogged = false; }

void TForm1::activateMainWindow() { activateWindow(); }

} // namespace quz::practice
