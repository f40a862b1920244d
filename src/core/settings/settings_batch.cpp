#include "core/settings/settings_batch.h"

#include "core/files/text_file.h"

namespace quz::settings {

SettingsBatch::SettingsBatch(const QString &path)
    : m_file(path)
{}

int32_t SettingsBatch::read(const IntKey &key) const
{
    return m_file.readInteger(key.section, key.name, key.fallback);
}

bool SettingsBatch::read(const BoolKey &key) const
{
    return m_file.readBool(key.section, key.name, key.fallback);
}

QString SettingsBatch::read(const TextKey &key) const
{
    return files::fromCp1251(m_file.readString(key.section, key.name, key.fallback));
}

Geometry SettingsBatch::read(const GeometryKeys &keys) const
{
    Geometry g;
    g.left = read(keys.left);
    g.top = read(keys.top);
    g.height = read(keys.height);
    g.width = read(keys.width);
    return g;
}

void SettingsBatch::write(const IntKey &key, int32_t value)
{
    m_file.writeInteger(key.section, key.name, value);
}

void SettingsBatch::write(const BoolKey &key, bool value)
{
    m_file.writeBool(key.section, key.name, value);
}

void SettingsBatch::write(const TextKey &key, const QString &value)
{
    m_file.writeString(key.section, key.name, files::toCp1251(value));
}

void SettingsBatch::write(const GeometryKeys &keys, const Geometry &outer)
{
    write(keys.left, outer.left);
    write(keys.top, outer.top);
    write(keys.height, outer.height);
    write(keys.width, outer.width);
}

Status SettingsBatch::flush() { return m_file.flush(); }

} // namespace quz::settings
