#pragma once
// One read or write batch of a window on the settings file, with the
// conversion between the file's Windows-1251 texts and Qt strings. A write
// that the file system refuses stops the batch: the later writes of the same
// batch do nothing, and failed()/error() tell the window what to report.

#include "settings/ini_file.h"

#include <QString>

namespace quz::platform {

class SettingsBatch {
public:
    explicit SettingsBatch(const QString &path);

    int integer(const char *section, const char *key, int def) const;
    bool boolean(const char *section, const char *key, bool def) const;
    QString text(const char *section, const char *key, const QString &def) const;

    void setInteger(const char *section, const char *key, int value);
    void setBoolean(const char *section, const char *key, bool value);
    void setText(const char *section, const char *key, const QString &value);
    // Ends the batch; false when a write of it failed.
    bool flush();

    bool failed() const { return m_failed; }
    // "Unable to write to <full path>"
    QString error() const;

private:
    settings::IniFile m_file;
    bool m_failed = false;
};

} // namespace quz::platform
