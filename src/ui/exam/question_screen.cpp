#include "ui/exam/question_screen.h"

#include "ui/exam/exam_look.h"
#include "ui/exam/notice_area.h"
#include "ui/question/picture_widget.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTextEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace quz::examui {

namespace {

// The size below which the question view's picture, question and variants
// stop being readable.
constexpr int kViewMinWidth = 560;
constexpr int kViewMinHeight = 280;
// Lines of notices shown at once; more scroll.
constexpr int kNoticeLines = 3;

} // namespace

QuestionScreen::QuestionScreen(QWidget *parent)
    : QWidget(parent)
{
    progress = new QLabel(this);
    remaining = new QLabel(this);
    const QFont big = scaledFont(font(), 1.2, true);
    progress->setFont(big);
    remaining->setFont(big);
    remaining->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto *top = new QHBoxLayout;
    top->addWidget(progress);
    top->addStretch(1);
    top->addWidget(remaining);

    notices = new NoticeArea(kNoticeLines, this);

    questionView = new question::QuestionView(this);
    questionView->setMinimumSize(kViewMinWidth, kViewMinHeight);
    // The view's areas have no caption of their own to be named by.
    questionView->Memo1->setAccessibleName(QStringLiteral("Варианты ответа"));
    questionView->Image1->setAccessibleName(QStringLiteral("Рисунок"));

    finishButton = new QPushButton(QStringLiteral("Закончить"), this);
    auto *bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(finishButton);

    auto *column = new QVBoxLayout(this);
    column->addLayout(top);
    column->addWidget(notices);
    column->addWidget(questionView, 1);
    column->addLayout(bottom);

    // The digits reach the screen from whichever of its controls has the
    // focus; the screen itself takes it when nothing else does.
    setFocusPolicy(Qt::StrongFocus);
    connect(questionView, &question::QuestionView::answerClicked, this,
            &QuestionScreen::answerButtonClicked);
    connect(finishButton, &QPushButton::clicked, this, &QuestionScreen::finishClicked);
}

void QuestionScreen::showQuestion(const question::QuestionContent &content,
                                  const QString &progressText)
{
    progress->setText(progressText);
    questionView->showQuestion(content, true);
}

void QuestionScreen::setRemaining(const QString &text) { remaining->setText(text); }

void QuestionScreen::setNotices(const QStringList &lines) { notices->setLines(lines); }

void QuestionScreen::answerButtonClicked(QToolButton *button)
{
    for (int digit = 1; digit <= 5; ++digit) {
        if (questionView->answerButton(digit) == button) {
            emit answered(digit);
            return;
        }
    }
}

void QuestionScreen::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    const bool plain = !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    if (key >= Qt::Key_1 && key <= Qt::Key_5 && plain && !event->isAutoRepeat()) {
        // Only a key whose button is showing answers, as a click would.
        questionView->clickAnswer(key - Qt::Key_0);
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace quz::examui
