#pragma once
// Checks the files around the banks in a program directory: the picture
// folder (names the program never looks for, pictures libjpeg refuses or
// cannot decode, pictures above the decoder's limit), the sample picture of
// the start-up check, the placeholder bitmap and the two notes files. Each
// picture is read through the program's own picture store.

#include "check/finding.h"

#include <vector>

namespace quz::check {

// `programDir` as the bytes the system names it by.
std::vector<Finding> checkPictures(const QByteArray &programDir, const Scope &scope);

// One picture named on its own (`path` its bytes): whether the program can
// show it, for the question its name gives (if it gives one).
std::vector<Finding> checkPictureNamed(const QString &file, const QByteArray &path);

// The placeholder "emp.bmp", "Help.txt" and "Установка!!!.txt", with the text
// checks of the two notes files.
std::vector<Finding> checkSupportFiles(const QByteArray &programDir);

// The reason of a file layer failure without its "Cannot open file ..."
// prefix, which names the path the finding already names; the common ones
// translated.
QString failureReason(const QString &error);

} // namespace quz::check
