#include "ui/comment/Unit2.h"

#include "core/settings/settings_batch.h"
#include "ui/links/main_window_link.h"
#include "ui/platform/accessibility.h"
#include "ui/platform/control_state.h"
#include "ui/platform/edge_snap.h"
#include "ui/platform/frame_buttons.h"
#include "ui/platform/look.h"
#include "ui/platform/window_geometry.h"
#include "ui/platform/window_move.h"

#include <QHideEvent>

#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTextEdit>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace quz::comment {

TForm2::TForm2(Services &services, QWidget *parent)
    : QWidget(parent,
              Qt::Tool | Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
    , m_services(services)
{
    setWindowTitle(QStringLiteral("Комментарий"));
    setFont(platform::look::windowFont());
    Koment = new QTextEdit(this);
    Koment->setReadOnly(true);
    Koment->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Koment->setLineWrapMode(QTextEdit::WidgetWidth);
    Koment->viewport()->setCursor(Qt::SizeAllCursor);
    // A press anywhere in the text drags the window (KomentMouseDown), so the
    // text offers neither selection nor a context menu.
    Koment->setContextMenuPolicy(Qt::NoContextMenu);
    platform::setHint(Koment, QStringLiteral("Двойной клик [любая клавиша] - Закрыть"));
    platform::look::setBackground(Koment, platform::look::light3D());
    platform::look::setBackground(Koment->viewport(), platform::look::light3D());
    Koment->installEventFilter(this);
    Koment->viewport()->installEventFilter(this);
    platform::moveWindowByDrag(Koment->viewport());
    platform::snapToScreenEdges(this);
    platform::restrictFrameButtons(this, platform::FrameButtons::Close);
    // Screen readers see a window with its text, and how it closes.
    platform::exposeAsWindow(this);
    Koment->setAccessibleName(QStringLiteral("Текст"));
    setAccessibleDescription(QStringLiteral("Любая клавиша или двойной клик - закрыть."));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    // The window takes any size from its minimum up; the text area follows.
    layout->setSizeConstraint(QLayout::SetNoConstraint);
    layout->addWidget(Koment);
    // Before the stored geometry is applied, so that a smaller stored size
    // grows to the minimum.
    setMinimumSize(minimumClientSize());
    FormCreate();
}

QSize TForm2::minimumClientSize() const
{
    // A line of text of some twenty characters beside a scroll bar whose two
    // arrows and slider all show.
    constexpr int kCharacters = 20;
    const QScrollBar *bar = Koment->verticalScrollBar();
    const QFontMetrics metrics = Koment->fontMetrics();
    const int frame = 2 * Koment->frameWidth();
    const int margins = 2 * static_cast<int>(std::ceil(Koment->document()->documentMargin()));
    const QSize barSize = bar->sizeHint().expandedTo(bar->minimumSizeHint());
    return {frame + margins + kCharacters * metrics.averageCharWidth() + barSize.width(),
            frame + std::max(margins + metrics.lineSpacing(), barSize.height())};
}

void TForm2::FormCreate()
{
    const settings::SettingsBatch ini(m_services.settingsPath());
    platform::readGeometry(this, ini, settings::keys::commentWindow);
}

void TForm2::FormHide()
{
    settings::SettingsBatch ini(m_services.settingsPath());
    platform::writeGeometry(ini, settings::keys::commentWindow, this);
    if (const quz::Status written = ini.flush(); !written) {
        m_services.dialogs->showFailure(this, m_services.title(), written.error());
        return;
    }
    if (m_mainWindow)
        m_mainWindow->activateMainWindow();
}

void TForm2::showWindow()
{
    // A window that the window manager has minimised comes back.
    if (isMinimized())
        setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
    Koment->setFocus();
}

void TForm2::hideWindow()
{
    if (isVisible())
        hide();
}

void TForm2::setComment(const QString &caption, const QString &text)
{
    Koment->setPlainText(text);
    setWindowTitle(caption);
}

void TForm2::setText(const QString &text) { Koment->setPlainText(text); }

void TForm2::showTip()
{
    showWindow();
    Koment->setPlainText(QStringLiteral("Окно закрывается двойным нажатием левой мышки."));
}

void TForm2::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    if (!event->spontaneous())
        FormHide();
}

void TForm2::keyPressEvent(QKeyEvent *) { hide(); }

bool TForm2::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && watched == Koment) {
        hide();
        return true;
    }
    if (event->type() == QEvent::MouseButtonDblClick && watched == Koment->viewport()) {
        // KomentDblClick: the left button closes; the text is never selected.
        if (static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton)
            hide();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace quz::comment
