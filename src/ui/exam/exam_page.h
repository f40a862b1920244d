#pragma once
// The page "Экзамен" of quz-exam: one examination rehearsal after another,
// each through its three screens (start, questions, result). It reads the
// question and comment files of the program folder once, runs the exam in an
// exam::ExamSession and shows what the session holds; a timer only makes the
// session look at its monotonic clock. What the folder lacks (the question
// file, the comment file, the picture set, single questions and pictures) is
// said on the screens, in plain words.
//
// Every answer and every exam that ends goes to the learning record
// (ExamRecording). Not responsible for the rules, the countdown or the
// journal format (the core's exam session and journal do those), for
// settings, or for the window around it (ExamWindow).

#include "core/bank/comment_bank.h"
#include "core/bank/question_bank.h"
#include "core/exam/exam_session.h"
#include "core/exam/monotonic_clock.h"
#include "ui/exam/exam_recording.h"
#include "ui/exam/start_screen.h"
#include "ui/platform/services.h"

#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <optional>

class QStackedLayout;

namespace quz::examui {

class QuestionScreen;
class ResultScreen;

class ExamPage : public QWidget {
    Q_OBJECT
public:
    enum class Screen { Start, Question, Result };

    // Reads the files of services.programDir and shows the start screen.
    // `services` (with dialogs and clock), `clock` and `recorder` must
    // outlive the page.
    ExamPage(const Services &services, const exam::MonotonicClock &clock,
             record::Recorder &recorder, QWidget *parent = nullptr);

    StartScreen *startScreen = nullptr;
    QuestionScreen *questionScreen = nullptr;
    ResultScreen *resultScreen = nullptr;

    Screen screen() const { return m_screen; }
    // The exam on screen, running or finished; null on the start screen.
    const exam::ExamSession *session() const;
    bool isExamRunning() const;

    // The start screen's choice.
    void setChoice(const ExamChoice &choice);
    ExamChoice choice() const;
    // The seed of the next exam; each exam started takes the next number, so
    // that a first seed makes every exam of the run reproducible.
    void setSeed(quint32 seed) { m_nextSeed = seed; }

    // "Начать экзамен": starts an exam with the start screen's choice and
    // shows its first question. When none can start, the start screen says
    // why and false is returned.
    bool startExam();
    // "Закончить" after the learner confirmed it: the unanswered questions
    // count as errors and the result is shown.
    void finishExam();
    // The window closes during the exam: it ends, not passed, and nothing
    // more is shown.
    void abandonExam();

signals:
    // An exam has begun (true) or ended, however it ended (false).
    void examRunningChanged(bool running);

private:
    void readFolder(const QString &programDir);
    QStringList folderNotices() const;
    QString commentsNotice() const;
    QString picturesNotice() const;
    void answer(int digit);
    void tick();
    void askFinish();
    void follow(exam::Change change);
    void showCurrentQuestion();
    void showQuestionNotices();
    void showResult();
    void pictureUnreadable(const QString &path, const QString &reason);
    void saveErrors();
    void newExam();
    void showScreen(Screen screen);

    Services m_services;
    const exam::MonotonicClock *m_clock;
    QStackedLayout *m_screens = nullptr;
    Screen m_screen = Screen::Start;

    bank::QuestionBank m_bank;
    QString m_bankProblem; // why no exam can start; empty when the bank was read
    bank::CommentBank m_comments;
    bool m_commentsRead = false;
    bool m_picturesInstalled = false;

    std::optional<exam::ExamSession> m_session;
    ExamRecording m_recording;
    QString m_startedAt;              // the platform clock's text at the start
    QStringList m_unreadablePictures; // pictures of this exam that could not be shown
    quint32 m_nextSeed = 0;
    QTimer m_tick;
    OpenFileRequest m_chooser;
};

} // namespace quz::examui
