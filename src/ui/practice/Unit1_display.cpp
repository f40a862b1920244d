// ChangeBilet: puts the current question on screen — picture, question text,
// variants and one numbered answer button beside each variant — through the
// question view, and leaves the right answer's digit in Otvet.

#include "ui/practice/Unit1.h"

#include "core/bank/picture_store.h"
#include "core/bank/question_bank.h"
#include "ui/question/question_view.h"

#include <QCheckBox>
#include <QLabel>

namespace quz::practice {

void TForm1::ChangeBilet()
{
    quz::bank::Question question;
    if (m_questions)
        question = m_questions->lookup(m_position.ticket, m_position.question);
    setAnswerDigit(question.answer);
    const QString picture = quz::bank::pictureRelativePath(m_position.ticket, m_position.question);
    questionView->showQuestion({picture.isEmpty() ? QString() : m_services.dataPath(picture),
                                question.text, question.variants},
                               autoRes->isChecked());
    announceQuestion(question.text);
}

void TForm1::setAnswerDigit(const QString &digit)
{
    m_answerDigit = digit;
    Otvet->setText(digit);
}

} // namespace quz::practice
