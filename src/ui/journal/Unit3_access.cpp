// The journal window by keyboard and by screen reader: F5 and F6 as in the
// main window, Enter on a line for "Ответить", Ctrl+S, Ctrl+O and Delete for
// the popup menu's items, the Tab order, and the controls' accessible names
// and descriptions. A key that hides this window gives the keyboard to the
// main window, where the answers are typed.

#include "ui/journal/Unit3.h"

#include "ui/journal/list_box_widget.h"
#include "ui/links/main_window_link.h"
#include "ui/links/practice_link.h"
#include "ui/platform/accessibility.h"
#include "ui/platform/control_state.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QShortcut>
#include <QToolButton>

namespace quz::journal {

void TForm3::installKeyboardAccess()
{
    platform::exposeAsWindow(this);
    for (QToolButton *button : {SpeedButton1, SpeedButton2, sbClear, sbAnsver, sbClose})
        platform::reachByTab(button);
    platform::pressOnEnter(delErr);
    QWidget::setTabOrder(lbStat, delErr);
    QWidget::setTabOrder(delErr, SpeedButton1);
    QWidget::setTabOrder(SpeedButton1, SpeedButton2);
    QWidget::setTabOrder(SpeedButton2, sbClear);
    QWidget::setTabOrder(sbClear, sbAnsver);
    QWidget::setTabOrder(sbAnsver, sbClose);

    const auto key = [this](const QKeySequence &keys, auto handler) {
        auto *shortcut = new QShortcut(keys, this);
        shortcut->setAutoRepeat(false);
        connect(shortcut, &QShortcut::activated, this, handler);
    };
    key(QKeySequence(Qt::Key_F5), [this] {
        if (!m_practice)
            return;
        m_practice->StartClick();
        giveKeyboardToMainWindow();
    });
    key(QKeySequence(Qt::Key_F6), [this] {
        hide();
        giveKeyboardToMainWindow();
    });
    key(QKeySequence(Qt::CTRL | Qt::Key_S), [this] { N1Click(); });
    key(QKeySequence(Qt::CTRL | Qt::Key_O), [this] { N2Click(); });
    // As the popup menu's item, which the list offers only while it is
    // enabled (not in the answer mode).
    key(QKeySequence(Qt::Key_Delete), [this] {
        if (lbStat->isEnabled())
            N5Click();
    });
    platform::onKeyPress(lbStat, [this](QKeyEvent *event) {
        if (event->key() == Qt::Key_Space || !platform::isPressKey(event))
            return false;
        sbAnsverClick();
        giveKeyboardToMainWindow();
        return true;
    });
    nameControls();
}

void TForm3::nameControls()
{
    setAccessibleDescription(QStringLiteral(
        "Enter на строке - ответить, начиная с неё; Delete - удалить выделенные строки; "
        "Ctrl+S - сохранить; Ctrl+O - загрузить; F5 - старт или стоп; F6 - скрыть журнал."));
    lbStat->setAccessibleName(windowTitle());
    lbStat->setAccessibleDescription(
        QStringLiteral("Enter - ответить на ошибки, начиная с выделенной строки. "
                       "Delete - удалить выделенные строки. Клавиша меню - меню списка."));
    delErr->setAccessibleDescription(platform::hint(delErr));
    SpeedButton1->setAccessibleDescription(platform::hint(SpeedButton1)
                                           + QStringLiteral(". Ctrl+S."));
    SpeedButton2->setAccessibleDescription(QStringLiteral("Загрузить \"журнал ошибок\". Ctrl+O."));
    sbClear->setAccessibleDescription(platform::hint(sbClear) + u'.');
    sbAnsver->setAccessibleDescription(platform::hint(sbAnsver)
                                       + QStringLiteral(". Enter на строке журнала - то же."));
    sbClose->setAccessibleDescription(QStringLiteral("Скрыть окно журнала. F6."));
}

void TForm3::giveKeyboardToMainWindow()
{
    if (!isVisible() && m_mainWindow)
        m_mainWindow->activateMainWindow();
}

} // namespace quz::journal
