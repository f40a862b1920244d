#pragma once
// The main window as the journal window uses it: the run it toggles, the
// question it shows and the start entry it marks as written. The main window
// implements it; the journal window knows nothing else of it.

#include <QString>

namespace quz::links {

class PracticeLink {
public:
    // Starts a run when none is going, stops it otherwise (`StartClick`).
    virtual void StartClick() = 0;
    // Whether a run is going.
    virtual bool isRunning() const = 0;
    // Whether a run can start (there are questions to ask); a StartClick
    // that cannot start one tells the user why and changes nothing.
    virtual bool canStartRun() const = 0;
    // Makes `ticket` and `question` the current numbers, exactly as given,
    // and displays that question.
    virtual void showQuestion(const QString &ticket, const QString &question) = 0;
    // The next run start writes a start entry again.
    virtual void resetStartLogged() = 0;

protected:
    ~PracticeLink() = default;
};

} // namespace quz::links
