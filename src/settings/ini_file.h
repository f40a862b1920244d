#pragma once
// The settings file: an INI text in Windows-1251, handled as raw bytes.
//
// IniDocument is the text model (lines, sections, keys) with the reading and
// writing rules; it knows nothing of files. IniFile is one batch of reads and
// writes on one file on disk. Neither decodes the text: names and values are
// byte strings, one byte per character.

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

// Outcome of reading a whole file.
struct FileBytes {
    enum class Status { Read, Missing, Unreadable };
    Status status = Status::Missing;
    std::string bytes; // empty unless Read
};

// Reads the whole file at `path`. Missing means nothing exists there;
// Unreadable covers a folder, a refused open and a failed read.
FileBytes readFileBytes(const std::string &path);

// Replaces the file at `path` by `bytes`: writes a new file in the same
// folder and renames it over the old one, so the old content stays whole
// until the new one is complete. Returns false, with the old file untouched
// and no new file left behind, when the file system refuses any step.
bool writeFileAtomically(const std::string &path, std::string_view bytes);

// One batch of reads and writes on one settings file. The constructor reads
// the file once; the reads of the batch answer from that reading and never
// fail (a missing or unreadable file reads as empty) or create the file.
//
// Each write reads the file anew, applies its change and writes the whole
// file atomically, so two batches alive at once never lose each other's keys
// and a crash never leaves a half-written file. A write fails (returns false)
// when the file system refuses it, and also when the file exists but cannot
// be read, since writing then would wipe what it holds. After a failure the
// caller stops its batch and shows writeError().
class IniFile {
public:
    explicit IniFile(std::string path);

    const std::string &path() const { return m_path; }

    // `def` when the section or the key is missing.
    std::string readString(std::string_view section, std::string_view key,
                           std::string_view def) const;
    // `def` also when the value is not an integer (parseInteger).
    int32_t readInteger(std::string_view section, std::string_view key, int32_t def) const;
    // Read as an integer with 1 or 0 as the default; any non-zero number is true.
    bool readBool(std::string_view section, std::string_view key, bool def) const;

    bool writeString(std::string_view section, std::string_view key, std::string_view value);
    // Plain decimal, "-" when negative.
    bool writeInteger(std::string_view section, std::string_view key, int32_t value);
    // "1" or "0".
    bool writeBool(std::string_view section, std::string_view key, bool value);

    // True when the file on disk holds every value the batch wrote, i.e. no
    // write of the batch failed. Every write already went to disk whole.
    bool flush();

    // "Unable to write to " and the full path of the file.
    std::string writeError() const;

private:
    std::string m_path;
    IniDocument m_doc;
    bool m_writeFailed = false;
};

} // namespace quz::settings
