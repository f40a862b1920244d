#include "check/text_check.h"

#include "check/wording.h"
#include "core/files/text_file.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>
#include <array>
#include <vector>

namespace quz::check {

namespace {

constexpr unsigned char kUndefinedByte = 0x98;
// Lines with the undefined byte reported one by one; the rest are counted.
constexpr int kMaxUndefinedReports = 5;

bool isAscii(std::string_view bytes)
{
    return std::all_of(bytes.begin(), bytes.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

QString wholeFileEffect(TextRole role)
{
    switch (role) {
    case TextRole::Questions:
        return Text::tr("the program finds none of the records, so every question is "
                        "shown empty");
    case TextRole::Comments:
        return Text::tr("the program finds no ticket header and shows the comments as "
                        "unreadable text");
    case TextRole::Notes: return Text::tr("the program shows it as unreadable text");
    case TextRole::Journal:
        return Text::tr("the journal shows its lines as unreadable text, and the answer "
                        "mode reads wrong ticket and question numbers from its error "
                        "entries");
    }
    return {};
}

// The first word with a character beyond ASCII, as the file means it and as
// the program shows it.
std::pair<QString, QString> sampleWord(const QString &decoded)
{
    const auto isBreak = [](QChar c) { return c.isSpace(); };
    qsizetype at = 0;
    while (at < decoded.size() && decoded.at(at).unicode() < 0x80)
        ++at;
    if (at == decoded.size())
        return {};
    qsizetype begin = at;
    while (begin > 0 && !isBreak(decoded.at(begin - 1)))
        --begin;
    qsizetype end = begin;
    while (end < decoded.size() && end - begin < 12 && !isBreak(decoded.at(end)))
        ++end;
    const QString word = decoded.mid(begin, end - begin);
    const QByteArray utf8 = word.toUtf8();
    return {quote(word),
            quote(std::string_view(utf8.constData(), static_cast<size_t>(utf8.size())))};
}

// UTF-16 and its byte order, Encoding::None for anything else.
Encoding utf16Kind(std::string_view bytes)
{
    if (bytes.size() >= 2) {
        const auto b0 = static_cast<unsigned char>(bytes[0]);
        const auto b1 = static_cast<unsigned char>(bytes[1]);
        if ((b0 == 0xff && b1 == 0xfe) || (b0 == 0xfe && b1 == 0xff))
            return Encoding::Utf16;
    }
    // Without a byte-order mark: most of the first characters have the same
    // high byte, 0 (Latin) or 4 (Cyrillic), neither of which Windows-1251
    // text has.
    const size_t n = std::min<size_t>(bytes.size(), 200) & ~size_t(1);
    if (n < 8)
        return Encoding::None;
    const auto high = [](char c) { return c == '\0' || c == '\x04'; };
    size_t even = 0;
    size_t odd = 0;
    for (size_t i = 0; i < n; i += 2) {
        even += high(bytes[i]);
        odd += high(bytes[i + 1]);
    }
    // Most of one side and little of the other: text, not a run of NULs.
    const size_t half = n / 2;
    if (std::max(even, odd) * 4 < half * 3 || std::min(even, odd) * 4 > half)
        return Encoding::None;
    return odd > even ? Encoding::Utf16Le : Encoding::Utf16Be;
}

// Whether Windows-1251 has the character `c` (one or two UTF-16 units; it
// has none beyond the first 65536), each answer kept in `known` (0: not
// asked yet, 1: it has, 2: it has not).
bool hasCp1251(QStringView c, std::vector<signed char> &known)
{
    if (c.size() != 1)
        return false;
    signed char &answer = known[c.at(0).unicode()];
    if (answer == 0) {
        QStringEncoder encoder("windows-1251");
        encoder.encode(c);
        answer = encoder.hasError() ? 2 : 1;
    }
    return answer == 1;
}

// Findings for the lines of `text` with characters Windows-1251 does not
// have: converting the file fails on the first of them.
void checkConvertible(const QString &file, const QString &text, TextFacts &facts)
{
    std::vector<signed char> known(0x10000, 0);
    int line = 1;
    int lastLine = 0;
    int lines = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'\n' || (c == u'\r' && (i + 1 >= text.size() || text.at(i + 1) != u'\n'))) {
            ++line;
            continue;
        }
        const qsizetype width = c.isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QStringView character = QStringView(text).mid(i, width);
        i += width - 1;
        if (c.unicode() < 0x80 || line == lastLine || hasCp1251(character, known))
            continue;
        lastLine = line;
        if (++lines > kMaxUndefinedReports)
            continue;
        facts.findings.push_back(
            Finding{file, line, Severity::Problem, QStringLiteral("file.not-convertible"),
                    Text::tr("%1 is not a Windows-1251 character, so the conversion "
                             "stops here: replace it (and any other such character on "
                             "this line) before you convert the file")
                        .arg(quote(character.toString()))});
    }
    if (lines > kMaxUndefinedReports)
        facts.findings.push_back(Finding{
            file, lastLine, Severity::Problem, QStringLiteral("file.not-convertible"),
            Text::tr("%n more line(s) up to this one have characters that Windows-1251 does not "
                     "have",
                     nullptr, lines - kMaxUndefinedReports)});
}

// The text of a file read as what it is, as Windows-1251 bytes: what the
// program reads once the file is converted.
QByteArray toCp1251(const QString &file, const QString &text, TextFacts &facts)
{
    checkConvertible(file, text, facts);
    QStringEncoder encoder("windows-1251");
    return encoder.encode(text);
}

// The effect of a whole file in UTF-8 or UTF-16 on the program.
QString effectOf(TextRole role, const WholeFileEffect &effect, std::string_view read,
                 const QByteArray &meant)
{
    if (!effect)
        return wholeFileEffect(role);
    return effect(read, std::string_view(meant.constData(), static_cast<size_t>(meant.size())));
}

// A UTF-16 file: the finding for the whole file, and its text converted;
// whether it is one.
bool checkUtf16(const QString &file, std::string_view bytes, TextRole role,
                const WholeFileEffect &effect, TextFacts &facts)
{
    const Encoding utf16 = utf16Kind(bytes);
    if (utf16 == Encoding::None)
        return false;
    QStringDecoder decoder(utf16 == Encoding::Utf16Be   ? QStringConverter::Utf16BE
                           : utf16 == Encoding::Utf16Le ? QStringConverter::Utf16LE
                                                        : QStringConverter::Utf16);
    facts.converted =
        toCp1251(file, decoder.decode(QByteArrayView(bytes.data(), bytes.size())), facts);
    QString message;
    if (role == TextRole::Journal) {
        // A journal is read whole, its NUL bytes as characters.
        message = Text::tr("the file is UTF-16 text; the program reads Windows-1251: %1; the "
                           "findings below are those of the file once converted; convert it: ")
                      .arg(effectOf(role, effect, bytes, facts.converted));
    } else {
        const std::string_view seen = bytes.substr(0, bytes.find('\0'));
        message =
            Text::tr("the file is UTF-16 text; the program reads Windows-1251 and stops "
                     "at the first NUL byte, so it sees %1; the findings below are "
                     "those of the file once converted; convert it: ")
                .arg(seen.empty() ? Text::tr("nothing of it") : Text::tr("only ") + quote(seen));
    }
    Finding finding{file, 0, Severity::Problem, QStringLiteral("file.utf16"), message};
    finding.conversion = utf16;
    facts.findings.insert(facts.findings.begin(), finding);
    return true;
}

// A UTF-8 file (`text` the part of `bytes` the program reads): the finding
// for the whole file, and its text converted; whether it is one.
bool checkUtf8(const QString &file, std::string_view bytes, std::string_view text, TextRole role,
               const WholeFileEffect &effect, TextFacts &facts)
{
    // Windows-1251 text fails the test at its first letter, long before a
    // decode of the whole file would end.
    if (isAscii(text) || !QByteArrayView(text.data(), text.size()).isValidUtf8())
        return false;
    QStringDecoder utf8(QStringConverter::Utf8);
    const QString decoded = utf8.decode(QByteArrayView(text.data(), text.size()));
    size_t first = 0;
    while (first < text.size() && static_cast<unsigned char>(text[first]) < 0x80)
        ++first;
    const bool mark = text.substr(0, 3) == "\xef\xbb\xbf";
    // The byte-order mark is no character of the text.
    const std::string_view content = bytes.substr(mark ? 3 : 0);
    QStringDecoder whole(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    facts.converted =
        toCp1251(file, whole.decode(QByteArrayView(content.data(), content.size())), facts);

    const auto [meant, shown] = sampleWord(decoded);
    QString message = Text::tr("the file is UTF-8 text; the program reads Windows-1251");
    if (!meant.isEmpty())
        message += Text::tr(", so %1 shows as %2").arg(meant, shown);
    message += Text::tr(": %1; the findings below are those of the file once converted; "
                        "convert it: ")
                   .arg(effectOf(role, effect, bytes, facts.converted));
    Finding finding{file, rawLineOf(bytes, first), Severity::Problem, QStringLiteral("file.utf8"),
                    message};
    finding.conversion = mark ? Encoding::Utf8WithMark : Encoding::Utf8;
    facts.findings.insert(facts.findings.begin(), finding);
    return true;
}

// The undefined byte 0x98, line by line.
void checkUndefinedByte(const QString &file, std::string_view text, TextFacts &facts)
{
    if (text.find(static_cast<char>(kUndefinedByte)) == std::string_view::npos)
        return;
    const auto add = [&](int line, Severity severity, const QString &kind, const QString &message) {
        facts.findings.push_back(Finding{file, line, severity, kind, message});
    };
    // The undefined byte, line by line.
    int undefinedLines = 0;
    int lastUndefinedLine = 0;
    const QChar undefinedChar = files::fromCp1251(std::string_view("\x98", 1)).at(0);
    const QString code =
        QStringLiteral("U+%1").arg(undefinedChar.unicode(), 4, 16, QLatin1Char('0')).toUpper();
    const QString undefinedShown = undefinedChar.unicode() < 0xa0
                                       ? Text::tr("an invisible control character (%1)").arg(code)
                                       : QStringLiteral("«%1» (%2)").arg(undefinedChar).arg(code);
    int line = 1;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\n' || (c == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n'))) {
            ++line;
            continue;
        }
        if (static_cast<unsigned char>(c) != kUndefinedByte || line == lastUndefinedLine)
            continue;
        lastUndefinedLine = line;
        if (++undefinedLines > kMaxUndefinedReports)
            continue;
        add(line, Severity::Problem, QStringLiteral("file.byte98"),
            Text::tr("byte 0x98 is not a Windows-1251 character; the program shows %1 in "
                     "its place (the text was probably converted from another code page)")
                .arg(undefinedShown));
    }
    if (undefinedLines > kMaxUndefinedReports)
        add(lastUndefinedLine, Severity::Problem, QStringLiteral("file.byte98"),
            Text::tr("byte 0x98 is on %1 more lines up to this one")
                .arg(undefinedLines - kMaxUndefinedReports));
}

