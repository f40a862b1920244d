// The main window by keyboard and by screen reader: F5 and F6, the Tab order
// while no run is going, the window's sight of every key before its controls,
// the number labels as buttons, accessible names and descriptions that follow
// what the window shows, and what it announces through the variant area.
// During a run every key is the window's: no control sees one.

#include "ui/practice/Unit1.h"

#include "ui/platform/accessibility.h"
#include "ui/platform/control_state.h"
#include "ui/practice/spin_button_widget.h"
#include "ui/question/picture_widget.h"
#include "ui/question/question_view.h"

#include <QCheckBox>
#include <QEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QShortcut>
#include <QSpinBox>
#include <QTextEdit>
#include <QToolButton>

#include <algorithm>

namespace platform = quz::platform;

namespace quz::practice {

namespace {

// Calls `shown` and `hidden` when the control is shown and hidden.
class ShowWatch : public QObject {
public:
    ShowWatch(QWidget *control, std::function<void()> shown, std::function<void()> hidden)
        : QObject(control)
        , m_shown(std::move(shown))
        , m_hidden(std::move(hidden))
    {
        control->installEventFilter(this);
    }

    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Show)
            m_shown();
        else if (event->type() == QEvent::Hide)
            m_hidden();
        return false;
    }

private:
    std::function<void()> m_shown;
    std::function<void()> m_hidden;
};

} // namespace

void TForm1::installKeyboardAccess()
{
    platform::exposeAsWindow(this);
    // The title animation changes the caption; screen readers keep the name.
    setAccessibleName(designCaption());
    setAccessibleDescription(QStringLiteral(
        "F5 - старт или стоп, F6 - журнал ошибок, F1 - комментарий, 1-5 - ответ. "
        "Пока нет работы, Tab переходит по кнопкам, пробел или Enter нажимает кнопку."));

    platform::makePressable(NumBilet, [this] { NumBiletClick(); });
    platform::makePressable(NumVop, [this] { NumVopClick(); });
    // Every control of the Tab order: buttons take the focus by Tab and are
    // pressed by Enter; the window's key handler is installed after the
    // controls' own, so that it sees every key first. The number editor's
    // keys reach the window through the window's own filter.
    for (QWidget *control : tabOrder()) {
        if (control == edbv)
            continue;
        if (auto *button = qobject_cast<QAbstractButton *>(control))
            platform::reachByTab(button);
        platform::onKeyPress(control, [this](QKeyEvent *event) { return previewKey(event); });
    }
    // Tab moves the focus before the window's keyboard sees it; during a run
    // it is a key like any other.
    platform::onKeyPress(this, [this](QKeyEvent *event) {
        if (!isRunning() || (event->key() != Qt::Key_Tab && event->key() != Qt::Key_Backtab))
            return false;
        keyPressEvent(event);
        return true;
    });

    auto *run = new QShortcut(QKeySequence(Qt::Key_F5), this);
    run->setAutoRepeat(false);
    connect(run, &QShortcut::activated, this, &TForm1::StartClick);
    auto *journal = new QShortcut(QKeySequence(Qt::Key_F6), this);
    journal->setAutoRepeat(false);
    connect(journal, &QShortcut::activated, this, &TForm1::sbErrClick);

    // The number editor gives the focus back to the label it was opened
    // from by a key, and to the window otherwise.
    m_editorWatch = new ShowWatch(
        edbv,
        [this] {
            m_editorOpener =
                focusWidget() == NumBilet || focusWidget() == NumVop ? focusWidget() : nullptr;
        },
        [this] {
            if (focusWidget() == edbv)
                focusAfterEditor();
        });

    nameControls();
    // The window itself holds the focus until Tab moves it to a control.
    setFocus();
}

