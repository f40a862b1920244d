#include "platform/settings_batch.h"

#include "bank/text_file.h"

#include <QFile>

namespace quz::platform {

SettingsBatch::SettingsBatch(const QString &path)
    : m_file(QFile::encodeName(path).toStdString())
{}

int SettingsBatch::integer(const char *section, const char *key, int def) const
{
    return m_file.readInteger(section, key, def);
}

bool SettingsBatch::boolean(const char *section, const char *key, bool def) const
{
    return m_file.readBool(section, key, def);
}

QString SettingsBatch::text(const char *section, const char *key, const QString &def) const
{
    return bank::fromCp1251(m_file.readString(section, key, bank::toCp1251(def)));
}

void SettingsBatch::setInteger(const char *section, const char *key, int value)
{
    if (!m_failed && !m_file.writeInteger(section, key, value))
        m_failed = true;
}

void SettingsBatch::setBoolean(const char *section, const char *key, bool value)
{
    if (!m_failed && !m_file.writeBool(section, key, value))
        m_failed = true;
}

void SettingsBatch::setText(const char *section, const char *key, const QString &value)
{
    if (!m_failed && !m_file.writeString(section, key, bank::toCp1251(value)))
        m_failed = true;
}

bool SettingsBatch::flush()
{
    if (!m_failed && !m_file.flush())
        m_failed = true;
    return !m_failed;
}

QString SettingsBatch::error() const { return QString::fromLocal8Bit(m_file.writeError()); }

} // namespace quz::platform
