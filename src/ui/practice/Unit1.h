#pragma once
// The main window: question area, control strip, sound settings panel and
// status bar. It keeps its state in typed members (run state, start logged,
// ticket and question, range, answer digit, first-run flag, title animation
// position, sound files) and sets the captions that show it whenever it
// changes; it never reads a caption back. It owns the question bank and the
// comment bank for the whole run.
//
// One class, several files, one concern each:
//   Unit1.cpp          creation, showing, closing, settings batches
//   Unit1_layout.cpp   building the controls at their designed places
//   Unit1_display.cpp  ChangeBilet: picture, question, variants, buttons
//   Unit1_position.cpp ticket/question position, range, number editor
//   Unit1_run.cpp      run control, answer check, keyboard
//   Unit1_sounds.cpp   sound settings panel and answer sounds
//   Unit1_shell.cpp    the window's frame: title animation, hover effects,
//                      hint panel, help, mail and web buttons
//   Unit1_access.cpp   keyboard and screen reader: F5, F6, Tab order,
//                      accessible names, announcements
// The decisions themselves live in practice/practice_rules.h.

#include "core/files/outcome.h"
#include "core/practice/practice_rules.h"
#include "ui/links/main_window_link.h"
#include "ui/links/practice_link.h"
#include "ui/platform/services.h"
#include "ui/question/question_view.h"

#include <QWidget>
#include <array>
#include <memory>
#include <vector>

class QCheckBox;
class QGroupBox;
class QLabel;
class QSpinBox;
class QSplitter;
class QTextEdit;
class QTimer;
class QToolButton;
class QFrame;

namespace quz::bank {
class QuestionBank;
class CommentBank;
} // namespace quz::bank

namespace quz::links {
class AnswerLog;
class CommentLink;
class JournalLink;
} // namespace quz::links

namespace quz::practice {

class TSpinButton;
class TStatusBar;

class TForm1 : public QWidget, public links::PracticeLink, public links::MainWindowLink {
    Q_OBJECT
public:
    static QString designCaption();
    // The captions of `Start`, which are the run state.
    inline static const QString kIdleCaption = QStringLiteral("Старт");
    inline static const QString kRunningCaption = QStringLiteral("Стоп");

    explicit TForm1(Services &services, QWidget *parent = nullptr);
    ~TForm1() override;

    // The other two windows, as this one uses them; none until they are set.
    void setJournalWindow(links::JournalLink *journal) { m_journal = journal; }
    void setCommentWindow(links::CommentLink *comment) { m_comment = comment; }
    // Where every answer is reported (the learning record); none until set.
    void setAnswerLog(links::AnswerLog *log) { m_answerLog = log; }

    // Controls, named as in the window's design.
    QWidget *Panel1 = nullptr;
    QGroupBox *gb1 = nullptr;
    QLabel *NumBilet = nullptr;
    QLabel *NumVop = nullptr;
    QSpinBox *edbv = nullptr;
    QLabel *Otvet = nullptr;
    // The question view (picture, question text, variants, answer buttons),
    // where the design has Splitter1 with Panel3 and Panel2.
    quz::question::QuestionView *questionView = nullptr;
    QLabel *L1 = nullptr;
    QLabel *L2 = nullptr;

    QFrame *Panel4 = nullptr;
    QGroupBox *GroupBox1 = nullptr;
    QLabel *Label4 = nullptr;
    QLabel *laSt = nullptr;
    TSpinButton *SpinButton1 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *laEn = nullptr;
    TSpinButton *SpinButton2 = nullptr;
    QToolButton *SpeedButton1 = nullptr;
    QCheckBox *autoRes = nullptr;
    QCheckBox *rnd = nullptr;
    QCheckBox *chbKoment = nullptr;
    QToolButton *sbErr = nullptr;
    QToolButton *Start = nullptr;

    QFrame *Panel5 = nullptr;
    QGroupBox *GroupBox2 = nullptr;
    QCheckBox *beepErr = nullptr;
    QCheckBox *wavOnErr = nullptr;
    QToolButton *sbWavErr = nullptr;
    QLabel *wavErr = nullptr;
    QGroupBox *GroupBox3 = nullptr;
    QCheckBox *beep = nullptr;
    QCheckBox *wavOn = nullptr;
    QToolButton *sbWav = nullptr;
    QLabel *WavYes = nullptr;
    QToolButton *SpeedButton2 = nullptr;

    TStatusBar *StatusBar1 = nullptr;
    QToolButton *sbWWW = nullptr;
    QToolButton *sbHelp = nullptr;
    QToolButton *sbEmail = nullptr;
    QTimer *Timer1 = nullptr;

    // Handlers and operations.
    void FormCreate();
    void FormShow();
    void FormClose();