// The first NUL byte at `nul`, where the program stops reading.
void checkNul(const QString &file, std::string_view bytes, std::string_view text, size_t nul,
              TextFacts &facts)
{
    const auto add = [&](int line, Severity severity, const QString &kind, const QString &message) {
        facts.findings.push_back(Finding{file, line, severity, kind, message});
    };
    facts.nulAt = nul;
    facts.nulLine = rawLineOf(bytes, nul);
    const int lastLine = rawLineOf(bytes, bytes.size() - 1);
    const size_t lineEnd = text.find_last_of("\r\n");
    const size_t column = nul - (lineEnd == std::string_view::npos ? 0 : lineEnd + 1) + 1;
    add(facts.nulLine, Severity::Problem, QStringLiteral("file.nul"),
        Text::tr("NUL byte (character %1 of the line): the program stops reading the "
                 "file here and ignores %2")
            .arg(column)
            .arg(lastLine > facts.nulLine
                     ? Text::tr("the rest of this line and the %1 after it")
                           .arg(Text::tr("%n line(s)", nullptr,
                                         static_cast<int>(lastLine - facts.nulLine)))
                     : Text::tr("the rest of this line")));
}

// NUL bytes in a journal, which the program reads whole: each one is a
// character of its line, shown as a box. One finding, on the first.
void checkJournalNuls(const QString &file, std::string_view bytes, size_t nul, TextFacts &facts)
{
    const int line = rawLineOf(bytes, nul);
    const size_t lineEnd = bytes.substr(0, nul).find_last_of("\r\n");
    const size_t column = nul - (lineEnd == std::string_view::npos ? 0 : lineEnd + 1) + 1;
    // The other lines that hold one, in one pass.
    int more = 0;
    bool counted = true;
    for (size_t i = nul + 1; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
                ++i;
            counted = false;
        } else if (c == '\0' && !counted) {
            ++more;
            counted = true;
        }
    }
    QString message = Text::tr("NUL byte (character %1 of the line): the journal keeps it as a "
                               "character of this line and shows it as a small box")
                          .arg(column);
    if (more > 0)
        message += Text::tr("; %n more line(s) hold NUL bytes", nullptr, more);
    facts.findings.push_back(
        Finding{file, line, Severity::Problem, QStringLiteral("file.nul"), message});
}

