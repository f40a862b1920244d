#pragma once
// The settings file: an INI text in Windows-1251, handled as raw bytes.
//
// IniDocument is the text model (lines, sections, keys) with the reading and
// writing rules; it knows nothing of files. IniFile is one batch of reads and
// writes on one file on disk. Neither decodes the text: names and values are
// byte strings, one byte per character. The reading and writing rules are
// written out by hand because no INI library keeps them: first occurrence
// wins, quotes and blanks are dropped, "$" and "0x" hexadecimal, values cut at
// 2047 characters, and every foreign line survives a write unchanged.

#include "core/files/file_io.h"
#include "core/files/outcome.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quz::settings {

// Longest text value a read gives back; longer values are cut.
inline constexpr std::size_t kMaxValueLength = 2047;

// Case-insensitive equality of two names: ASCII letters and the letters of
// Windows-1251 (Cyrillic, including the Ukrainian, Belarusian and Serbian
// ones) match their other case.
bool namesEqual(std::string_view a, std::string_view b);

// Parse/serialise model of an INI text. Keeps every line of the text as it
// came, so that a change touches only the line of the key written (or adds
// lines). Not responsible for reading or writing files.
//
// A line whose first non-blank character is '[' and that holds a ']' opens the
// section named by the text between them; a line with '=' and a non-empty name
// before it (and not starting with '[') is a key line of the section above it.
// Every other line is kept and ignored. Blanks are spaces and tabs.
class IniDocument {
public:
    // Splits `bytes` into lines at CR LF, LF or a lone CR. A last line without
    // a line end is kept; a text ending in a line end has no empty last line.
    static IniDocument parse(std::string_view bytes);

    // Every line followed by CR LF.
    std::string serialise() const;

    // The value of `key` in `section` after the reading rules: the first
    // occurrence of the section and, inside it, of the key counts; blanks
    // around the value are dropped, then a matching pair of enclosing double
    // or single quotes; the result is cut to kMaxValueLength. Nothing when the
    // section or the key is missing; the empty text for a present empty value.
    std::optional<std::string> value(std::string_view section, std::string_view key) const;

    // Writes `value` for `key` in `section`: replaces the value on the key's
    // line (first occurrence of the key in the first occurrence of the
    // section, text up to the '=' and the blanks after it kept as they are),
    // or adds "key=value" after the section's last key line (right after its
    // header when it has none), or appends the section and the key at the end.
    // No other line changes.
    // The value is cut at its first CR or LF (a line cannot hold more). A value
    // that the reading rules would alter (blanks at an end, enclosing quotes)
    // is written inside double quotes so that it reads back as it was.
    // `section` must not contain ']' and `key` must not contain '=' or start
    // with '['; neither holds a line break or blanks at its ends.
    void set(std::string_view section, std::string_view key, std::string_view value);

    const std::vector<std::string> &lines() const { return m_lines; }

private:
    // Index of the first line of the first occurrence of `section` (its
    // header), or npos.
    std::size_t findSection(std::string_view section) const;

    std::vector<std::string> m_lines;
};

// Reads an integer value: decimal with an optional '+' or '-', or hexadecimal
// after "$", "0x" or "0X" (no sign). The number must fill the whole text and
// fit in 32 signed bits (hexadecimal: 0 to 7FFFFFFF). Nothing otherwise,
// e.g. for "", "10px", " 5", "2147483648", "$".
std::optional<int32_t> parseInteger(std::string_view text);

// One batch of reads and writes on one settings file.
//
// The constructor reads the file once; the reads of the batch answer from
// that reading and never fail (a missing or unreadable file reads as empty)
// or create the file. Writes are only noted. flush() applies them to the text
// read and replaces the file once, atomically (files::writeFileAtomically),
// so a batch is on disk whole or not at all. Should the file have changed
// since the batch read it (another batch or program wrote it meanwhile),
// flush() reads it anew and applies the writes to that, so that no batch
// loses another's keys.
//
// flush() fails, and writes nothing, when the file system refuses the write
// (a read-only file or folder, a path that is a folder ...), when the file
// exists but cannot be read, since writing then would wipe what it holds, and
// when the text to write would be larger than a settings file may be read
// (files::sizeLimit), since the next batch could not read it.
class IniFile {
public:
    explicit IniFile(QString path);

    const QString &path() const { return m_path; }

    // `def` when the section or the key is missing.
    std::string readString(std::string_view section, std::string_view key,
                           std::string_view def) const;
    // `def` also when the value is not an integer (parseInteger).
    int32_t readInteger(std::string_view section, std::string_view key, int32_t def) const;
    // Read as an integer with 1 or 0 as the default; any non-zero number is true.
    bool readBool(std::string_view section, std::string_view key, bool def) const;

    void writeString(std::string_view section, std::string_view key, std::string_view value);
    // Plain decimal, "-" when negative.
    void writeInteger(std::string_view section, std::string_view key, int32_t value);
    // "1" or "0".
    void writeBool(std::string_view section, std::string_view key, bool value);

    // Puts the batch's writes into the file; nothing to do for a batch that
    // wrote nothing. Fails with "Unable to write to <full path>".
    quz::Status flush();

private:
    struct Write {
        std::string section;
        std::string key;
        std::string value;
    };

    QString m_path;
    files::FileStamp m_stamp; // the version of the file that m_doc was read from
    bool m_readable = false;  // whether that version could be read (or was absent)
    IniDocument m_doc;
    std::vector<Write> m_writes;
};

} // namespace quz::settings
