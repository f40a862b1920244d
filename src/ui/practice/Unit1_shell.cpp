// The window's own frame behaviour: its size limit and screen-edge snapping,
// the hint panel, the hover effects on the control strip, the title
// animation, and the three small buttons of the status bar (help, mail, web).

#include "ui/practice/Unit1.h"

#include "core/bank/data_files.h"
#include "core/files/file_io.h"
#include "core/files/text_file.h"
#include "ui/links/comment_link.h"
#include "ui/platform/close_requests.h"
#include "ui/platform/control_state.h"
#include "ui/platform/edge_snap.h"
#include "ui/platform/hint_tracker.h"
#include "ui/platform/mouse_notify.h"
#include "ui/platform/window_limits.h"
#include "ui/practice/status_bar_widget.h"

#include <QFrame>
#include <QLabel>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>

// The mail recipient of "@" and the web site of "!" are build settings
// (QUZ_MAIL_RECIPIENT, QUZ_SITE_ADDRESS in CMake).
#if !defined(QUZ_MAIL_RECIPIENT) || !defined(QUZ_SITE_ADDRESS)
#error "QUZ_MAIL_RECIPIENT and QUZ_SITE_ADDRESS come from the build"
#endif

namespace quz::practice {

namespace {

// The outer size below which the user cannot drag the window.
constexpr QSize kMinimumOuterSize(548, 414);

void setBold(QWidget *control, bool bold)
{
    QFont font = control->font();
    if (font.bold() == bold)
        return;
    font.setBold(bold);
    control->setFont(font);
}

} // namespace

void TForm1::installShell()
{
    namespace platform = quz::platform;
    platform::keepMinimumOuterSize(this, kMinimumOuterSize);
    platform::snapToScreenEdges(this);
    platform::closeEvenWhenBlocked(this);
    new platform::HintTracker(*StatusBar1, StatusBar1);

    for (QWidget *control :
         {static_cast<QWidget *>(NumBilet), static_cast<QWidget *>(NumVop),
          static_cast<QWidget *>(L1), static_cast<QWidget *>(L2), static_cast<QWidget *>(Start)})
        platform::onMouseMove(control, [this] { L1MouseMove(); });
    platform::onMouseMove(
        Panel4, [this] { Panel4MouseMove(); }, platform::MoveArea::BareBackground);
    platform::onMouseMove(sbErr, [this] { sbErrMouseMove(); });

    connect(sbHelp, &QToolButton::clicked, this, &TForm1::sbHelpClick);
    connect(sbEmail, &QToolButton::clicked, this, &TForm1::sbEmailClick);
    connect(sbWWW, &QToolButton::clicked, this, &TForm1::sbWWWClick);
}

void TForm1::Timer1Timer()
{
    const QString caption = quz::practice::titleAnimationStep(windowTitle(), m_titlePosition);
    setWindowTitle(caption);
    if (m_services.appTitle)
        *m_services.appTitle = caption;
}

// The pointer over a number label, a tip label or "Старт": the tips have
// served their purpose and go for the rest of the run.
void TForm1::L1MouseMove()
{
    L1->hide();
    L2->hide();
    setBold(Start, true);
}

void TForm1::Panel4MouseMove()
{
    setBold(Start, false);
    setBold(sbErr, false);
}

void TForm1::sbErrMouseMove() { setBold(sbErr, true); }

void TForm1::sbHelpClick()
{
    const quz::Outcome<QByteArray> help = quz::files::readFileBytes(
        m_services.dataPath(quz::bank::helpFileName()), quz::files::FileKind::Notes);
    if (!help) {
        m_services.dialogs->showFailure(this, m_services.title(), help.error());
        return;
    }
    if (!m_comment)
        return;
    m_comment->setText(quz::files::displayText(
        std::string_view(help->constData(), static_cast<size_t>(help->size()))));
    m_comment->showWindow();
}

void TForm1::sbEmailClick()
{
    m_services.shell->open(QStringLiteral("mailto:") + QString::fromUtf8(QUZ_MAIL_RECIPIENT)
                           + QStringLiteral("?Subject=from site - QUZ"));
}

void TForm1::sbWWWClick() { m_services.shell->open(QString::fromUtf8(QUZ_SITE_ADDRESS)); }

} // namespace quz::practice
