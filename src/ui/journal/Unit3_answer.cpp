// The journal answer mode: the toggle ("Ответить" / "Хватит", or a
// double-click on the list), the walk through the journal's error entries
// and the right answer while the mode is on. The mode runs inside a run of
// the main window, which it starts and stops through the practice link.

#include "ui/journal/Unit3.h"

#include "core/journal/journal_model.h"
#include "core/journal/journal_walk.h"
#include "ui/journal/list_box_widget.h"
#include "ui/links/practice_link.h"
#include "ui/platform/screen_update.h"

#include <QCheckBox>
#include <QToolButton>

namespace quz::journal {

void TForm3::setAnswerMode(bool on)
{
    m_answerMode = on;
    sbAnsver->setText(on ? kModeOnCaption : kModeOffCaption);
}

void TForm3::leaveAnswerMode()
{
    if (m_answerMode)
        sbAnsverClick();
}

void TForm3::makeSingleSelection()
{
    lbStat->setMultiSelect(false);
    lbStat->selectOnly(
        static_cast<int>(singleSelectionRow(m_journal->rowCount(), lbStat->hasSelectedRows(),
                                            lbStat->focusRow(), lbStat->firstSelectedRow())));
}

void TForm3::sbAnsverClick()
{
    if (!answerModeOn() && m_journal->rowCount() == 0)
        return;
    links::PracticeLink *practice = m_practice;
    // Without questions no run can start, and the mode lives only inside a
    // run: the main window's refusal is shown once and nothing changes.
    if (!answerModeOn() && practice && !practice->isRunning() && !practice->canStartRun()) {
        practice->StartClick();
        return;
    }
    makeSingleSelection();

    if (answerModeOn()) {
        // Leave. The run is stopped after the caption has changed, so that
        // the stop, finding the mode off, does not come back here.
        setAnswerMode(false);
        lbStat->setEnabled(true);
        if (practice)
            practice->StartClick();
        lbStat->setMultiSelect(true);
        // The stop shows the window scrolled to its end; the line that stays
        // selected is brought back into view.
        if (const int selected = lbStat->firstSelectedRow(); selected >= 0)
            lbStat->scrollTo(m_journal->index(selected, 0));
        return;
    }

    // Enter.
    setAnswerMode(true);
    m_cursor = lbStat->firstSelectedRow() - 1;
    lbStat->setEnabled(false);
    if (practice && practice->isRunning()) {
        // During a run the toggle only stops it; the stop leaves the mode.
        practice->StartClick();
        return;
    }
    nextStat();
    if (practice)
        practice->StartClick();
    hide();
}

void TForm3::nextStat()
{
    const WalkStep step = walk(m_journal->lines(), m_cursor);
    m_cursor = static_cast<int>(step.cursor);
    if (step.found) {
        lbStat->selectOnly(static_cast<int>(step.cursor));
        if (m_practice)
            m_practice->showQuestion(step.entry.ticket, step.entry.question);
        return;
    }
    // Past the last line: no line is selected, the mode ends, and once the
    // stopped main window and this window are drawn the user hears of it.
    lbStat->selectOnly(-1);
    sbAnsverClick();
    platform::letScreenUpdate();
    m_services.dialogs->messageBox(
        this, m_services.title(),
        QStringLiteral("Поздравляю!\r\nВы - Победитель!!!\r\n\r\nВсе ошибки исправлены =)"));
}

void TForm3::rightAnswerInMode()
{
    const RightAnswer answer = rightAnswer(m_cursor, delErr->isChecked());
    m_cursor = static_cast<int>(answer.cursor);
    if (answer.deleteSelected)
        m_journal->removeRanges(lbStat->selectedRanges());
    nextStat();
}

} // namespace quz::journal
