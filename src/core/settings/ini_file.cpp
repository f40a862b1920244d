#include "core/settings/ini_file.h"

#include "core/files/file_io.h"

#include <QFileInfo>

#include <algorithm>
#include <array>
#include <limits>

namespace quz::settings {

namespace {

constexpr std::size_t npos = std::string::npos;

// Lower-case partner of every Windows-1251 byte.
constexpr std::array<unsigned char, 256> makeFoldTable()
{
    std::array<unsigned char, 256> t{};
    for (int i = 0; i < 256; ++i)
        t[i] = static_cast<unsigned char>(i);
    for (int c = 'A'; c <= 'Z'; ++c)
        t[c] = static_cast<unsigned char>(c + 32);
    for (int c = 0xC0; c <= 0xDF; ++c) // А..Я -> а..я
        t[c] = static_cast<unsigned char>(c + 32);
    constexpr std::array<std::array<unsigned char, 2>, 14> pairs{{
        {0x80, 0x90}, // Ђ ђ
        {0x81, 0x83}, // Ѓ ѓ
        {0x8A, 0x9A}, // Љ љ
        {0x8C, 0x9C}, // Њ њ
        {0x8D, 0x9D}, // Ќ ќ
        {0x8E, 0x9E}, // Ћ ћ
        {0x8F, 0x9F}, // Џ џ
        {0xA1, 0xA2}, // Ў ў
        {0xA3, 0xBC}, // Ј ј
        {0xA5, 0xB4}, // Ґ ґ
        {0xA8, 0xB8}, // Ё ё
        {0xAA, 0xBA}, // Є є
        {0xAF, 0xBF}, // Ї ї
        {0xB2, 0xB3}, // І і
    }};
    for (const auto &p : pairs)
        t[p[0]] = p[1];
    t[0xBD] = 0xBE; // Ѕ ѕ
    return t;
}

constexpr auto kFold = makeFoldTable();

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view trimmed(std::string_view s)
{
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

bool isQuote(char c) { return c == '"' || c == '\''; }

bool enclosedInQuotes(std::string_view s)
{
    return s.size() >= 2 && isQuote(s.front()) && s.front() == s.back();
}

// What one line of the text is.
struct LineInfo {
    enum class Kind { Other, Section, Key };
    Kind kind = Kind::Other;
    std::string_view name;  // section or key name, blanks removed
    std::size_t equals = 0; // position of '=' on a key line
};

LineInfo classify(std::string_view line)
{
    LineInfo info;
    const std::string_view body = trimmed(line);
    if (!body.empty() && body.front() == '[') {
        const std::size_t close = body.find(']');
        if (close != npos) {
            info.kind = LineInfo::Kind::Section;
            info.name = trimmed(body.substr(1, close - 1));
        }
        return info;
    }
    const std::size_t equals = line.find('=');
    if (equals == npos)
        return info;
    const std::string_view name = trimmed(line.substr(0, equals));
    if (name.empty())
        return info;
    info.kind = LineInfo::Kind::Key;
    info.name = name;
    info.equals = equals;
    return info;
}

// Value text as it must stand after '=' so that the reading rules give back
// `value` (for values up to kMaxValueLength).
std::string encodeValue(std::string_view value)
{
    const bool needsQuotes =
        !value.empty()
        && (isBlank(value.front()) || isBlank(value.back()) || enclosedInQuotes(value));
    if (!needsQuotes)
        return std::string(value);
    std::string out;
    out.reserve(value.size() + 2);
    out += '"';
    out += value;
    out += '"';
    return out;
}

} // namespace

bool namesEqual(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (kFold[static_cast<unsigned char>(a[i])] != kFold[static_cast<unsigned char>(b[i])])
            return false;
    }
    return true;
}

IniDocument IniDocument::parse(std::string_view bytes)
{
    IniDocument doc;
    // One line per line break at most (and one without): counted first, so
    // that the list is allocated once for a file of many short lines.
    doc.m_lines.reserve(
        static_cast<std::size_t>(std::count_if(bytes.begin(), bytes.end(),
                                               [](char c) { return c == '\r' || c == '\n'; }))
        + 1);
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = start;
        while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n')
            ++end;
        doc.m_lines.emplace_back(bytes.substr(start, end - start));
        if (end < bytes.size() && bytes[end] == '\r' && end + 1 < bytes.size()
            && bytes[end + 1] == '\n')
            start = end + 2;
        else
            start = end + 1;
    }
    return doc;
}

std::string IniDocument::serialise() const
{
    std::size_t size = 0;
    for (const std::string &line : m_lines)
        size += line.size() + 2;
    std::string out;
    out.reserve(size);
    for (const std::string &line : m_lines) {
        out += line;
        out += "\r\n";
    }
    return out;
}

std::size_t IniDocument::findSection(std::string_view section) const
{
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        const LineInfo info = classify(m_lines[i]);
        if (info.kind == LineInfo::Kind::Section && namesEqual(info.name, section))
            return i;
    }
    return npos;
}

std::optional<std::string> IniDocument::value(std::string_view section, std::string_view key) const
{
    const std::size_t header = findSection(section);
    if (header == npos)
        return std::nullopt;
    for (std::size_t i = header + 1; i < m_lines.size(); ++i) {
        const std::string_view line = m_lines[i];
        const LineInfo info = classify(line);
        if (info.kind == LineInfo::Kind::Section)
            break;
        if (info.kind != LineInfo::Kind::Key || !namesEqual(info.name, key))
            continue;
        std::string_view v = trimmed(line.substr(info.equals + 1));
        if (enclosedInQuotes(v))
            v = v.substr(1, v.size() - 2);
        if (v.size() > kMaxValueLength)
            v = v.substr(0, kMaxValueLength);
        return std::string(v);
    }
    return std::nullopt;
}

