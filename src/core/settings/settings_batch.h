#pragma once
// One read or write batch of a window on the settings file, by the keys of
// the key table, with the conversion between the file's Windows-1251 texts
// and Qt strings. Reads never fail; the batch's writes reach the file at
// flush(), all of them or none.

#include "core/files/outcome.h"
#include "core/settings/ini_file.h"
#include "core/settings/settings_keys.h"

#include <QString>

namespace quz::settings {

class SettingsBatch {
public:
    // Reads the settings file at `path` once.
    explicit SettingsBatch(const QString &path);

    int32_t read(const IntKey &key) const;
    bool read(const BoolKey &key) const;
    QString read(const TextKey &key) const;
    Geometry read(const GeometryKeys &keys) const;

    void write(const IntKey &key, int32_t value);
    void write(const BoolKey &key, bool value);
    void write(const TextKey &key, const QString &value);
    void write(const GeometryKeys &keys, const Geometry &outer);

    // Ends the batch: "Unable to write to <full path>" when the file system
    // refused it, in which case nothing of the batch was written.
    Status flush();

private:
    IniFile m_file;
};

} // namespace quz::settings
