#pragma once
// The comment window as the main window uses it: what it shows and whether
// it shows. The comment window implements it; the main window knows nothing
// else of it.

#include <QString>

namespace quz::links {

class CommentLink {
public:
    // A question's comment under its caption.
    virtual void setComment(const QString &caption, const QString &text) = 0;
    // Another text (the help) under the caption the window has.
    virtual void setText(const QString &text) = 0;
    // The first-run tip: the window shown with its one-line text.
    virtual void showTip() = 0;

    // Makes the window visible (restored if minimised), in front and active.
    virtual void showWindow() = 0;
    // Hides the window when it is visible (it then writes its settings).
    virtual void hideWindow() = 0;

protected:
    ~CommentLink() = default;
};

} // namespace quz::links
