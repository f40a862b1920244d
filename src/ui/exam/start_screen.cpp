#include "ui/exam/start_screen.h"

#include "ui/exam/exam_look.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>

namespace quz::examui {

namespace {

// The radio button of a rule set with its line below it, indented to the
// button's text.
QRadioButton *addRule(QGridLayout *grid, int row, exam::Rule rule, QWidget *owner)
{
    auto *button = new QRadioButton(exam::ruleTitle(rule), owner);
    button->setAccessibleDescription(exam::ruleSummary(rule));
    auto *summary = new QLabel(exam::ruleSummary(rule), owner);
    summary->setWordWrap(true);
    const int indent = owner->style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth)
                       + owner->style()->pixelMetric(QStyle::PM_RadioButtonLabelSpacing);
    summary->setContentsMargins(indent, 0, 0, 6);
    grid->addWidget(button, row * 2, 0);
    grid->addWidget(summary, row * 2 + 1, 0);
    return button;
}

} // namespace

StartScreen::StartScreen(QWidget *parent)
    : QWidget(parent)
{
    auto *column = new QVBoxLayout(this);
    column->addWidget(buildRules());
    column->addWidget(buildTicket());

    notices = new QLabel(this);
    notices->setWordWrap(true);
    notices->setTextFormat(Qt::PlainText);
    platform::look::setTextColor(notices, noticeColor());
    notices->hide();
    column->addWidget(notices);
    column->addStretch(1);

    startButton = new QPushButton(QStringLiteral("Начать экзамен"), this);
    startButton->setAutoDefault(true);
    startButton->setDefault(true);
    auto *row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(startButton);
    column->addLayout(row);

    connect(startButton, &QPushButton::clicked, this, &StartScreen::startClicked);
    connect(chosenTicket, &QRadioButton::toggled, ticketNumber, &QSpinBox::setEnabled);
    setChoice({});
}

QWidget *StartScreen::buildRules()
{
    auto *box = new QGroupBox(QStringLiteral("Правила"), this);
    auto *grid = new QGridLayout(box);
    rule2004 = addRule(grid, 0, exam::Rule::Rules2004, box);
    rule2016 = addRule(grid, 1, exam::Rule::Rules2016, box);
    auto *group = new QButtonGroup(box);
    group->addButton(rule2004);
    group->addButton(rule2016);
    return box;
}

QWidget *StartScreen::buildTicket()
{
    auto *box = new QGroupBox(QStringLiteral("Билет"), this);
    auto *column = new QVBoxLayout(box);
    randomTicket = new QRadioButton(QStringLiteral("Случайный билет"), box);
    chosenTicket = new QRadioButton(QStringLiteral("Билет"), box);
    ticketNumber = new QSpinBox(box);
    ticketNumber->setRange(1, exam::kTicketCount);
    ticketNumber->setAccessibleName(QStringLiteral("Номер билета"));
    auto *group = new QButtonGroup(box);
    group->addButton(randomTicket);
    group->addButton(chosenTicket);
    auto *row = new QHBoxLayout;
    row->addWidget(chosenTicket);
    row->addWidget(ticketNumber);
    row->addStretch(1);
    column->addWidget(randomTicket);
    column->addLayout(row);
    return box;
}

void StartScreen::setChoice(const ExamChoice &choice)
{
    (choice.rule == exam::Rule::Rules2004 ? rule2004 : rule2016)->setChecked(true);
    (choice.randomTicket ? randomTicket : chosenTicket)->setChecked(true);
    ticketNumber->setValue(std::clamp(choice.ticket, 1, exam::kTicketCount));
    ticketNumber->setEnabled(!choice.randomTicket);
}

ExamChoice StartScreen::choice() const
{
    ExamChoice choice;
    choice.rule = rule2004->isChecked() ? exam::Rule::Rules2004 : exam::Rule::Rules2016;
    choice.randomTicket = randomTicket->isChecked();
    choice.ticket = ticketNumber->value();
    return choice;
}

void StartScreen::setNotices(const QStringList &lines, bool canStart)
{
    notices->setText(lines.join(u'\n'));
    notices->setVisible(!lines.isEmpty());
    startButton->setEnabled(canStart);
}

} // namespace quz::examui
