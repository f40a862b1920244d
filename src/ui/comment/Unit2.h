#pragma once
// The comment window: one text at a time (a question's comment, the help
// text, the first-run tip). It closes on any key or a double-click, moves by a
// drag in its text, keeps its position and size in the settings file, written
// at every hide, and is never smaller than a line of text beside its scroll
// bar. What it shows is decided by the main window.

#include "ui/platform/services.h"
#include "ui/practice/window_set.h"

#include <QWidget>

class QTextEdit;

class TForm2 : public QWidget {
    Q_OBJECT
public:
    TForm2(quz::Services &services, quz::WindowSet &windows, QWidget *parent = nullptr);
    ~TForm2() override;

    QTextEdit *Koment = nullptr;

    void FormCreate();
    void FormHide();
    // Makes the window visible (restored if it was minimised), brings it to
    // the front and activates it.
    void showWindow();
    // The first-run tip: shown, then given its one-line text.
    void showTip();

protected:
    void hideEvent(QHideEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The smallest client size: a line of text beside a usable scroll bar.
    QSize minimumClientSize() const;

    quz::Services &m_services;
    quz::WindowSet &m_windows;
};
