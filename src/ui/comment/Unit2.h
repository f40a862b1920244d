#pragma once
// The comment window: one text at a time (a question's comment, the help
// text, the first-run tip). It closes on any key or a double-click, moves by a
// drag in its text, keeps its position and size in the settings file, written
// at every hide, and is never smaller than a line of text beside its scroll
// bar. What it shows is decided by the main window.

#include "ui/links/comment_link.h"
#include "ui/platform/services.h"

#include <QWidget>

class QTextEdit;

namespace quz::links {
class MainWindowLink;
}

namespace quz::comment {

class TForm2 : public QWidget, public links::CommentLink {
    Q_OBJECT
public:
    explicit TForm2(Services &services, QWidget *parent = nullptr);

    // The main window, which gets the keyboard focus back when this window
    // hides; none until it is set.
    void setMainWindow(links::MainWindowLink *mainWindow) { m_mainWindow = mainWindow; }

    QTextEdit *Koment = nullptr;

    void FormCreate();
    void FormHide();

    // What the main window asks of this window (links::CommentLink).
    void setComment(const QString &caption, const QString &text) override;
    void setText(const QString &text) override;
    // The first-run tip: shown, then given its one-line text.
    void showTip() override;
    void showWindow() override;
    void hideWindow() override;

protected:
    void hideEvent(QHideEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The smallest client size: a line of text beside a usable scroll bar.
    QSize minimumClientSize() const;

    Services &m_services;
    links::MainWindowLink *m_mainWindow = nullptr;
};

} // namespace quz::comment
