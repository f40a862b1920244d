// Run control and answering: Start/Stop, the answer check shared by the five
// answer buttons, and the main window's keyboard.

#include "ui/practice/Unit1.h"

#include "core/bank/comment_bank.h"
#include "core/files/text_file.h"
#include "ui/links/answer_log.h"
#include "ui/links/comment_link.h"
#include "ui/links/journal_link.h"
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

namespace look = quz::platform::look;

using quz::platform::letScreenUpdate;

namespace quz::practice {

void TForm1::StartClick()
{
    links::JournalLink *journal = m_journal;
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
            journal->setClearEnabled(false);
            if (journal->isShowing())
                journal->hideWindow();
        }
        return;
    }

    questionView->clearQuestion();
    if (journal)
        journal->leaveAnswerMode();
    setRunning(false);
    Timer1->stop();
    look::setTextColor(Start, look::lime());
    questionView->setVariantColor(look::moneyGreen());
    if (journal) {
        journal->setClearEnabled(true);
        if (!journal->isShowing())
            journal->showWindow();
    }
}

void TForm1::sb1Click(QToolButton *sender)
{
    const bool right = sender->text() == m_answerDigit;
    if (m_answerLog)
        m_answerLog->answerGiven(m_position.ticket, m_position.question, sender->text().toInt(),
                                 m_answerDigit, right, m_journal && m_journal->answerModeOn());
    if (!right) {
        if (m_journal)
            m_journal->addErrorEntry(m_position.ticket, m_position.question);
        questionView->setVariantColor(look::red());
        errorSound();
        sender->hide();
        announceWrongAnswer(sender->text());
        if (chbKoment->isChecked()) {
            ErrKoment();
            if (m_comment)
                m_comment->showWindow();
        }
        return;
    }

    if (m_comment)
        m_comment->hideWindow();
    questionView->setVariantColor(look::white());
    questionView->setQuestionColor(look::white());
    rightSound();
    letScreenUpdate();
    // The window may have been closed meanwhile: the banks are gone then.
    if (m_closing)
        return;
    if (m_journal && m_journal->answerModeOn())
        m_journal->rightAnswerInMode();
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
    if (m_comment)
        m_comment->showWindow();
    return true;
}

void TForm1::Image1DblClick()
{
    ErrKoment();
    if (m_comment)
        m_comment->showWindow();
}

void TForm1::sbErrClick()
{
    if (!m_journal)
        return;
    if (m_journal->isShowing())
        m_journal->hideWindow();
    else
        m_journal->showWindow();
}

void TForm1::ErrKoment()
{
    if (!m_comment)
        return;
    const QString text =
        m_comments ? m_comments->lookup(m_position.ticket, m_position.question) : QString();
    m_comment->setComment(quz::bank::commentCaption(m_position.ticket, m_position.question),
                          quz::files::displayText(text));
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

} // namespace quz::practice