// Top to bottom, left to right; the sound panel takes the control strip's
// place. A part not built yet is left out.
std::vector<QWidget *> TForm1::tabOrder() const
{
    const std::initializer_list<QWidget *> all = {NumBilet,
                                                  NumVop,
                                                  edbv,
                                                  SpinButton1->upButton(),
                                                  SpinButton1->downButton(),
                                                  SpinButton2->upButton(),
                                                  SpinButton2->downButton(),
                                                  SpeedButton1,
                                                  autoRes,
                                                  rnd,
                                                  chbKoment,
                                                  sbErr,
                                                  Start,
                                                  beepErr,
                                                  wavOnErr,
                                                  sbWavErr,
                                                  beep,
                                                  wavOn,
                                                  sbWav,
                                                  SpeedButton2,
                                                  sbWWW,
                                                  sbHelp,
                                                  sbEmail};
    std::vector<QWidget *> order;
    for (QWidget *control : all)
        if (control)
            order.push_back(control);
    return order;
}

// Tab and Shift+Tab go through tabOrder() to the next control that shows and
// is enabled. The window keeps the order itself: the number labels take the
// focus only from it. The window holds the focus while no control has it,
// and Tab passes it over.
bool TForm1::focusNextPrevChild(bool next)
{
    const std::vector<QWidget *> order = tabOrder();
    const int count = static_cast<int>(order.size());
    int at = next ? -1 : count;
    for (QWidget *focus = focusWidget(); focus && focus != this; focus = focus->parentWidget()) {
        if (const auto found = std::find(order.begin(), order.end(), focus); found != order.end()) {
            at = static_cast<int>(found - order.begin());
            break;
        }
    }
    for (int step = 1; step <= count; ++step) {
        QWidget *candidate =
            order[static_cast<size_t>(((next ? at + step : at - step) % count + count) % count)];
        if (candidate->isVisible() && candidate->isEnabled()) {
            candidate->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return true;
        }
    }
    return false;
}

void TForm1::nameControls()
{
    NumBilet->setAccessibleDescription(QStringLiteral(
        "Сменить номер билета. Пробел или Enter - ввести номер, Enter - принять, Esc - отмена."));
    NumVop->setAccessibleDescription(QStringLiteral(
        "Сменить номер вопроса. Пробел или Enter - ввести номер, Enter - принять, Esc - отмена."));
    edbv->setAccessibleDescription(QStringLiteral("Enter - принять, Esc - отмена."));
    questionView->Image1->setAccessibleDescription(
        QStringLiteral("Двойной клик или F1 - комментарий."));
    questionView->Memo1->setAccessibleDescription(QString());
    GroupBox1->setAccessibleDescription(platform::hint(GroupBox1));
    platform::exposeAsPanel(Panel4);
    Panel4->setAccessibleName(QStringLiteral("Панель управления"));
    // The arrows' names tell the value they change; their descriptions the
    // keys.
    for (QAbstractButton *arrow : {SpinButton1->upButton(), SpinButton1->downButton(),
                                   SpinButton2->upButton(), SpinButton2->downButton()})
        arrow->setAccessibleDescription(QStringLiteral("Пробел или Enter - на один вопрос."));
    SpeedButton1->setAccessibleDescription(QStringLiteral("Открыть панель звуков."));
    for (QCheckBox *option : {autoRes, rnd, chbKoment})
        option->setAccessibleDescription(platform::hint(option));
    sbErr->setAccessibleDescription(QStringLiteral("Показать / скрыть журнал ошибок. F6."));
    Start->setAccessibleDescription(
        QStringLiteral("Начать или остановить работу. F5, также в окне журнала."));
    // The three small buttons have a sign for a caption; they are named by
    // their hints.
    for (QToolButton *button : {sbWWW, sbHelp, sbEmail})
        button->setAccessibleName(platform::hint(button));
    sbWWW->setAccessibleDescription(QStringLiteral("Открыть сайт программы."));
    sbHelp->setAccessibleDescription(QStringLiteral("Показать справку."));
    sbEmail->setAccessibleDescription(QStringLiteral("Написать письмо."));
    nameNumbers();
    nameRange();
    nameNumberEditor();
}

