#pragma once
// The journal window: the error journal list `lbStat` with its placeholder
// text, the operations through which the main window writes entries, and
// the window's own position and options in the settings file (written at
// every hide). The journal's file actions and the journal answer mode build
// on this window.

#include "platform/services.h"
#include "platform/window_set.h"

#include <QWidget>

class QCheckBox;
class QListWidget;
class QToolButton;

class TForm3 : public QWidget {
    Q_OBJECT
public:
    // The captions of `sbAnsver`, which are the journal answer mode.
    inline static const QString kModeOffCaption = QStringLiteral("Ответить");
    inline static const QString kModeOnCaption = QStringLiteral("Хватит");

    TForm3(quz::Services &services, quz::WindowSet &windows, QWidget *parent = nullptr);
    ~TForm3() override;

    QListWidget *lbStat = nullptr;
    QCheckBox *delErr = nullptr;
    QToolButton *SpeedButton1 = nullptr;
    QToolButton *SpeedButton2 = nullptr;
    QToolButton *sbClear = nullptr;
    QToolButton *sbAnsver = nullptr;
    QToolButton *sbClose = nullptr;

    void FormCreate();
    void FormShow();
    void FormHide();
    void sbClearClick();
    void sbCloseClick();

    // Operations of the main window.
    void dropPlaceholder();
    void addStartEntry(const QString &ticket);
    void addErrorEntry(const QString &ticket, const QString &question);
    void showWindow();
    bool isShowing() const;
    bool answerModeOn() const;
    // Leaves or enters the journal answer mode; only leaving is reachable
    // until the mode itself is built.
    void sbAnsverClick();
    // A right answer while the journal answer mode is on.
    void rightAnswerInMode();

    QStringList lines() const;

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void appendLine(const QString &line);
    void layoutControls();

    quz::Services &m_services;
    quz::WindowSet &m_windows;
};