// Every kind of line end ends a line for the program; a mix is noted.
// Whether `text` ends its lines in one way only, told from the counts of CR,
// LF and CR LF alone.
bool oneKindOfLineEnd(std::string_view text)
{
    const auto crs = std::count(text.begin(), text.end(), '\r');
    qsizetype lfs = 0;
    qsizetype crLfs = 0;
    for (size_t at = text.find('\n'); at != std::string_view::npos; at = text.find('\n', at + 1)) {
        ++lfs;
        crLfs += at > 0 && text[at - 1] == '\r';
    }
    return crs == 0 || lfs == 0 || (crs == crLfs && lfs == crLfs);
}

void checkLineEnds(const QString &file, std::string_view text, TextFacts &facts)
{
    if (oneKindOfLineEnd(text))
        return;
    const auto add = [&](int line, Severity severity, const QString &kind, const QString &message) {
        facts.findings.push_back(Finding{file, line, severity, kind, message});
    };
    // Line ends: every kind ends a line for the program; a mix is noted.
    std::array<int, 3> kinds{}; // CR LF, LF, CR
    std::array<int, 3> firstLine{};
    int line = 1;
    for (size_t i = 0; i < text.size(); ++i) {
        int kind = -1;
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            kind = 0;
            ++i;
        } else if (text[i] == '\n') {
            kind = 1;
        } else if (text[i] == '\r') {
            kind = 2;
        }
        if (kind < 0)
            continue;
        if (kinds[static_cast<size_t>(kind)]++ == 0)
            firstLine[static_cast<size_t>(kind)] = line;
        ++line;
    }
    const int used =
        static_cast<int>(std::count_if(kinds.begin(), kinds.end(), [](int n) { return n > 0; }));
    if (used > 1) {
        const auto majority =
            static_cast<size_t>(std::max_element(kinds.begin(), kinds.end()) - kinds.begin());
        const std::array<QString, 3> names{QStringLiteral("CR LF"), QStringLiteral("LF"),
                                           QStringLiteral("CR")};
        QStringList parts;
        int noteLine = 0;
        for (size_t k = 0; k < kinds.size(); ++k) {
            if (kinds[k] == 0)
                continue;
            parts << QStringLiteral("%1 %2").arg(kinds[k]).arg(names[k]);
            if (k != majority && (noteLine == 0 || firstLine[k] < noteLine))
                noteLine = firstLine[k];
        }
        add(noteLine, Severity::Note, QStringLiteral("file.line-ends"),
            Text::tr("mixed line ends (%1; the first that differs ends this line): the "
                     "program ends a line at each of them, as most editors do")
                .arg(parts.join(QStringLiteral(", "))));
    }
}

} // namespace

