#include "ui/exam/result_screen.h"

#include "ui/exam/exam_look.h"
#include "ui/exam/notice_area.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTextBlockFormat>
#include <QTextBrowser>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QVBoxLayout>

namespace quz::examui {

namespace {

constexpr int kErrorsMinHeight = 120;
// Lines of notices shown at once; more scroll.
constexpr int kNoticeLines = 3;

QLabel *plainLabel(QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    return label;
}

} // namespace

QString wrongAnswerTitle(const exam::WrongAnswer &wrong)
{
    QString title = QStringLiteral("Билет %1, вопрос %2")
                        .arg(wrong.ticket, 2, 10, QLatin1Char('0'))
                        .arg(wrong.number, 2, 10, QLatin1Char('0'));
    if (wrong.extra)
        title += QStringLiteral(" (дополнительный)");
    return title;
}

QString answerText(int digit, const QString &variant)
{
    if (digit == 0)
        return QStringLiteral("нет ответа");
    return variant.isEmpty() ? QString::number(digit)
                             : QStringLiteral("%1. %2").arg(digit).arg(variant);
}

ResultScreen::ResultScreen(QWidget *parent)
    : QWidget(parent)
{
    verdict = plainLabel(this);
    verdict->setFont(scaledFont(font(), 1.6, true));
    reason = plainLabel(this);
    reason->setFont(scaledFont(font(), 1.1, true));
    timeUsed = plainLabel(this);
    rightAnswers = plainLabel(this);
    notices = new NoticeArea(kNoticeLines, this);
    errorsTitle = plainLabel(this);
    errors = new QTextBrowser(this);
    errors->setAccessibleName(QStringLiteral("Ошибки"));
    errors->setOpenLinks(false);
    errors->setMinimumHeight(kErrorsMinHeight);
    saved = plainLabel(this);
    saved->setTextInteractionFlags(Qt::TextSelectableByMouse);
    saved->hide();

    saveButton = new QPushButton(QStringLiteral("Сохранить ошибки…"), this);
    newExamButton = new QPushButton(QStringLiteral("Новый экзамен"), this);
    newExamButton->setAutoDefault(true);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(saveButton);
    buttons->addStretch(1);
    buttons->addWidget(newExamButton);

    auto *column = new QVBoxLayout(this);
    for (QWidget *w : {static_cast<QWidget *>(verdict), static_cast<QWidget *>(reason),
                       static_cast<QWidget *>(timeUsed), static_cast<QWidget *>(rightAnswers),
                       static_cast<QWidget *>(notices), static_cast<QWidget *>(errorsTitle)})
        column->addWidget(w);
    column->addWidget(errors, 1);
    // Takes the room the list leaves when there is none.
    column->addStretch(0);
    column->addLayout(buttons);
    column->addWidget(saved);

    connect(saveButton, &QPushButton::clicked, this, &ResultScreen::saveClicked);
    connect(newExamButton, &QPushButton::clicked, this, &ResultScreen::newExamClicked);
}

void ResultScreen::showResult(const exam::ExamSession &session,
                              const std::vector<exam::WrongAnswer> &wrong,
                              const QStringList &noticeLines)
{
    verdict->setText(session.passed() ? QStringLiteral("Экзамен сдан")
                                      : QStringLiteral("Экзамен не сдан"));
    platform::look::setTextColor(verdict, session.passed() ? passedColor() : failedColor());
    reason->setText(session.reason());
    timeUsed->setText(
        QStringLiteral("Время: %1 из %2")
            .arg(exam::clockText(session.usedMs()), exam::clockText(session.limitMs())));
    rightAnswers->setText(QStringLiteral("Верных ответов: %1 из %2")
                              .arg(session.rightCount())
                              .arg(session.countedCount()));
    notices->setLines(noticeLines);
    errorsTitle->setText(QStringLiteral("Ошибки (%1):").arg(wrong.size()));
    errorsTitle->setVisible(!wrong.empty());
    fillErrors(wrong);
    errors->setVisible(!wrong.empty());
    saveButton->setEnabled(!wrong.empty());
    saved->clear();
    saved->hide();
}

// Every wrong answer as a few paragraphs, the texts inserted as plain text
// (whatever the ticket files hold is never read as markup).
void ResultScreen::fillErrors(const std::vector<exam::WrongAnswer> &wrong)
{
    errors->clear();
    QTextCursor cursor(errors->document());
    QTextCharFormat normal;
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    QTextCharFormat quiet;
    quiet.setForeground(commentColor());
    QTextBlockFormat spaced;
    spaced.setTopMargin(10);
    QTextBlockFormat tight;

    bool first = true;
    for (const exam::WrongAnswer &w : wrong) {
        if (!first)
            cursor.insertBlock(spaced);
        first = false;
        cursor.insertText(wrongAnswerTitle(w), bold);
        cursor.insertBlock(tight);
        cursor.insertText(w.question, normal);
        cursor.insertBlock(tight);
        cursor.insertText(QStringLiteral("Ваш ответ: ") + answerText(w.given, w.givenText), normal);
        cursor.insertBlock(tight);
        cursor.insertText(QStringLiteral("Верный ответ: ") + answerText(w.right, w.rightText),
                          normal);
        if (!w.comment.trimmed().isEmpty()) {
            cursor.insertBlock(tight);
            cursor.insertText(w.comment.trimmed(), quiet);
        }
    }
    errors->moveCursor(QTextCursor::Start);
}

void ResultScreen::setSaved(const QString &path)
{
    saved->setText(QStringLiteral("Ошибки сохранены в файл %1").arg(path));
    saved->show();
}

} // namespace quz::examui
