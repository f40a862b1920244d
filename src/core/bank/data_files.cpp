#include "core/bank/data_files.h"

#include <QDir>

namespace quz::bank {

QString pictureRelativePath(const QString &ticket, const QString &question)
{
    bool ticketOk = false;
    bool questionOk = false;
    const int t = ticket.toInt(&ticketOk, 10);
    const int q = question.toInt(&questionOk, 10);
    if (!ticketOk || !questionOk)
        return {};
    return pictureFolder() + QStringLiteral("/Quz_") + QString::number(t) + QLatin1Char('_')
           + QString::number(q) + QStringLiteral(".jpg");
}

QString picturePath(const QString &programDir, const QString &ticket, const QString &question)
{
    const QString relative = pictureRelativePath(ticket, question);
    return relative.isEmpty() ? QString() : QDir(programDir).filePath(relative);
}

} // namespace quz::bank
