#pragma once
// The result screen of the exam page: "Экзамен сдан" or "Экзамен не сдан"
// with the reason in one line, the time used, the right answers out of those
// asked, every wrong answer (ticket and question, the question, the answer
// given, the right answer, the comment), what the program folder lacked,
// and the buttons "Сохранить ошибки…" and "Новый экзамен".
//
// Not responsible for the exam or for files: it shows a finished session
// and signals the two buttons.

#include "core/exam/exam_session.h"

#include <QWidget>

class QLabel;
class QPushButton;
class QTextBrowser;

namespace quz::examui {

class NoticeArea;

class ResultScreen : public QWidget {
    Q_OBJECT
public:
    explicit ResultScreen(QWidget *parent = nullptr);

    QLabel *verdict = nullptr; // "Экзамен сдан" / "Экзамен не сдан"
    QLabel *reason = nullptr;
    QLabel *timeUsed = nullptr;
    QLabel *rightAnswers = nullptr;
    NoticeArea *notices = nullptr;
    QLabel *errorsTitle = nullptr;
    QTextBrowser *errors = nullptr; // the wrong answers
    QLabel *saved = nullptr;        // where the errors were saved last
    QPushButton *saveButton = nullptr;
    QPushButton *newExamButton = nullptr;

    // Shows the verdict of a finished session, its wrong answers as given
    // (comments included), and the lines about what was missing. Forgets
    // where errors were saved before.
    void showResult(const exam::ExamSession &session, const std::vector<exam::WrongAnswer> &wrong,
                    const QStringList &noticeLines);
    // Says under the buttons where the errors were saved.
    void setSaved(const QString &path);

signals:
    void saveClicked();
    void newExamClicked();

private:
    void fillErrors(const std::vector<exam::WrongAnswer> &wrong);
};

// "Билет 07, вопрос 12", with " (дополнительный)" for an extra question.
QString wrongAnswerTitle(const exam::WrongAnswer &wrong);
// "2. <variant>" for an answer given, "нет ответа" for none.
QString answerText(int digit, const QString &variant);

} // namespace quz::examui
