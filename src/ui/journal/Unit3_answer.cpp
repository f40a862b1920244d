// The journal answer mode: the toggle ("Ответить" / "Хватит", or a
// double-click on the list), the walk through the journal's error entries
// and the right answer while the mode is on. The mode runs inside a run of
// the main window, which it starts and stops through the practice link.

#include "ui/journal/Unit3.h"

#include "core/journal/journal_model.h"
#include "core/journal/journal_walk.h"
#include "ui/journal/list_box_widget.h"
#include "ui/journal/practice_link.h"
#include "ui/platform/control_state.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QToolButton>

using quz::platform::setTag;
using quz::platform::tag;

namespace {

// Lets the screen catch up in the middle of a handler; input waits until the
// handler is done.
void letScreenUpdate() { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); }

} // namespace

void TForm3::makeSingleSelection()
{
    lbStat->setMultiSelect(false);
    lbStat->selectOnly(static_cast<int>(
        quz::journal::singleSelectionRow(m_journal->rowCount(), lbStat->hasSelectedRows(),
                                         lbStat->focusRow(), lbStat->firstSelectedRow())));
}

void TForm3::sbAnsverClick()
{
    if (!answerModeOn() && m_journal->rowCount() == 0)
        return;
    quz::PracticeLink *practice = m_windows.practice;
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
        sbAnsver->setText(kModeOffCaption);
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
    sbAnsver->setText(kModeOnCaption);
    setTag(lbStat, lbStat->firstSelectedRow() - 1);
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
    const quz::journal::WalkStep step = quz::journal::walk(m_journal->lines(), tag(lbStat));
    setTag(lbStat, static_cast<int>(step.cursor));
    if (step.found) {
        lbStat->selectOnly(static_cast<int>(step.cursor));
        if (m_windows.practice)
            m_windows.practice->showQuestion(step.entry.ticket, step.entry.question);
        return;
    }
    // Past the last line: no line is selected, the mode ends, and once the
    // stopped main window and this window are drawn the user hears of it.
    lbStat->selectOnly(-1);
    sbAnsverClick();
    letScreenUpdate();
    m_services.dialogs->messageBox(
        this, m_services.title(),
        QStringLiteral("Поздравляю!\r\nВы - Победитель!!!\r\n\r\nВсе ошибки исправлены =)"));
}

void TForm3::rightAnswerInMode()
{
    const quz::journal::RightAnswer answer =
        quz::journal::rightAnswer(tag(lbStat), delErr->isChecked());
    setTag(lbStat, static_cast<int>(answer.cursor));
    if (answer.deleteSelected)
        m_journal->removeRows(lbStat->selectedRanges());
    nextStat();
}
