#include "core/bank/bank_text.h"

#include "core/files/file_io.h"
#include "core/files/text_file.h"

namespace quz::bank {

Status BankText::loadFile(const QString &path)
{
    Outcome<QByteArray> bytes = files::readFileBytes(path, files::FileKind::Bank);
    if (!bytes)
        return Failure{bytes.error()};
    m_text = std::move(bytes).value();
    files::normaliseLinesInPlace(m_text);
    return {};
}

void BankText::setText(std::string_view fileBytes)
{
    m_text = QByteArray(fileBytes.data(), static_cast<qsizetype>(fileBytes.size()));
    files::normaliseLinesInPlace(m_text);
}

} // namespace quz::bank
