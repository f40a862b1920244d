#pragma once
// The settings of quz-exam: its own section "exam" of the settings file that
// quz keeps beside itself, read and written through the key table. quz's own
// keys are never read or written here.

#include "core/exam/exam_rules.h"
#include "core/settings/settings_batch.h"

#include <QString>

namespace quz::exam {

struct ExamSettings {
    Rule rule = Rule::Rules2016;
    bool randomTicket = true;
    int ticket = 1; // 1..40
    settings::Geometry window;
};

// The settings file quz-exam shares with quz: "quz.ini" in the program
// directory.
QString settingsFilePath(const QString &programDir);

// Reads the section. Values a hand may have spoiled are made sound: a rule
// year other than 2004 or 2016 gives 2016, a ticket outside 1..40 is brought
// into it. The window's rectangle is taken as read.
ExamSettings readExamSettings(const settings::SettingsBatch &batch);

// Writes the whole section into the batch; the caller flushes.
void writeExamSettings(settings::SettingsBatch &batch, const ExamSettings &values);

} // namespace quz::exam
