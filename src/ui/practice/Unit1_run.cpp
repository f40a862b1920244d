// Run control and answering: Start/Stop, the answer check shared by the five
// answer buttons, and the main window's keyboard.

#include "ui/practice/Unit1.h"

#include "core/bank/comment_bank.h"
#include "core/files/text_file.h"
#include "ui/comment/Unit2.h"
#include "ui/journal/Unit3.h"
#include "ui/platform/control_state.h"
#include "ui/platform/look.h"
#include "ui/platform/screen_update.h"
#include "ui/question/question_view.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QSpinBox>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>

namespace look = quz::look;

using quz::platform::letScreenUpdate;

void TForm1::StartClick()
{
    TForm3 *journal = m_windows.Form3;
    if (!isRunning()) {
        if (!canStartRun()) {
            m_services.dialogs->messageBox(
                this, m_services.title(),
                QStringLiteral("Вопросы не загружены: нет файла \"vopros.txt\" или он пуст. "
                               "Начать нельзя."));
            return;
        }
        if (journal)
            journal->dropPlaceholder();
        setRunning(true);
        if (m_services.commandLineFile.isEmpty())
            Timer1->start();
        OkedBV();
        ChangeBilet();
        look::setTextColor(Start, look::red());
        if (!m_startLogged && journal)
            journal->addStartEntry(m_position.ticket);
        m_startLogged = true;
        if (journal) {
            journal->sbClear->setEnabled(false);
            if (journal->isShowing())
                journal->hide();
        }
        return;
    }

    questionView->clearQuestion();
    if (journal && journal->answerModeOn())
        journal->sbAnsverClick();
    setRunning(false);
    Timer1->stop();
    look::setTextColor(Start, look::lime());
    questionView->setVariantColor(look::moneyGreen());
    if (journal) {
        journal->sbClear->setEnabled(true);
        if (!journal->isShowing())
            journal->showWindow();
    }
}

void TForm1::sb1Click(QToolButton *sender)
{
    if (sender->text() != m_answerDigit) {
        if (m_windows.Form3)
            m_windows.Form3->addErrorEntry(m_position.ticket, m_position.question);
        questionView->setVariantColor(look::red());
        errorSound();
        sender->hide();
        if (chbKoment->isChecked()) {
            ErrKoment();
            if (m_windows.Form2)
                m_windows.Form2->showWindow();
        }
        return;
    }

    if (m_windows.Form2 && m_windows.Form2->isVisible())
        m_windows.Form2->hide();
    questionView->setVariantColor(look::white());
    questionView->setQuestionColor(look::white());
    rightSound();
    letScreenUpdate();
    // The window may have been closed meanwhile: the banks are gone then.
    if (m_closing)
        return;
    if (m_windows.Form3 && m_windows.Form3->answerModeOn())
        m_windows.Form3->rightAnswerInMode();
    else
        addVopros();
    letScreenUpdate();
    questionView->setVariantColor(look::moneyGreen());
    questionView->setQuestionColor(look::light3D());
}

bool TForm1::FormKeyPress(QChar key)
{
    if (questionView->variantColor() == look::red())
        questionView->setVariantColor(look::windowColor());
    if (!edbv->isHidden() && key == QChar(13)) {
        OkedBV();
        return true;
    }
    if (key == QChar(27))
        edbv->hide();
    if (!isRunning())
        return false;
    if (key >= QChar(u'1') && key <= QChar(u'5'))
        questionView->clickAnswer(key.unicode() - u'0');
    return true;
}

bool TForm1::FormKeyDown(int key, Qt::KeyboardModifiers)
{
    if (key != Qt::Key_F1)
        return false;
    ErrKoment();
    if (m_windows.Form2)
        m_windows.Form2->showWindow();
    return true;
}

void TForm1::Image1DblClick()
{
    ErrKoment();
    if (m_windows.Form2)
        m_windows.Form2->showWindow();
}

void TForm1::sbErrClick()
{
    TForm3 *journal = m_windows.Form3;
    if (!journal)
        return;
    if (journal->isShowing())
        journal->hide();
    else
        journal->showWindow();
}

void TForm1::ErrKoment()
{
    TForm2 *comment = m_windows.Form2;
    if (!comment)
        return;
    const QString text =
        m_comments ? m_comments->lookup(m_position.ticket, m_position.question) : QString();
    comment->Koment->setPlainText(quz::files::displayText(text));
    comment->setWindowTitle(quz::bank::commentCaption(m_position.ticket, m_position.question));
}

void TForm1::keyPressEvent(QKeyEvent *event)
{
    if (FormKeyDown(event->key(), event->modifiers()))
        return;
    const QString text = event->text();
    if (!text.isEmpty() && FormKeyPress(text.front()))
        return;
    QWidget::keyPressEvent(event);
}