int rawLineOf(std::string_view bytes, size_t pos)
{
    // 1 + the line ends whose last byte lies before pos.
    int line = 1;
    const size_t end = std::min(pos, bytes.size());
    for (size_t i = 0; i < end; ++i) {
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') {
            if (i + 1 < end)
                ++line;
            ++i;
        } else if (bytes[i] == '\r' || bytes[i] == '\n') {
            ++line;
        }
    }
    return line;
}

TextFacts checkText(const QString &file, std::string_view bytes, TextRole role,
                    const WholeFileEffect &effect)
{
    TextFacts facts;
    // The program reads a journal whole and every other text file up to its
    // first NUL byte.
    const bool whole = role == TextRole::Journal;
    const auto readPart = [whole](std::string_view all) {
        return whole ? all : all.substr(0, all.find('\0'));
    };
    // A file in UTF-8 or UTF-16 is checked on as it reads once converted.
    if (checkUtf16(file, bytes, role, effect, facts)
        || checkUtf8(file, bytes, readPart(bytes), role, effect, facts))
        bytes = std::string_view(facts.converted.constData(),
                                 static_cast<size_t>(facts.converted.size()));
    const size_t nul = bytes.find('\0');
    const std::string_view text = readPart(bytes);
    if (facts.converted.isNull())
        checkUndefinedByte(file, text, facts);
    if (nul != std::string_view::npos) {
        if (whole)
            checkJournalNuls(file, bytes, nul, facts);
        else
            checkNul(file, bytes, text, nul, facts);
    }
    checkLineEnds(file, text, facts);
    return facts;
}

} // namespace quz::check
