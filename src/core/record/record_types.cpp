#include "core/record/record_types.h"

namespace quz::record {

QString programName(Program program)
{
    return program == Program::QuzExam ? QStringLiteral("quz-exam") : QStringLiteral("quz");
}

QString modeName(Mode mode)
{
    switch (mode) {
    case Mode::Practice: return QStringLiteral("practice");
    case Mode::JournalAnswer: return QStringLiteral("journal");
    case Mode::Exam: return QStringLiteral("exam");
    case Mode::Imported: return QStringLiteral("import");
    }
    return {};
}

bool isRecordable(const Answer &answer)
{
    return answer.ticket >= 1 && answer.ticket <= kTickets && answer.question >= 1
           && answer.question <= kQuestionsPerTicket;
}

std::optional<int> numberFromCaption(const QString &caption)
{
    if (caption.isEmpty() || caption.size() > 4)
        return std::nullopt;
    for (const QChar c : caption)
        if (c < u'0' || c > u'9')
            return std::nullopt;
    return caption.toInt();
}

} // namespace quz::record