    void ChangeBilet();
    void view();
    void addZero();
    void addVopros();
    void SpinButton1UpClick();
    void SpinButton1DownClick();
    void SpinButton2UpClick();
    void SpinButton2DownClick();
    void NumBiletClick();
    void NumVopClick();
    void OkedBV();

    // Makes `position` the current ticket and question, texts exactly as
    // given, and shows them; nothing is redisplayed.
    void setPosition(const quz::practice::Position &position);
    const quz::practice::Position &position() const { return m_position; }
    // Makes `range` the practised range and shows it (`view`).
    void setRange(quz::practice::Range range);
    quz::practice::Range range() const { return m_range; }
    // Whether the start entry of the current journal has been written.
    bool startLogged() const { return m_startLogged; }

    void StartClick() override;
    void sb1Click(QToolButton *sender);
    // Returns true when the key was consumed.
    bool FormKeyPress(QChar key);
    bool FormKeyDown(int key, Qt::KeyboardModifiers modifiers);
    void sbErrClick();

    void SpeedButton1Click();
    void SpeedButton2Click();
    void wavOnErrClick();
    void wavOnClick();
    void sbWavErrClick();
    void sbWavClick();
    void errorSound();
    void rightSound();

    void ErrKoment();

    // What the journal window and the comment window ask of this window.
    bool isRunning() const override;
    bool canStartRun() const override;
    void showQuestion(const QString &ticket, const QString &question) override;
    void resetStartLogged() override;
    void activateMainWindow() override;

    void Timer1Timer();
    void Image1DblClick();

    // The window's shell (Unit1_shell.cpp): hover effects and the three small
    // buttons of the status bar.
    void L1MouseMove();
    void Panel4MouseMove();
    void sbErrMouseMove();
    void sbHelpClick();
    void sbEmailClick();
    void sbWWWClick();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool focusNextPrevChild(bool next) override;

private:
    void buildControls();
    void buildQuestionArea();
    void buildControlStrip();
    void buildSoundPanel();
    void buildStatusBar();
    void layoutBands();
    void connectHandlers();
    // Size limit, screen-edge snapping, hint panel, hover effects and the
    // small buttons' handlers.
    void installShell();

    quz::Status checkPictures();
    void readSettings();
    void writeSettings();
    quz::Status loadBanks();
    void setUpStatusBar();
    // Keyboard and screen reader (Unit1_access.cpp): keys, Tab order,
    // accessible names and descriptions, announcements.
    void installKeyboardAccess();
    std::vector<QWidget *> tabOrder() const;
    void accessSoundPanel();
    void nameControls();
    bool previewKey(QKeyEvent *event);
    void nameNumbers();
    void nameRange();
    void nameNumberEditor();
    void focusAfterEditor();
    void announceQuestion(const QString &text);
    void announceWrongAnswer(const QString &digit);
    // What the number editor commits to.
    enum class EditorTarget { None, Ticket, Question };
    void openNumberEditor(QLabel *number, int maximum, EditorTarget target);
    void setRunning(bool running);
    void setAnswerDigit(const QString &digit);
    void setWavPath(QString &path, QLabel *label, const QString &value);
    void chooseWav(QString &path, QLabel *label, QToolButton *button, QCheckBox *enabled);

    Services &m_services;
    links::JournalLink *m_journal = nullptr;
    links::CommentLink *m_comment = nullptr;
    links::AnswerLog *m_answerLog = nullptr;
    std::unique_ptr<quz::bank::QuestionBank> m_questions;
    std::unique_ptr<quz::bank::CommentBank> m_comments;
    quz::practice::RandomGenerator m_random;

    // The window's state. The captions of Start, NumBilet, NumVop, laSt, laEn
    // and Otvet, the labels of the sound files and the window caption show it.
    bool m_running = false;
    bool m_startLogged = false;
    // Ticket and question as texts: a hand-edited settings file or journal
    // line may hold texts that are not two-digit numbers, and the lookups use
    // them exactly as they stand.
    quz::practice::Position m_position{QStringLiteral("01"), QStringLiteral("01")};
    quz::practice::Range m_range;
    QString m_answerDigit;
    QString m_rightWavPath;
    QString m_errorWavPath;
    EditorTarget m_editorTarget = EditorTarget::None;
    // The settings key "first" as read: 1 on the program's first start.
    int m_firstRun = 0;
    // The title animation's position; it starts from the value of "first",
    // so that the animation's first step is the same as it always was.
    int m_titlePosition = 0;

    // The number label from which a key opened the number editor; none when
    // it was opened otherwise.
    QWidget *m_editorOpener = nullptr;
    // Watches the number editor's showing and hiding; removed first when the
    // window is destroyed, since the editor is hidden after this window's
    // own part is gone.
    QObject *m_editorWatch = nullptr;

    bool m_shownOnce = false;
    bool m_closing = false;
    // Whether the creation got as far as reading the settings; the close
    // writes back only what was read.
    bool m_settingsRead = false;
};

} // namespace quz::practice
