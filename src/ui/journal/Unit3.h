#pragma once
// The journal window: the error journal list `lbStat` with its placeholder
// text, the operations through which the main window writes entries, the
// journal's files (save, load, drop, command line) and the deletion of lines,
// and the journal answer mode that replays the journal's error entries. Its
// state is kept in typed members (the placeholder flag, the journal cursor,
// the command-line flag, the answer mode); the caption of `sbAnsver` shows the
// mode and is set from it.
//
// One class, several files, one concern each:
//   Unit3.cpp         creation, show/hide, settings, size limits, layout, entries
//   Unit3_files.cpp   save, load, drop, command line, popup menu
//   Unit3_answer.cpp  the answer mode: toggle, walk, right answer
//   Unit3_access.cpp  keyboard and screen reader: keys, Tab order, names
// The decisions live in journal_file.h, journal_walk.h and journal_entries.h;
// the lines themselves in the list's model (journal_model.h).

#include "ui/links/journal_link.h"
#include "ui/platform/services.h"

#include <QWidget>

class QAction;
class QCheckBox;
class QMenu;
class QToolButton;

namespace quz::links {
class MainWindowLink;
class PracticeLink;
} // namespace quz::links

namespace quz::journal {

class JournalLines;
class JournalModel;
class TListBox;

class TForm3 : public QWidget, public links::JournalLink {
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

    explicit TForm3(Services &services, QWidget *parent = nullptr);

    // The main window, whose runs the answer mode starts and stops; none
    // until it is set.
    void setPracticeWindow(links::PracticeLink *practice) { m_practice = practice; }
    // The main window, which gets the keyboard when a key hides this window;
    // none until it is set.
    void setMainWindow(links::MainWindowLink *mainWindow) { m_mainWindow = mainWindow; }

    TListBox *lbStat = nullptr;
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
    OpenFileRequest odLS;

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
    void rightAnswerInMode() override;

    // What the main window asks of this window (links::JournalLink).
    void dropPlaceholder() override;
    void addStartEntry(const QString &ticket) override;
    void addErrorEntry(const QString &ticket, const QString &question) override;
    void setClearEnabled(bool enabled) override;
    bool isShowing() const override;
    void showWindow() override;
    void hideWindow() override;
    bool commandLineJournalPending() const override { return m_commandLinePending; }
    bool answerModeOn() const override { return m_answerMode; }
    void leaveAnswerMode() override;

    // Whether the list still holds its placeholder text.
    bool placeholderShown() const { return m_placeholder; }
    // The journal cursor: the line the answer mode's walk looks from.
    int journalCursor() const { return m_cursor; }
    void setJournalCursor(int row) { m_cursor = row; }

    // The journal's lines, top to bottom.
    QStringList lines() const;
    const JournalLines &journal() const;

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
    void setAnswerMode(bool on);
    // Keyboard and screen reader (Unit3_access.cpp).
    void installKeyboardAccess();
    void nameControls();
    void giveKeyboardToMainWindow();

    Services &m_services;
    links::PracticeLink *m_practice = nullptr;
    links::MainWindowLink *m_mainWindow = nullptr;
    JournalModel *m_journal = nullptr;
    // The list holds the placeholder text, until the first run or load.
    bool m_placeholder = true;
    int m_cursor = 0;
    bool m_answerMode = false;
    // A journal file was named on the command line and is loaded at the
    // window's first showing.
    bool m_commandLinePending = false;
    QString m_commandLineFile;
    bool m_cuttingWidth = false;
    // Lines were appended while the window was hidden.
    bool m_scrollPending = false;
};

} // namespace quz::journal
