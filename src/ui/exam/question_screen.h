#pragma once
// The exam screen of the exam page: "Вопрос N из M" and "Осталось MM:SS"
// above the question view (picture, question, variants, answer buttons),
// a line for what the bank could not give, and "Закончить". An answer, by
// its button or by the keys 1..5, is signalled and nothing else: no colour,
// no sound, no sign of right or wrong.
//
// Not responsible for the exam: it shows the question and the texts it is
// given and signals what the learner does.

#include "ui/question/question_view.h"

#include <QStringList>
#include <QWidget>

class QLabel;
class QPushButton;

namespace quz::examui {

class NoticeArea;

class QuestionScreen : public QWidget {
    Q_OBJECT
public:
    explicit QuestionScreen(QWidget *parent = nullptr);

    QLabel *progress = nullptr;  // "Вопрос N из M"
    QLabel *remaining = nullptr; // "Осталось MM:SS"
    NoticeArea *notices = nullptr;
    question::QuestionView *questionView = nullptr;
    QPushButton *finishButton = nullptr;

    // Shows a new question and its progress line.
    void showQuestion(const question::QuestionContent &content, const QString &progressText);
    void setRemaining(const QString &text);
    // Lines about what is missing; none hides the place.
    void setNotices(const QStringList &lines);

signals:
    // The answer 1..5, by a button or a key.
    void answered(int digit);
    void finishClicked();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void answerButtonClicked(QToolButton *button);
};

} // namespace quz::examui