void TForm1::accessSoundPanel()
{
    platform::exposeAsPanel(Panel5);
    Panel5->setAccessibleName(QStringLiteral("Панель звуков"));
    // The WAV check boxes have no caption: the load button beside each is
    // their label on screen.
    wavOnErr->setAccessibleName(QStringLiteral("WAV звук при ошибке"));
    wavOn->setAccessibleName(QStringLiteral("WAV звук при правильном ответе"));
    beepErr->setAccessibleDescription(QStringLiteral("Звук спикера при ошибке. Пробел - вкл./выкл."));
    beep->setAccessibleDescription(
        QStringLiteral("Звук спикера при правильном ответе. Пробел - вкл./выкл."));
    for (QCheckBox *option : {wavOnErr, wavOn})
        option->setAccessibleDescription(QStringLiteral("Пробел - вкл./выкл."));
    sbWavErr->setAccessibleDescription(
        QStringLiteral("Выбрать WAV файл для ошибки. Пробел или Enter."));
    sbWav->setAccessibleDescription(
        QStringLiteral("Выбрать WAV файл для правильного ответа. Пробел или Enter."));
    SpeedButton2->setAccessibleDescription(QStringLiteral("Закрыть панель звуков."));
}

// A control's key goes to the window's keyboard first, as it would if the
// window had the focus; during a run no control sees a key at all.
bool TForm1::previewKey(QKeyEvent *event)
{
    if (FormKeyDown(event->key(), event->modifiers()))
        return true;
    const QString text = event->text();
    if (!text.isEmpty() && FormKeyPress(text.front()))
        return true;
    return isRunning();
}

void TForm1::nameNumbers()
{
    NumBilet->setAccessibleName(QStringLiteral("Билет ") + m_position.ticket);
    NumVop->setAccessibleName(QStringLiteral("Вопрос ") + m_position.question);
}

void TForm1::nameRange()
{
    const QString start = laSt->text();
    const QString end = laEn->text();
    laSt->setAccessibleName(QStringLiteral("С вопроса ") + start);
    laEn->setAccessibleName(QStringLiteral("По вопрос ") + end);
    SpinButton1->upButton()->setAccessibleName(
        QStringLiteral("Начало диапазона %1: больше").arg(start));
    SpinButton1->downButton()->setAccessibleName(
        QStringLiteral("Начало диапазона %1: меньше").arg(start));
    SpinButton2->upButton()->setAccessibleName(
        QStringLiteral("Конец диапазона %1: больше").arg(end));
    SpinButton2->downButton()->setAccessibleName(
        QStringLiteral("Конец диапазона %1: меньше").arg(end));
}

void TForm1::nameNumberEditor()
{
    switch (m_editorTarget) {
    case EditorTarget::Ticket: edbv->setAccessibleName(QStringLiteral("Номер билета")); break;
    case EditorTarget::Question: edbv->setAccessibleName(QStringLiteral("Номер вопроса")); break;
    case EditorTarget::None:
        edbv->setAccessibleName(QStringLiteral("Номер билета или вопроса"));
        break;
    }
}

void TForm1::focusAfterEditor() { (m_editorOpener ? m_editorOpener : this)->setFocus(); }

void TForm1::announceQuestion(const QString &text)
{
    questionView->announce(QStringLiteral("Билет %1, вопрос %2: %3")
                               .arg(m_position.ticket, m_position.question, text.simplified()));
}

void TForm1::announceWrongAnswer(const QString &digit)
{
    questionView->announce(QStringLiteral("Ответ %1 неверный. Билет %2, вопрос %3: %4")
                               .arg(digit, m_position.ticket, m_position.question,
                                    questionView->Vopros->text().simplified()));
}

} // namespace quz::practice
