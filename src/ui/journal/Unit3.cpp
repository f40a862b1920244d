// The journal window's life: creation, showing and hiding, its settings, its
// size limits and layout, and the entries the main window writes.

#include "ui/journal/Unit3.h"

#include "core/journal/journal_entries.h"
#include "core/journal/journal_model.h"
#include "core/settings/settings_batch.h"
#include "ui/journal/list_box_widget.h"
#include "ui/links/practice_link.h"
#include "ui/platform/control_state.h"
#include "ui/platform/edge_snap.h"
#include "ui/platform/frame_buttons.h"
#include "ui/platform/look.h"
#include "ui/platform/window_geometry.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFileInfo>
#include <QHideEvent>
#include <QMenu>
#include <QShowEvent>
#include <QToolButton>

namespace quz::journal {

using platform::setHint;
using platform::Tooltip;

namespace {

QToolButton *flatButton(QWidget *parent, const QString &caption, const QColor &colour)
{
    auto *b = new QToolButton(parent);
    b->setText(caption);
    b->setAutoRaise(true);
    b->setFocusPolicy(Qt::NoFocus);
    platform::look::setTextColor(b, colour);
    // A disabled button ("Очистить" during a run) shows the usual grey text.
    QPalette p = b->palette();
    const QPalette system = QApplication::palette();
    for (const QPalette::ColorRole role : {QPalette::ButtonText, QPalette::WindowText})
        p.setColor(QPalette::Disabled, role, system.color(QPalette::Disabled, role));
    b->setPalette(p);
    return b;
}

} // namespace

TForm3::TForm3(Services &services, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
    , m_services(services)
{
    setWindowTitle(QStringLiteral("Журнал ошибок"));
    setFont(platform::look::windowFont());
    resize(177, 351);
    buildControls();
    connectHandlers();
    installKeyboardAccess();
    layoutControls();
    platform::snapToScreenEdges(this);
    platform::restrictFrameButtons(this, platform::FrameButtons::None);
    FormCreate();
}

void TForm3::buildControls()
{
    m_journal = new JournalModel(this);
    lbStat = new TListBox(this);
    lbStat->setModel(m_journal);
    lbStat->setContextMenuPolicy(Qt::CustomContextMenu);
    m_journal->replaceAll(JournalLines(placeholderLines()));

    delErr = new QCheckBox(QStringLiteral("Удалять после ответа"), this);
    setHint(delErr, QStringLiteral("Удалять вопрос из журнала ошибок после ответа на него"),
            Tooltip::Shown);

    SpeedButton1 = flatButton(this, QStringLiteral("сохранить"), platform::look::green());
    setHint(SpeedButton1, QStringLiteral("Сохранить \"журнал ошибок\""));
    SpeedButton2 = flatButton(this, QStringLiteral("загрузить"), platform::look::navy());
    setHint(SpeedButton2, QStringLiteral("Загруить \"журнал ошибок\""));
    sbClear = flatButton(this, QStringLiteral("Очистить"), platform::look::red());
    setHint(sbClear, QStringLiteral("Очистить журнал"), Tooltip::Shown);
    sbAnsver = flatButton(this, kModeOffCaption, platform::look::blue());
    sbAnsver->setFont(platform::look::windowFont(8, true));
    sbAnsver->setCursor(Qt::PointingHandCursor);
    setHint(sbAnsver, QStringLiteral("Ответить на вопросы из журнала ошибок"), Tooltip::Shown);
    sbClose = flatButton(this, QStringLiteral("Скрыть"), platform::look::purple());
    setHint(sbClose, QStringLiteral("Без комментариев"), Tooltip::Shown);

    PopupMenu1 = new QMenu(this);
    N1 = PopupMenu1->addAction(QStringLiteral("Сохранить"));
    setHint(N1, QStringLiteral("Сохранить список в файл"));
    N2 = PopupMenu1->addAction(QStringLiteral("Загрузить"));
    setHint(N2, QStringLiteral("Загрузить список из файла"));
    PopupMenu1->addSeparator();
    N5 = PopupMenu1->addAction(QStringLiteral("Удалить выделенное"));

    odLS.title = QStringLiteral("Укажите файл.");
    odLS.filter = QStringLiteral("Ошибки QUZ|*.quz");
    odLS.defaultSuffix = QStringLiteral("quz");
}

void TForm3::connectHandlers()
{
    connect(sbClear, &QToolButton::clicked, this, &TForm3::sbClearClick);
    connect(sbClose, &QToolButton::clicked, this, &TForm3::sbCloseClick);
    connect(sbAnsver, &QToolButton::clicked, this, &TForm3::sbAnsverClick);
    connect(SpeedButton1, &QToolButton::clicked, this, &TForm3::N1Click);
    connect(SpeedButton2, &QToolButton::clicked, this, &TForm3::N2Click);
    connect(N1, &QAction::triggered, this, &TForm3::N1Click);
    connect(N2, &QAction::triggered, this, &TForm3::N2Click);
    connect(N5, &QAction::triggered, this, &TForm3::N5Click);
    connect(PopupMenu1, &QMenu::aboutToShow, this, &TForm3::PopupMenu1Popup);
    connect(lbStat, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &at) { PopupMenu1->popup(lbStat->viewport()->mapToGlobal(at)); });
    connect(lbStat, &TListBox::dblClick, this, &TForm3::sbAnsverClick);
    // A drop is taken up once the drag has ended, so that the file manager is
    // not kept waiting while a message is open.
    connect(lbStat, &TListBox::filesDropped, this, &TForm3::lbStatDropFiles, Qt::QueuedConnection);
}

void TForm3::FormCreate()
{
    // The file named on the command line, fixed now, whatever folder is
    // current when it is loaded.
    if (!m_services.commandLineFile.isEmpty()) {
        m_commandLineFile = QFileInfo(m_services.commandLineFile).absoluteFilePath();
        m_commandLinePending = true;
    }
    const settings::SettingsBatch ini(m_services.settingsPath());
    platform::readGeometry(this, ini, settings::keys::journalWindow);
    delErr->setChecked(ini.read(settings::keys::deleteAnswered));
    applyMinimumSize();
}

void TForm3::FormHide()
{
    settings::SettingsBatch ini(m_services.settingsPath());
    platform::writeGeometry(ini, settings::keys::journalWindow, this);
    ini.write(settings::keys::deleteAnswered, delErr->isChecked());
    if (const quz::Status written = ini.flush(); !written)
        m_services.dialogs->showFailure(this, m_services.title(), written.error());
}

void TForm3::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    applyMinimumSize();
    if (m_scrollPending) {
        m_scrollPending = false;
        scrollAfterAppend();
    }
    if (!event->spontaneous())
        FormShow();
}

