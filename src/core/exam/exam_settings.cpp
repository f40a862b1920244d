#include "core/exam/exam_settings.h"

#include "core/exam/exam_session.h"

#include <QDir>

#include <algorithm>

namespace quz::exam {

QString settingsFilePath(const QString &programDir)
{
    return QDir(programDir).filePath(QStringLiteral("quz.ini"));
}

ExamSettings readExamSettings(const settings::SettingsBatch &batch)
{
    namespace keys = settings::keys;
    ExamSettings values;
    if (!ruleOfYear(batch.read(keys::examRule), &values.rule))
        ruleOfYear(keys::examRule.fallback, &values.rule);
    values.randomTicket = batch.read(keys::examRandomTicket);
    values.ticket = std::clamp(batch.read(keys::examTicket), 1, kTicketCount);
    values.window = batch.read(keys::examWindow);
    return values;
}

void writeExamSettings(settings::SettingsBatch &batch, const ExamSettings &values)
{
    namespace keys = settings::keys;
    batch.write(keys::examRule, ruleYear(values.rule));
    batch.write(keys::examRandomTicket, values.randomTicket);
    batch.write(keys::examTicket, values.ticket);
    batch.write(keys::examWindow, values.window);
}

} // namespace quz::exam
