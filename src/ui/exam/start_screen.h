#pragma once
// The start screen of the exam page: the two rule sets as radio buttons, each
// with the line that says what it means; a random ticket or a chosen one
// (1..40); "Начать экзамен"; and a line for what the program folder lacks.
//
// Not responsible for starting anything or for remembering the choice: it
// shows a choice, lets the learner change it and signals the start.

#include "core/exam/exam_rules.h"

#include <QWidget>

class QLabel;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace quz::examui {

// What the learner picks before an exam.
struct ExamChoice {
    exam::Rule rule = exam::Rule::Rules2016;
    bool randomTicket = true;
    int ticket = 1; // 1..40, kept also while a random ticket is chosen
};

class StartScreen : public QWidget {
    Q_OBJECT
public:
    explicit StartScreen(QWidget *parent = nullptr);

    QRadioButton *rule2004 = nullptr;
    QRadioButton *rule2016 = nullptr;
    QRadioButton *randomTicket = nullptr;
    QRadioButton *chosenTicket = nullptr;
    QSpinBox *ticketNumber = nullptr;
    QLabel *notices = nullptr;
    QPushButton *startButton = nullptr;

    // Shows `choice`; a ticket outside 1..40 is brought into it.
    void setChoice(const ExamChoice &choice);
    // The choice as the controls show it now.
    ExamChoice choice() const;

    // Lines about what the program folder lacks, shown under the choice;
    // none hides the place. `canStart` false disables "Начать экзамен".
    void setNotices(const QStringList &lines, bool canStart);

signals:
    void startClicked();

private:
    QWidget *buildRules();
    QWidget *buildTicket();
};

} // namespace quz::examui
