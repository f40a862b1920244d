#pragma once
// The journal window as the main window uses it: the entries a run writes,
// showing and hiding the window, the "Очистить" button that a run disables,
// and the journal answer mode that a run stop leaves. The journal window
// implements it; the main window knows nothing else of it.

#include <QString>

namespace quz::links {

class JournalLink {
public:
    // Ends the placeholder text: the list is emptied once, before the first
    // entry of the first run.
    virtual void dropPlaceholder() = 0;
    virtual void addStartEntry(const QString &ticket) = 0;
    // Writes an error entry unless the last line is one for the same question
    // number.
    virtual void addErrorEntry(const QString &ticket, const QString &question) = 0;
    // "Очистить" is disabled for the whole of a run.
    virtual void setClearEnabled(bool enabled) = 0;

    // Whether the user sees the window: visible and not minimised.
    virtual bool isShowing() const = 0;
    // Makes the window visible (restored if minimised), in front and active.
    virtual void showWindow() = 0;
    // Hides the window when it is visible (it then writes its settings).
    virtual void hideWindow() = 0;
    // Whether a journal file named on the command line waits for the window's
    // first showing, which loads it.
    virtual bool commandLineJournalPending() const = 0;

    virtual bool answerModeOn() const = 0;
    // Leaves the journal answer mode when it is on (`sbAnsverClick`).
    virtual void leaveAnswerMode() = 0;
    // A right answer while the mode is on: the next error entry is asked.
    virtual void rightAnswerInMode() = 0;

protected:
    ~JournalLink() = default;
};

} // namespace quz::links
