// The current ticket and question, the practised range and the in-place
// number editor.

#include "practice/Unit1.h"

#include "platform/anchors.h"

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

void TForm1::NumBiletClick()
{
    if (isRunning())
        StartClick();
    OkedBV();
    edbv->setMaximum(rules::kTicketCount);
    edbv->setValue(NumBilet->text().toInt());
    edbv->move(NumBilet->x() - 4, edbv->y());
    edbv->show();
    edbv->raise();
    edbv->setFocus();
    edbv->selectAll();
    setTag(edbv, kTicketTarget);
}

void TForm1::NumVopClick()
{
    if (isRunning())
        StartClick();
    OkedBV();
    edbv->setMaximum(rules::kQuestionsPerTicket);
    edbv->setValue(NumVop->text().toInt());
    edbv->move(NumVop->x() - 4, edbv->y());
    edbv->show();
    edbv->raise();
    edbv->setFocus();
    edbv->selectAll();
    setTag(edbv, kQuestionTarget);
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
