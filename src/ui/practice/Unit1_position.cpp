// The current ticket and question, the practised range and the in-place
// number editor.

#include "ui/practice/Unit1.h"

#include "ui/platform/control_state.h"

#include <QCheckBox>
#include <QLabel>
#include <QSpinBox>
#include <QToolButton>

using quz::platform::setTag;
using quz::platform::tag;
namespace rules = quz::practice;

void TForm1::view()
{
    laSt->setText(rules::addZero(QString::number(tag(laSt))));
    laEn->setText(rules::addZero(QString::number(tag(laEn))));
    NumVop->setText(
        rules::clampQuestion(NumVop->text(), tag(laSt), tag(laEn), laSt->text(), laEn->text()));
}

void TForm1::addZero()
{
    NumBilet->setText(rules::addZero(NumBilet->text()));
    NumVop->setText(rules::addZero(NumVop->text()));
}

namespace {

rules::Range rangeOf(const QLabel *start, const QLabel *end) { return {tag(start), tag(end)}; }

} // namespace

void TForm1::setRange(quz::practice::Range range)
{
    setTag(laSt, range.start);
    setTag(laEn, range.end);
    view();
}

void TForm1::SpinButton1UpClick() { setRange(rules::startUp(rangeOf(laSt, laEn))); }

void TForm1::SpinButton1DownClick() { setRange(rules::startDown(rangeOf(laSt, laEn))); }

void TForm1::SpinButton2UpClick() { setRange(rules::endUp(rangeOf(laSt, laEn))); }

void TForm1::SpinButton2DownClick() { setRange(rules::endDown(rangeOf(laSt, laEn))); }

void TForm1::addVopros()
{
    const rules::Position next = rules::advance({NumBilet->text(), NumVop->text()},
                                                rangeOf(laSt, laEn), rnd->isChecked(), m_random);
    NumBilet->setText(next.ticket);
    NumVop->setText(next.question);
    ChangeBilet();
}

namespace {

constexpr int kTicketTarget = 1;
constexpr int kQuestionTarget = 2;

} // namespace

void TForm1::NumBiletClick() { openNumberEditor(NumBilet, rules::kTicketCount, kTicketTarget); }

void TForm1::NumVopClick()
{
    openNumberEditor(NumVop, rules::kQuestionsPerTicket, kQuestionTarget);
}

// Opens the number editor over `number`: stops a run first and commits an
// edit still open; the maximum is set before the value, so that the value is
// not cut to the previous target's maximum.
void TForm1::openNumberEditor(QLabel *number, int maximum, int target)
{
    if (isRunning())
        StartClick();
    OkedBV();
    edbv->setMaximum(maximum);
    edbv->setValue(number->text().toInt());
    edbv->move(number->x() - 4, edbv->y());
    edbv->show();
    edbv->raise();
    edbv->setFocus();
    edbv->selectAll();
    setTag(edbv, target);
}

void TForm1::OkedBV()
{
    if (edbv->isHidden())
        return;
    edbv->hide();
    // The typed text, not the spin box's corrected value: a value above the
    // maximum is cut to it, a text that is not a number gives the minimum.
    const int value = rules::editorValue(edbv->cleanText(), edbv->maximum());
    if (tag(edbv) == kTicketTarget)
        NumBilet->setText(QString::number(value));
    else if (tag(edbv) == kQuestionTarget)
        NumVop->setText(QString::number(value));
    addZero();
    setFocus();
}
