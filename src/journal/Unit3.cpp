#include "journal/Unit3.h"

#include "files/file_io.h"
#include "files/text_file.h"
#include "journal/journal_entries.h"
#include "journal/practice_link.h"
#include "platform/control_state.h"
#include "platform/edge_snap.h"
#include "platform/look.h"
#include "platform/window_geometry.h"
#include "settings/settings_batch.h"

#include <QCheckBox>
#include <QHideEvent>
#include <QListWidget>
#include <QShowEvent>
#include <QToolButton>

using quz::platform::setHint;
using quz::platform::setTag;
using quz::platform::tag;
using quz::platform::Tooltip;
namespace look = quz::look;

namespace {

QToolButton *flatButton(QWidget *parent, const QString &caption, const QColor &colour)
{
    auto *b = new QToolButton(parent);
    b->setText(caption);
    b->setAutoRaise(true);
    b->setFocusPolicy(Qt::NoFocus);
    look::setTextColor(b, colour);
    return b;
}

} // namespace

TForm3::TForm3(quz::Services &services, quz::WindowSet &windows, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
    , m_services(services)
    , m_windows(windows)
{
    m_windows.Form3 = this;
    setWindowTitle(QStringLiteral("Журнал ошибок"));
    setFont(look::windowFont());
    resize(177, 351);

    lbStat = new QListWidget(this);
    lbStat->setSelectionMode(QAbstractItemView::ExtendedSelection);
    lbStat->addItems(quz::journal::placeholderLines());
    setTag(this, 1);

    delErr = new QCheckBox(QStringLiteral("Удалять после ответа"), this);
    setHint(delErr, QStringLiteral("Удалять вопрос из журнала ошибок после ответа на него"),
            Tooltip::Shown);

    SpeedButton1 = flatButton(this, QStringLiteral("сохранить"), look::green());
    setHint(SpeedButton1, QStringLiteral("Сохранить \"журнал ошибок\""));
    SpeedButton2 = flatButton(this, QStringLiteral("загрузить"), look::navy());
    setHint(SpeedButton2, QStringLiteral("Загруить \"журнал ошибок\""));
    sbClear = flatButton(this, QStringLiteral("Очистить"), look::red());
    setHint(sbClear, QStringLiteral("Очистить журнал"), Tooltip::Shown);
    sbAnsver = flatButton(this, kModeOffCaption, look::blue());
    sbAnsver->setFont(look::windowFont(8, true));
    sbAnsver->setCursor(Qt::PointingHandCursor);
    setHint(sbAnsver, QStringLiteral("Ответить на вопросы из журнала ошибок"), Tooltip::Shown);
    sbClose = flatButton(this, QStringLiteral("Скрыть"), look::purple());
    setHint(sbClose, QStringLiteral("Без комментариев"), Tooltip::Shown);

    connect(sbClear, &QToolButton::clicked, this, &TForm3::sbClearClick);
    connect(sbClose, &QToolButton::clicked, this, &TForm3::sbCloseClick);
    layoutControls();
    quz::platform::snapToScreenEdges(this);
    FormCreate();
}

TForm3::~TForm3()
{
    if (m_windows.Form3 == this)
        m_windows.Form3 = nullptr;
}

void TForm3::FormCreate()
{
    const quz::settings::SettingsBatch ini(m_services.settingsPath());
    quz::platform::readGeometry(this, ini, quz::settings::keys::journalWindow);
    delErr->setChecked(ini.read(quz::settings::keys::deleteAnswered));
}

void TForm3::FormHide()
{
    quz::settings::SettingsBatch ini(m_services.settingsPath());
    quz::platform::writeGeometry(ini, quz::settings::keys::journalWindow, this);
    ini.write(quz::settings::keys::deleteAnswered, delErr->isChecked());
    if (const quz::Status written = ini.flush(); !written)
        m_services.dialogs->showFailure(this, m_services.title(), written.error());
}

void TForm3::FormShow()
{
    // A journal file named on the command line replaces the list at the
    // first showing.
    if (tag(sbAnsver) != 1)
        return;
    setTag(sbAnsver, 0);
    setTag(this, 0);
    const quz::Outcome<QByteArray> bytes =
        quz::files::readFileBytes(m_services.commandLineFile, quz::files::FileKind::Journal);
    if (!bytes) {
        m_services.dialogs->showFailure(this, m_services.title(), bytes.error());
        return;
    }
    lbStat->clear();
    lbStat->addItems(quz::files::linesFromCp1251(
        std::string_view(bytes->constData(), static_cast<size_t>(bytes->size()))));
}

void TForm3::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
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
    lbStat->clear();
    setTag(lbStat, 0);
    if (m_windows.practice)
        m_windows.practice->resetStartLogged();
}

void TForm3::sbCloseClick() { hide(); }

void TForm3::dropPlaceholder()
{
    if (tag(this) != 1)
        return;
    setTag(this, 0);
    lbStat->clear();
}

void TForm3::appendLine(const QString &line)
{
    lbStat->addItem(line);
    lbStat->scrollToBottom();
}

void TForm3::addStartEntry(const QString &ticket)
{
    appendLine(quz::journal::startEntry(m_services.clock->nowText(), ticket));
}

void TForm3::addErrorEntry(const QString &ticket, const QString &question)
{
    if (quz::journal::isDuplicateError(lines(), question))
        return;
    appendLine(quz::journal::errorEntry(ticket, question));
}

QStringList TForm3::lines() const
{
    QStringList all;
    all.reserve(lbStat->count());
    for (int i = 0; i < lbStat->count(); ++i)
        all << lbStat->item(i)->text();
    return all;
}

void TForm3::showWindow()
{
    show();
    raise();
    activateWindow();
}

bool TForm3::isShowing() const { return isVisible(); }

bool TForm3::answerModeOn() const { return sbAnsver->text() == kModeOnCaption; }

void TForm3::sbAnsverClick()
{
    if (!answerModeOn())
        return;
    sbAnsver->setText(kModeOffCaption);
    lbStat->setEnabled(true);
    if (m_windows.practice)
        m_windows.practice->StartClick();
    lbStat->setSelectionMode(QAbstractItemView::ExtendedSelection);
}

void TForm3::rightAnswerInMode()
{
    // The walk through the journal's error entries plugs in here.
}

void TForm3::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    layoutControls();
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