void TForm3::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    if (!event->spontaneous())
        FormHide();
}

void TForm3::sbClearClick()
{
    m_journal->clear();
    m_cursor = 0;
    if (m_practice)
        m_practice->resetStartLogged();
}

void TForm3::sbCloseClick() { hide(); }

void TForm3::showWindow()
{
    // A window that the window manager has minimised comes back.
    if (isMinimized())
        setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

void TForm3::hideWindow()
{
    if (isVisible())
        hide();
}

bool TForm3::isShowing() const { return isVisible() && !isMinimized(); }

void TForm3::setClearEnabled(bool enabled) { sbClear->setEnabled(enabled); }

// Entries.

void TForm3::dropPlaceholder()
{
    if (!m_placeholder)
        return;
    m_placeholder = false;
    m_journal->clear();
}

void TForm3::appendLine(const QString &line)
{
    m_journal->appendLine(line);
    // A hidden list scrolls when it is shown again: scrolling at every line
    // would lay out every row of a long journal each time.
    if (isVisible())
        scrollAfterAppend();
    else
        m_scrollPending = true;
}

void TForm3::scrollAfterAppend()
{
    const int selected = lbStat->firstSelectedRow();
    if (answerModeOn() && selected >= 0)
        lbStat->scrollTo(m_journal->index(selected, 0));
    else
        lbStat->scrollToBottom();
}

void TForm3::addStartEntry(const QString &ticket)
{
    appendLine(startEntry(m_services.clock->nowText(), ticket));
}

void TForm3::addErrorEntry(const QString &ticket, const QString &question)
{
    if (isDuplicateError(m_journal->lastLineStart(), question))
        return;
    appendLine(errorEntry(ticket, question));
}

QStringList TForm3::lines() const { return m_journal->lines().toStringList(); }

const JournalLines &TForm3::journal() const { return m_journal->lines(); }

// Size limits and layout.

void TForm3::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    layoutControls();
    FormResize();
}

void TForm3::moveEvent(QMoveEvent *event)
{
    QWidget::moveEvent(event);
    // The frame is known once the window manager has framed the window.
    applyMinimumSize();
}

// The minimum is one of the outer size, frame included.
void TForm3::applyMinimumSize()
{
    const QSize frame = frameGeometry().size() - size();
    const QSize minimum(std::max(1, kMinimumWidth - frame.width()),
                        std::max(1, kMinimumHeight - frame.height()));
    if (minimumSize() != minimum)
        setMinimumSize(minimum);
}

void TForm3::FormResize()
{
    applyMinimumSize();
    if (m_cuttingWidth || frameGeometry().width() < kTooWide)
        return;
    m_cuttingWidth = true;
    const int frameWidth = frameGeometry().width() - width();
    resize(kCutWidth - frameWidth, height());
    m_services.dialogs->messageBox(this, m_services.title(), QStringLiteral("Может кватит?"));
    m_cuttingWidth = false;
}

// Designed at 177 x 351: the list down to the check box, a row of 18 px
// under it and the bottom row of 24 px; the buttons keep their horizontal
// centres at the same fraction of the width.
void TForm3::layoutControls()
{
    const int w = width();
    const int h = height();
    const auto centred = [w](QWidget *b, double centre, int top, int width, int height) {
        b->setGeometry(static_cast<int>(centre * w) - width / 2, top, width, height);
    };
    lbStat->setGeometry(0, 0, std::max(0, w - 3), std::max(0, h - 61));
    delErr->setGeometry(2, h - 60, std::max(0, w - 4), 17);
    centred(SpeedButton1, 44.5 / 177, h - 43, 89, 18);
    centred(SpeedButton2, 134.0 / 177, h - 43, 84, 18);
    centred(sbClear, 30.5 / 177, h - 25, 59, 24);
    centred(sbAnsver, 91.0 / 177, h - 25, 64, 24);
    centred(sbClose, 149.0 / 177, h - 25, 52, 24);
}

} // namespace quz::journal
