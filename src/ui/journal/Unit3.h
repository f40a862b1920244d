#pragma once
// The journal window: the error journal list `lbStat` with its placeholder
// text, the operations through which the main window writes entries, the
// journal's files (save, load, drop, command line) and the deletion of lines,
// and the journal answer mode that replays the journal's error entries. Its
// state lives in its controls: the placeholder flag in the window's tag, the
// journal cursor in the tag of `lbStat`, the command-line flag in the tag of
// `sbAnsver` and the answer mode in the caption of `sbAnsver`.
//
// One class, several files, one concern each:
//   Unit3.cpp         creation, show/hide, settings, size limits, layout, entries
//   Unit3_files.cpp   save, load, drop, command line, popup menu
//   Unit3_answer.cpp  the answer mode: toggle, walk, right answer
// The decisions live in journal_file.h, journal_walk.h and journal_entries.h;
// the lines themselves in the list's model (journal_model.h).

#include "ui/platform/services.h"
#include "ui/practice/window_set.h"

#include <QWidget>

class QAction;
class QCheckBox;
class QMenu;
class QToolButton;

namespace quz::journal {
class JournalLines;
class JournalModel;
class TListBox;
} // namespace quz::journal

class TForm3 : public QWidget {
    Q_OBJECT
public:
    // The captions of `sbAnsver`, which are the journal answer mode.
    inline static const QString kModeOffCaption = QStringLiteral("Ответить");
    inline static const QString kModeOnCaption = QStringLiteral("Хватит");
    // The smallest outer size the user can give the window, and the widths
    // at and above which it is cut back.
    static constexpr int kMinimumWidth = 185;
    static constexpr int kMinimumHeight = 291;
    static constexpr int kTooWide = 304;
    static constexpr int kCutWidth = 302;

    TForm3(quz::Services &services, quz::WindowSet &windows, QWidget *parent = nullptr);
    ~TForm3() override;

    quz::journal::TListBox *lbStat = nullptr;
    QCheckBox *delErr = nullptr;
    QToolButton *SpeedButton1 = nullptr;
    QToolButton *SpeedButton2 = nullptr;
    QToolButton *sbClear = nullptr;
    QToolButton *sbAnsver = nullptr;
    QToolButton *sbClose = nullptr;
    QMenu *PopupMenu1 = nullptr;
    QAction *N1 = nullptr;
    QAction *N2 = nullptr;
    QAction *N5 = nullptr;
    // The file chooser of saving and loading; it keeps the last chosen file.
    quz::OpenFileRequest odLS;

    // Window life.
    void FormCreate();
    void FormShow();
    void FormHide();
    void FormResize();
    void sbClearClick();
    void sbCloseClick();

    // Files and lines.
    void N1Click();
    void N2Click();
    void lbStatDropFiles(const QStringList &paths);
    void ProcessFile(const QString &path);
    void PopupMenu1Popup();
    void N5Click();

    // The journal answer mode.
    void sbAnsverClick();
    void nextStat();
    // A right answer while the journal answer mode is on.
    void rightAnswerInMode();

    // Operations of the main window.
    void dropPlaceholder();
    void addStartEntry(const QString &ticket);
    void addErrorEntry(const QString &ticket, const QString &question);
    // Makes the window visible (restored if it was minimised), brings it to
    // the front and activates it.
    void showWindow();
    // Whether the user sees the window: visible and not minimised.
    bool isShowing() const;
    bool answerModeOn() const;

    // The journal's lines, top to bottom.
    QStringList lines() const;
    const quz::journal::JournalLines &journal() const;

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void moveEvent(QMoveEvent *event) override;

private:
    void buildControls();
    void connectHandlers();
    void appendLine(const QString &line);
    // Appends the lines of a journal file; a failure is shown.
    void loadFile(const QString &path);
    // Makes the list single-selection with one line selected.
    void makeSingleSelection();
    // Scrolls the list after lines were added: to its end, or, while the
    // answer mode is on, to the entry being answered (the list is disabled
    // then, so the user could not scroll back to it).
    void scrollAfterAppend();
    void applyMinimumSize();
    void layoutControls();

    quz::Services &m_services;
    quz::WindowSet &m_windows;
    quz::journal::JournalModel *m_journal = nullptr;
    QString m_commandLineFile;
    bool m_cuttingWidth = false;
    // Lines were appended while the window was hidden.
    bool m_scrollPending = false;
};
