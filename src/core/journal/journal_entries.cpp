#include "core/journal/journal_entries.h"

namespace quz::journal {

namespace {

constexpr qsizetype kTicketIndex = 3;    // characters 4-5
constexpr qsizetype kQuestionIndex = 13; // characters 14-15
constexpr qsizetype kFieldLength = 2;

} // namespace

QString startEntry(const QString &dateTime, const QString &ticket)
{
    return QStringLiteral("Старт ") + dateTime + QStringLiteral(" Билет ") + ticket;
}

QString errorEntry(const QString &ticket, const QString &question)
{
    return QStringLiteral("-> ") + ticket + QStringLiteral(" вопрос ") + question;
}

bool isErrorEntry(const QString &line) { return line.startsWith(QLatin1Char('-')); }

bool isDuplicateError(const std::optional<QString> &lastLine, const QString &question)
{
    return lastLine && isErrorEntry(*lastLine) && entryQuestion(*lastLine) == question;
}

QString entryTicket(const QString &line) { return line.mid(kTicketIndex, kFieldLength); }

QString entryQuestion(const QString &line) { return line.mid(kQuestionIndex, kFieldLength); }

QStringList placeholderLines()
{
    QStringList lines{
        QString(),
        QStringLiteral(" Для загрузки файла с"),
        QStringLiteral("ошибками вызовите"),
        QStringLiteral("меню правой мышью"),
        QStringLiteral("или перетащить фаил"),
        QStringLiteral("в это окно!!!"),
        QString(),
        QStringLiteral("Помните!"),
        QStringLiteral("Загрузка - дополняет"),
        QStringLiteral("список. Очищать его"),
        QStringLiteral("надо вручную."),
        QString(),
        QStringLiteral("После двойного клика"),
        QStringLiteral("левой мышью, запускается"),
        QStringLiteral("режим ответа на ошибки,"),
        QStringLiteral("начиная с выделенного"),
        QStringLiteral("вопроса!"),
        QStringLiteral("Тоже происходит и после"),
        QStringLiteral("нажатия на кнопку"),
        QStringLiteral("\"Ответить\" :)"),
    };
    for (int i = 0; i < 7; ++i)
        lines.append(QString());
    lines.append(QStringLiteral("        QUZ 2004"));
    return lines;
}

} // namespace quz::journal