void IniDocument::set(std::string_view section, std::string_view key, std::string_view value)
{
    const std::size_t lineBreak = value.find_first_of("\r\n");
    if (lineBreak != npos)
        value = value.substr(0, lineBreak);
    const std::string encoded = encodeValue(value);

    const std::size_t header = findSection(section);
    if (header == npos) {
        m_lines.push_back("[" + std::string(section) + "]");
        m_lines.push_back(std::string(key) + "=" + encoded);
        return;
    }
    std::size_t lastKeyLine = header;
    for (std::size_t i = header + 1; i < m_lines.size(); ++i) {
        std::string &line = m_lines[i];
        const LineInfo info = classify(line);
        if (info.kind == LineInfo::Kind::Section)
            break;
        if (info.kind != LineInfo::Kind::Key)
            continue;
        if (namesEqual(info.name, key)) {
            std::size_t keep = info.equals + 1;
            while (keep < line.size() && isBlank(line[keep]))
                ++keep;
            line.replace(keep, npos, encoded);
            return;
        }
        lastKeyLine = i;
    }
    m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(lastKeyLine + 1),
                   std::string(key) + "=" + encoded);
}

std::optional<int32_t> parseInteger(std::string_view text)
{
    if (text.empty())
        return std::nullopt;
    int base = 10;
    bool negative = false;
    if (text.front() == '$') {
        base = 16;
        text.remove_prefix(1);
    } else if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    } else if (text.front() == '+' || text.front() == '-') {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty())
        return std::nullopt;

    // Accumulate the magnitude; the limit allows -2147483648.
    const int64_t limit = negative ? int64_t{std::numeric_limits<int32_t>::max()} + 1
                                   : int64_t{std::numeric_limits<int32_t>::max()};
    int64_t magnitude = 0;
    for (const char c : text) {
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else
            return std::nullopt;
        magnitude = magnitude * base + digit;
        if (magnitude > limit)
            return std::nullopt;
    }
    return static_cast<int32_t>(negative ? -magnitude : magnitude);
}

IniFile::IniFile(QString path)
    : m_path(std::move(path))
{
    // The stamp before the reading: a change in between makes flush() read
    // again, never the other way round.
    m_stamp = files::fileStamp(m_path);
    const quz::Outcome<QByteArray> bytes = files::readFileBytes(m_path, files::FileKind::Settings);
    if (bytes)
        m_doc = IniDocument::parse(
            std::string_view(bytes->constData(), static_cast<size_t>(bytes->size())));
    m_readable = bytes.ok() || !m_stamp.exists;
}

std::string IniFile::readString(std::string_view section, std::string_view key,
                                std::string_view def) const
{
    std::optional<std::string> v = m_doc.value(section, key);
    return v ? std::move(*v) : std::string(def);
}

int32_t IniFile::readInteger(std::string_view section, std::string_view key, int32_t def) const
{
    const std::optional<std::string> v = m_doc.value(section, key);
    if (!v)
        return def;
    return parseInteger(*v).value_or(def);
}

bool IniFile::readBool(std::string_view section, std::string_view key, bool def) const
{
    return readInteger(section, key, def ? 1 : 0) != 0;
}

void IniFile::writeString(std::string_view section, std::string_view key, std::string_view value)
{
    m_writes.push_back({std::string(section), std::string(key), std::string(value)});
    m_doc.set(section, key, value);
}

void IniFile::writeInteger(std::string_view section, std::string_view key, int32_t value)
{
    writeString(section, key, std::to_string(value));
}

void IniFile::writeBool(std::string_view section, std::string_view key, bool value)
{
    writeString(section, key, value ? "1" : "0");
}

quz::Status IniFile::flush()
{
    if (m_writes.empty())
        return {};
    const quz::Failure refused{QStringLiteral("Unable to write to ")
                               + QFileInfo(m_path).absoluteFilePath()};
    const files::FileStamp now = files::fileStamp(m_path);
    if (now != m_stamp) {
        // Written since this batch read it: the writes go onto the file as it
        // is now.
        m_stamp = now;
        const quz::Outcome<QByteArray> bytes =
            files::readFileBytes(m_path, files::FileKind::Settings);
        m_readable = bytes.ok() || !now.exists;
        m_doc = IniDocument();
        if (bytes)
            m_doc = IniDocument::parse(
                std::string_view(bytes->constData(), static_cast<size_t>(bytes->size())));
        for (const Write &write : m_writes)
            m_doc.set(write.section, write.key, write.value);
    }
    // A file that exists but cannot be read is not replaced.
    if (!m_readable)
        return refused;
    const std::string text = m_doc.serialise();
    // Whatever is written must read back: a file that its CR LF line ends or
    // the batch's keys would take past the reading limit is kept as it is.
    if (static_cast<qint64>(text.size()) > files::sizeLimit(files::FileKind::Settings))
        return refused;
    if (!files::writeFileAtomically(
            m_path, QByteArrayView(text.data(), static_cast<qsizetype>(text.size()))))
        return refused;
    m_writes.clear();
    m_stamp = files::fileStamp(m_path);
    return {};
}

} // namespace quz::settings
