// The current ticket and question, the practised range and the in-place
// number editor.

#include "ui/practice/Unit1.h"

#include <QCheckBox>
#include <QLabel>
#include <QSpinBox>
#include <QToolButton>

namespace rules = quz::practice;

namespace quz::practice {

void TForm1::setPosition(const quz::practice::Position &position)
{
    m_position = position;
    NumBilet->setText(m_position.ticket);
    NumVop->setText(m_position.question);
    nameNumbers();
}

void TForm1::view()
{
    const QString start = rules::addZero(QString::number(m_range.start));
    const QString end = rules::addZero(QString::number(m_range.end));
    laSt->setText(start);
    laEn->setText(end);
    setPosition({m_position.ticket, rules::clampQuestion(m_position.question, m_range.start,
                                                         m_range.end, start, end)});
    nameRange();
}

void TForm1::addZero()
{
    setPosition({rules::addZero(m_position.ticket), rules::addZero(m_position.question)});
}

void TForm1::setRange(quz::practice::Range range)
{
    m_range = range;
    view();
}

void TForm1::SpinButton1UpClick() { setRange(rules::startUp(m_range)); }

void TForm1::SpinButton1DownClick() { setRange(rules::startDown(m_range)); }

void TForm1::SpinButton2UpClick() { setRange(rules::endUp(m_range)); }

void TForm1::SpinButton2DownClick() { setRange(rules::endDown(m_range)); }

void TForm1::addVopros()
{
    setPosition(rules::advance(m_position, m_range, rnd->isChecked(), m_random));
    ChangeBilet();
}

void TForm1::NumBiletClick()
{
    openNumberEditor(NumBilet, rules::kTicketCount, EditorTarget::Ticket);
}

void TForm1::NumVopClick()
{
    openNumberEditor(NumVop, rules::kQuestionsPerTicket, EditorTarget::Question);
}

// Opens the number editor over `number`: stops a run first and commits an
// edit still open; the maximum is set before the value, so that the value is
// not cut to the previous target's maximum.
void TForm1::openNumberEditor(QLabel *number, int maximum, EditorTarget target)
{
    if (isRunning())
        StartClick();
    OkedBV();
    edbv->setMaximum(maximum);
    const QString &current =
        target == EditorTarget::Ticket ? m_position.ticket : m_position.question;
    edbv->setValue(current.toInt());
    edbv->move(number->x() - 4, edbv->y());
    edbv->show();
    edbv->raise();
    edbv->setFocus();
    edbv->selectAll();
    m_editorTarget = target;
    nameNumberEditor();
}

void TForm1::OkedBV()
{
    if (edbv->isHidden())
        return;
    edbv->hide();
    // The typed text, not the spin box's corrected value: a value above the
    // maximum is cut to it, a text that is not a number gives the minimum.
    const QString value = QString::number(rules::editorValue(edbv->cleanText(), edbv->maximum()));
    if (m_editorTarget == EditorTarget::Ticket)
        m_position.ticket = value;
    else if (m_editorTarget == EditorTarget::Question)
        m_position.question = value;
    addZero();
    // The focus leaves the hidden editor as Unit1_access.cpp decides.
}

} // namespace quz::practice
