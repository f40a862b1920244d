#include "check/question_check.h"

#include "check/bank_checker.h"
#include "check/header_shape.h"
#include "check/wording.h"
#include "core/files/text_file.h"
#include "core/practice/practice_rules.h"

#include <algorithm>
#include <map>
#include <optional>
#include <set>

namespace quz::check {

namespace {

using Layout = bank::QuestionLayout;
constexpr size_t npos = std::string_view::npos;
constexpr int kMaxAnswerButtons = 5;

enum class LineKind {
    Text,
    Blank,      // nothing but blanks and control characters
    Header,     // holds the ticket word followed by four digits (a key)
    Damaged,    // looks like a header, but the program does not read it as one
    TicketWord, // holds the ticket word, but no key
};

struct Line {
    LineKind kind = LineKind::Text;
    int keyAt = -1;  // Header: where the key starts in the line
    int ticket = -1; // Header, Damaged: the numbers its digits give, -1 when none
    int question = -1;
};

struct Record {
    int header = 0;       // line
    int end = 0;          // first line after the record
    int bodyEnd = 0;      // first line after what is meant to belong to it
    bool primary = false; // the first occurrence of its key, which the lookup finds
    int key = -1;         // index of its key in the scope, -1 when outside
};

Line classify(std::string_view text)
{
    Line line;
    for (size_t at = text.find(kTicketWord); at != npos;
         at = text.find(kTicketWord, at + kTicketWord.size())) {
        const std::string_view digits = text.substr(at + kTicketWord.size(), 4);
        if (digits.size() == 4 && std::all_of(digits.begin(), digits.end(), isDigit)) {
            line.kind = LineKind::Header;
            line.keyAt = static_cast<int>(at);
            line.ticket = (digits[0] - '0') * 10 + (digits[1] - '0');
            line.question = (digits[2] - '0') * 10 + (digits[3] - '0');
            return line;
        }
    }
    std::string digits;
    if (looksLikeHeader(text, digits, 4)) {
        line.kind = LineKind::Damaged;
        if (digits.size() == 4) {
            line.ticket = std::stoi(digits.substr(0, 2));
            line.question = std::stoi(digits.substr(2, 2));
        }
        return line;
    }
    if (text.find(kTicketWord) != npos)
        line.kind = LineKind::TicketWord;
    else if (bank::isBlankPiece(text))
        line.kind = LineKind::Blank;
    return line;
}

class Checker : BankChecker {
public:
    Checker(const QString &file, const BankText &bank, const Scope &scope,
            std::string_view behindNul)
        : BankChecker(file, bank, scope, behindNul)
    {}

    QuestionCheck run();

private:
    int keyCount() const { return m_scope.tickets * m_scope.questions; }
    int keyIndex(int ticket, int question) const
    {
        if (ticket < 1 || ticket > m_scope.tickets || question < 1 || question > m_scope.questions)
            return -1;
        return (ticket - 1) * m_scope.questions + (question - 1);
    }
    QString ticketText(int key) const { return twoDigits(key / m_scope.questions + 1); }
    QString questionText(int key) const { return twoDigits(key % m_scope.questions + 1); }
    QString keyText(int key) const { return keyName(ticketText(key), questionText(key)); }
    QString position(int key) const
    {
        return Text::tr("ticket %1, question %2").arg(ticketText(key), questionText(key));
    }
    std::string_view text(size_t begin, size_t end) const
    {
        return m_bank.view().substr(begin, end - begin);
    }
    // The record that holds `line`, -1 before the first one.
    int recordAt(int line) const;
    QString recordName(int r) const;

    // A finding about the record of `key` (-1: none), which then is no good.
    void add(int line, const QString &kind, const QString &message, int key = -1,
             Severity severity = Severity::Problem)
    {
        if (key >= 0)
            m_flagged.insert(key);
        BankChecker::add(line, kind, message, severity);
    }

    void classifyLines();
    void lookUp();
    void placeMissing();
    // The lines that look like the records of missing keys, each told once.
    void reportOrphans();
    void splitOrphans(int record, std::vector<int> &keys);
    void reportMissingRun(const std::vector<int> &keys, int anchorLine);
    struct RecordUnderCheck;
    RecordUnderCheck recordUnderCheck(int r) const;
    // One check each of a record that the lookup finds at its header.
    void checkRecord(int r);
    void checkHeaderStart(const RecordUnderCheck &c);
    void checkHeaderLength(const RecordUnderCheck &c);
    void checkAnswerDigit(const RecordUnderCheck &c);
    // Whether the record has a question line, so that its variants are read.
    bool checkQuestionLine(const RecordUnderCheck &c);
    // How many of the meant variants the lookup reads as meant, in order;
    // none when a blank line shifts them (which it reports).
    std::optional<size_t> checkVariantItems(const RecordUnderCheck &c);
    void checkVariantsCut(const RecordUnderCheck &c, size_t matched);
    void checkVariantCount(const RecordUnderCheck &c);
    void checkDamaged(int r);
    void checkOtherHeader(int r);
    void checkEnd();
    void summarise();

    // The variant items of a record (as QStrings with their CR LF).
    QStringList items(const Layout &layout) const;
    // "the program shows <subject> as variants 4-7 of «билет0506» (line 12)"
    // for lines from `first` to before `end` that the last record before them
    // reads as its variants, or an empty text; `key` gets that record's key.
    QString readAsVariantsOf(int first, int end, const QString &subject, int &key) const;
    // What the program shows of a record whose header misleads it.
    QString shownAs(const Layout &layout, const std::vector<int> &meant) const;
    std::vector<int> meantVariants(const Record &record) const;

    QuestionCheck m_result;

    std::vector<Line> m_lines;
    std::vector<Record> m_records;
    int m_terminator = -1;
    std::vector<Layout> m_layouts;    // per key of the scope
    std::vector<int> m_recordOfKey;   // the record the lookup reads, -1 when none
    std::map<int, int> m_probableKey; // misleading header record -> missing key it stands for
    std::map<int, std::vector<std::pair<int, int>>> m_orphans; // record -> (line, key)
    std::set<int> m_flagged;                                   // keys with a finding
    std::set<int> m_lostBehindNul;                             // keys only behind a NUL byte
};

int Checker::recordAt(int line) const
{
    const auto it = std::upper_bound(m_records.begin(), m_records.end(), line,
                                     [](int l, const Record &r) { return l < r.header; });
    return static_cast<int>(it - m_records.begin()) - 1;
}

QString Checker::recordName(int r) const
{
    const Record &record = m_records[static_cast<size_t>(r)];
    const std::string_view header = m_bank.line(record.header);
    const Line &line = m_lines[static_cast<size_t>(record.header)];
    const std::string_view key =
        line.keyAt >= 0 ? header.substr(static_cast<size_t>(line.keyAt), 9) : header;
    return Text::tr("%1 (line %2)").arg(quote(key, 20)).arg(record.header + 1);
}

void Checker::classifyLines()
{
    m_lines.reserve(static_cast<size_t>(m_bank.lineCount()));
    for (int i = 0; i < m_bank.lineCount(); ++i) {
        m_lines.push_back(classify(m_bank.line(i)));
        const LineKind kind = m_lines.back().kind;
        if (kind == LineKind::Header || kind == LineKind::Damaged)
            m_records.push_back(Record{i, m_bank.lineCount(), m_bank.lineCount()});
    }
    for (size_t r = 0; r + 1 < m_records.size(); ++r)
        m_records[r].end = m_records[r].bodyEnd = m_records[r + 1].header;
    // After the last record the file goes on with a line holding the ticket
    // word; whatever comes after that line is never read.
    // The question line is never read by the variant reading, so it cannot
    // end the last list.
    if (!m_records.empty()) {
        for (int i = m_records.back().header + 2; i < m_bank.lineCount(); ++i)
            if (m_lines[static_cast<size_t>(i)].kind == LineKind::TicketWord)
                m_terminator = i;
        if (m_terminator >= 0)
            m_records.back().end = m_records.back().bodyEnd = m_terminator;
    }
    for (Record &record : m_records) {
        const Line &line = m_lines[static_cast<size_t>(record.header)];
        if (line.kind != LineKind::Header)
            continue;
        record.key = keyIndex(line.ticket, line.question);
        const size_t at = m_bank.lineStart(record.header) + static_cast<size_t>(line.keyAt);
        const auto &occurrences = m_bank.keyOccurrences(m_bank.view().substr(at, 9));
        record.primary = !occurrences.empty() && occurrences.front() == at;
    }
}

void Checker::lookUp()
{
    m_layouts.resize(static_cast<size_t>(keyCount()));
    m_recordOfKey.assign(static_cast<size_t>(keyCount()), -1);
    const bank::BankSearch search = m_bank.search();
    for (int key = 0; key < keyCount(); ++key) {
        const std::string ticket = ticketText(key).toStdString();
        const std::string question = questionText(key).toStdString();
        Layout &layout = m_layouts[static_cast<size_t>(key)];
        layout = bank::locateQuestion(m_bank.view(), ticket, question, search);
        if (layout.key == npos)
            continue;
        const int r = recordAt(lineOf(layout.key));
        if (r >= 0 && m_records[static_cast<size_t>(r)].primary
            && m_records[static_cast<size_t>(r)].key == key)
            m_recordOfKey[static_cast<size_t>(key)] = r;
    }
}

std::vector<int> Checker::meantVariants(const Record &record) const
{
    std::vector<int> lines;
    for (int i = record.header + 2; i < record.bodyEnd; ++i)
        if (m_lines[static_cast<size_t>(i)].kind != LineKind::Blank)
            lines.push_back(i);
    return lines;
}

QStringList Checker::items(const Layout &layout) const
{
    QStringList list;
    for (const auto &[begin, end] : layout.variants)
        list << files::fromCp1251(text(begin, end));
    return list;
}

QString Checker::readAsVariantsOf(int first, int end, const QString &subject, int &key) const
{
    key = -1;
    for (int r = recordAt(first - 1); r >= 0; --r) {
        const Record &record = m_records[static_cast<size_t>(r)];
        if (!record.primary || record.key < 0)
            continue;
        const Layout &layout = m_layouts[static_cast<size_t>(record.key)];
        int from = -1;
        int to = -1;
        for (size_t i = 0; i < layout.variants.size(); ++i) {
            const int line = lineOf(layout.variants[i].second - 1);
            if (line >= first && lineOf(layout.variants[i].first) < end) {
                if (from < 0)
                    from = static_cast<int>(i) + 1;
                to = static_cast<int>(i) + 1;
            }
        }
        if (from < 0)
            return {};
        key = record.key;
        return Text::tr("the program shows %1 as %2 of %3")
            .arg(subject,
                 from == to ? Text::tr("variant %1").arg(from)
                            : Text::tr("variants %1-%2").arg(from).arg(to),
                 recordName(r));
    }
    return {};
}

QString Checker::shownAs(const Layout &layout, const std::vector<int> &meant) const
{
    const QString question = layout.textBegin == npos
                                 ? QStringLiteral("«»")
                                 : quote(text(layout.textBegin, layout.textEnd));
    bool same = layout.variants.size() == meant.size();
    for (size_t i = 0; same && i < meant.size(); ++i)
        same = layout.variants[i].first == m_bank.lineStart(meant[i])
               && layout.variants[i].second == m_bank.lineEnd(meant[i]);
    if (same)
        return Text::tr("the question as %1, its variants as meant").arg(question);
    QStringList list;
    for (const QString &item : items(layout).mid(0, 3))
        list << quote(item, 24);
    if (layout.variants.size() > 3)
        list << QStringLiteral("…");
    return Text::tr("the question as %1 with %2%3")
        .arg(question, Text::tr("%n variant(s)", nullptr, static_cast<int>(layout.variants.size())),
             list.isEmpty() ? QString() : QStringLiteral(" (") + list.join(u' ') + u')');
}

void Checker::reportMissingRun(const std::vector<int> &keys, int anchorLine)
{
    if (keys.empty())
        return;
    QString where = Text::tr(" (expected before this line)");
    if (anchorLine < 0) {
        anchorLine = -1; // the whole file
        where.clear();
    } else if (m_records.empty() || anchorLine > m_records.back().header) {
        where = Text::tr(" (expected at the end of the file)");
    }
    QString message;
    if (keys.size() == 1) {
        message = Text::tr("no record for %1%2: the program shows %3 empty, without answer "
                           "buttons")
                      .arg(keyText(keys.front()), where, position(keys.front()));
    } else {
        message =
            Text::tr("no records for %1 to %2 (%3)%4: the program shows these "
                     "questions empty, without answer buttons")
                .arg(keyText(keys.front()), keyText(keys.back()))
                .arg(Text::tr("%n question(s)", nullptr, static_cast<int>((keys.size()))), where);
    }
    add(anchorLine, QStringLiteral("question.missing"), message);
}

void Checker::splitOrphans(int r, std::vector<int> &keys)
{
    const Record &record = m_records[static_cast<size_t>(r)];
    // The lines meant for this record and the orphans: from the question line
    // to the last line that is not blank.
    std::vector<int> body;
    for (int i = record.header + 1; i < record.end; ++i)
        body.push_back(i);
    while (!body.empty() && m_lines[static_cast<size_t>(body.back())].kind == LineKind::Blank)
        body.pop_back();
    const auto kindAt = [&](size_t i) { return m_lines[static_cast<size_t>(body[i])].kind; };
    const auto endsWithQuestionMark = [&](size_t i) {
        std::string_view line = m_bank.line(body[i]);
        while (!line.empty() && static_cast<unsigned char>(line.back()) <= 0x20)
            line.remove_suffix(1);
        return !line.empty() && line.back() == '?';
    };

    // Where a record without its header may begin: after a blank line, at a
    // line with the ticket word (many questions name their ticket) or at a
    // question line ending in "?". Every part keeps a question and two
    // variants. The first kind of place that gives as many parts as there
    // are missing records wins.
    std::vector<std::vector<size_t>> classes(3);
    for (size_t i = 3; i + 3 <= body.size(); ++i) {
        if (kindAt(i) == LineKind::Blank)
            continue;
        if (kindAt(i - 1) == LineKind::Blank)
            classes[0].push_back(i);
        if (kindAt(i) == LineKind::TicketWord)
            classes[1].push_back(i);
        if (endsWithQuestionMark(i) && !endsWithQuestionMark(i - 1))
            classes[2].push_back(i);
    }
    const auto fits = [](const std::vector<size_t> &splits) {
        for (size_t k = 1; k < splits.size(); ++k)
            if (splits[k] < splits[k - 1] + 3)
                return false;
        return true;
    };
    // Failing those, a question is usually the longest line: the longest line
    // after this record's question, if both parts then hold 2 to 5 variants.
    size_t longest = 0;
    for (size_t i = 1; i < body.size(); ++i)
        if (longest == 0 || m_bank.line(body[i]).size() > m_bank.line(body[longest]).size())
            longest = i;
    const size_t after = body.size() - longest - 1;
    if (longest >= 3 && longest <= kMaxAnswerButtons + 1 && after >= 2
        && after <= kMaxAnswerButtons)
        classes.push_back({longest});

    for (size_t wanted : {keys.size(), size_t(1)}) {
        for (const auto &candidates : classes) {
            if (candidates.size() != wanted || !fits(candidates))
                continue;
            auto &orphans = m_orphans[r];
            for (size_t k = 0; k < candidates.size(); ++k)
                orphans.emplace_back(body[candidates[k]], keys[k]);
            m_records[static_cast<size_t>(r)].bodyEnd = body[candidates.front()];
            keys.erase(keys.begin(), keys.begin() + static_cast<std::ptrdiff_t>(wanted));
            return;
        }
    }
}

void Checker::placeMissing()
{
    // Keys that only lie behind a NUL byte are lost with it, not missing.
    for (const int number : numbersBehindNul(4)) {
        const int key = keyIndex(number / 100, number % 100);
        if (key >= 0 && m_layouts[static_cast<size_t>(key)].key == npos)
            m_lostBehindNul.insert(key);
    }

    // Each missing key belongs after the record of the nearest key before it
    // that the program finds; keys with the same place form one group.
    std::map<int, std::vector<int>> groups; // record before (-1: none) -> keys
    int before = -1;
    for (int key = 0; key < keyCount(); ++key) {
        const Layout &layout = m_layouts[static_cast<size_t>(key)];
        if (layout.key != npos) {
            before = recordAt(lineOf(layout.key));
            continue;
        }
        if (!m_lostBehindNul.count(key))
            groups[before].push_back(key);
    }

    for (auto &[r, keys] : groups) {
        const int anchor = r + 1 < static_cast<int>(m_records.size()) ? r + 1 : -1;
        // A header that misleads the program where the missing record belongs
        // is taken as that record's damaged header.
        if (anchor >= 0) {
            const Record &record = m_records[static_cast<size_t>(anchor)];
            const Line &line = m_lines[static_cast<size_t>(record.header)];
            if (line.kind == LineKind::Damaged) {
                const int meant = keyIndex(line.ticket, line.question);
                auto it = std::find(keys.begin(), keys.end(), meant);
                if (it == keys.end() && line.ticket < 0)
                    it = keys.begin();
                if (it != keys.end()) {
                    m_probableKey[anchor] = *it;
                    keys.erase(it);
                }
            } else if (!record.primary || record.key < 0) {
                m_probableKey[anchor] = keys.front();
                keys.erase(keys.begin());
            }
        }
        if (r >= 0 && !keys.empty() && m_records[static_cast<size_t>(r)].primary
            && m_records[static_cast<size_t>(r)].key >= 0)
            splitOrphans(r, keys);

        int anchorLine = -1;
        if (anchor >= 0)
            anchorLine = m_records[static_cast<size_t>(anchor)].header;
        else if (m_terminator >= 0)
            anchorLine = m_terminator;
        else if (m_bank.lineCount() > 0)
            anchorLine = m_bank.lineCount() - 1;
        // Runs of consecutive keys, one finding each.
        std::vector<int> run;
        for (const int key : keys) {
            if (!run.empty() && key != run.back() + 1) {
                reportMissingRun(run, anchorLine);
                run.clear();
            }
            run.push_back(key);
        }
        reportMissingRun(run, anchorLine);
    }

    reportOrphans();
}

void Checker::reportOrphans()
{
    for (const auto &[r, orphans] : m_orphans) {
        const Record &record = m_records[static_cast<size_t>(r)];
        for (size_t k = 0; k < orphans.size(); ++k) {
            const auto [first, key] = orphans[k];
            const int end = k + 1 < orphans.size() ? orphans[k + 1].first : record.end;
            int runOn = -1;
            const QString effect = readAsVariantsOf(first, end, Text::tr("these lines"), runOn);
            m_flagged.insert(runOn);
            add(first, QStringLiteral("question.header-missing"),
                Text::tr("no header line before this line: the lines from here (question "
                         "%1) look like the record of %2, which the program does not find, "
                         "so it shows %3 empty, without answer buttons; %4")
                    .arg(quote(m_bank.line(first)), keyText(key), position(key),
                         effect.isEmpty() ? Text::tr("these lines are never shown") : effect));
        }
    }
}

void Checker::checkDamaged(int r)
{
    const Record &record = m_records[static_cast<size_t>(r)];
    const Line &line = m_lines[static_cast<size_t>(record.header)];
    if (skip(QStringLiteral("question.header-damaged")))
        return;
    const std::string_view header = m_bank.line(record.header);
    QString message = Text::tr("%1 is not read as a header: the program only finds "
                               "«билет» in small Cyrillic letters at the start of the "
                               "line, directly followed by the ticket and question numbers")
                          .arg(quote(header, 24));
    const auto probable = m_probableKey.find(r);
    const int meant = keyIndex(line.ticket, line.question);
    if (probable != m_probableKey.end()) {
        message += Text::tr("; %1 has no record, so the program shows %2 empty")
                       .arg(keyText(probable->second), position(probable->second));
    } else if (meant >= 0 && m_layouts[static_cast<size_t>(meant)].key != npos) {
        message += Text::tr("; the program reads %1 from line %2 instead")
                       .arg(keyText(meant))
                       .arg(lineOf(m_layouts[static_cast<size_t>(meant)].key) + 1);
    }
    if (!bank::containsTicketWord(header)) {
        int runOn = -1;
        const QString effect = readAsVariantsOf(record.header, record.end,
                                                Text::tr("this line and the ones below it"), runOn);
        if (!effect.isEmpty())
            message += Text::tr("; the variant list before it runs on: ") + effect;
        m_flagged.insert(runOn);
    }
    add(record.header, QStringLiteral("question.header-damaged"), message);
}

void Checker::checkOtherHeader(int r)
{
    const Record &record = m_records[static_cast<size_t>(r)];
    const Line &line = m_lines[static_cast<size_t>(record.header)];
    const std::string_view header = m_bank.line(record.header);
    const std::string_view key = header.substr(static_cast<size_t>(line.keyAt), 9);
    QString message;
    const QString kind = record.key < 0 ? QStringLiteral("question.out-of-range")
                                        : QStringLiteral("question.duplicate");
    if (skip(kind))
        return;
    if (record.key < 0) {
        message = Text::tr("%1 names no question the program asks (tickets 01-%2, "
                           "questions 01-%3): this record is never shown")
                      .arg(quote(key))
                      .arg(twoDigits(m_scope.tickets), twoDigits(m_scope.questions));
    } else {
        const size_t first = m_bank.keyOccurrences(key).front();
        message = Text::tr("%1 appears a second time (first on line %2, which the program "
                           "shows): this record is never shown")
                      .arg(quote(key))
                      .arg(lineOf(first) + 1);
    }
    const auto probable = m_probableKey.find(r);
    if (probable != m_probableKey.end())
        message += Text::tr("; it is probably meant to be %1, which has no record, so the "
                            "program shows %2 empty")
                       .arg(keyText(probable->second), position(probable->second));
    add(record.header, kind, message);
}

// A record under check: its header and what the lookup reads of it.
struct Checker::RecordUnderCheck {
    const Record &record;
    int key;
    const Layout &layout;
    const Line &line;
    std::string_view header;
    std::string_view after; // the header after the key: the answer digit and more
    std::vector<int> meant; // the lines meant as variants
    qsizetype meantCount;   // with a variant the next header is joined to
};

Checker::RecordUnderCheck Checker::recordUnderCheck(int r) const
{
    const Record &record = m_records[static_cast<size_t>(r)];
    const Line &line = m_lines[static_cast<size_t>(record.header)];
    const std::string_view header = m_bank.line(record.header);
    std::vector<int> meant = meantVariants(record);
    // A variant that the next header is joined to is told with that header.
    bool joinedToNext = false;
    if (r + 1 < static_cast<int>(m_records.size())) {
        const int next = m_records[static_cast<size_t>(r + 1)].header;
        const Line &nextLine = m_lines[static_cast<size_t>(next)];
        joinedToNext = next == record.bodyEnd && nextLine.kind == LineKind::Header
                       && nextLine.keyAt > 0
                       && !bank::isBlankPiece(
                           m_bank.line(next).substr(0, static_cast<size_t>(nextLine.keyAt)));
    }
    const auto meantCount = static_cast<qsizetype>(meant.size()) + (joinedToNext ? 1 : 0);
    return RecordUnderCheck{record,
                            record.key,
                            m_layouts[static_cast<size_t>(record.key)],
                            line,
                            header,
                            header.substr(static_cast<size_t>(line.keyAt) + 9),
                            std::move(meant),
                            meantCount};
}

void Checker::checkHeaderStart(const RecordUnderCheck &c)
{
    if (c.line.keyAt > 0) {
        const std::string_view before = c.header.substr(0, static_cast<size_t>(c.line.keyAt));
        if (bank::isBlankPiece(before)) {
            add(c.record.header, QStringLiteral("question.header-indent"),
                Text::tr("blanks before «билет»: the program still finds this header"), -1,
                Severity::Note);
        } else {
            QString message = Text::tr("the header does not start its line (%1 comes "
                                       "before «билет»)")
                                  .arg(quote(before));
            const int previous = recordAt(c.record.header - 1);
            if (previous >= 0)
                message += Text::tr(": as the line holds «билет», it ends the variant "
                                    "list of %1, and %2 is not shown as a variant")
                               .arg(recordName(previous), quote(before));
            add(c.record.header, QStringLiteral("question.header-inline"), message, c.key);
        }
    }
}

void Checker::checkHeaderLength(const RecordUnderCheck &c)
{
    if (c.after.size() != 1) {
        QString what;
        QString effect = Text::tr("the program shows %1").arg(shownAs(c.layout, c.meant));
        if (c.after.empty()) {
            what = Text::tr("the answer digit is missing");
            effect = Text::tr("the program takes the line end as the answer, so no answer "
                              "button is ever right, and shows %1")
                         .arg(shownAs(c.layout, c.meant));
        } else {
            const std::string_view extra = c.after.substr(1);
            what = bank::isBlankPiece(extra)
                       ? Text::tr("%n trailing blank(s)", nullptr, static_cast<int>((extra.size())))
                       : Text::tr("extra characters %1 after the answer digit").arg(quote(extra));
        }
        add(c.record.header, QStringLiteral("question.header-length"),
            Text::tr("the header line has %1 characters instead of 10 (%2): %3")
                .arg(c.header.size() - static_cast<size_t>(c.line.keyAt))
                .arg(what, effect),
            c.key);
    }
}

void Checker::checkAnswerDigit(const RecordUnderCheck &c)
{
    if (!c.after.empty()) {
        const char digit = c.after.front();
        if (digit < '1' || digit > '5') {
            add(c.record.header, QStringLiteral("question.answer"),
                Text::tr("the answer digit %1 is not 1-5: no answer button is ever right, "
                         "so the question cannot be answered")
                    .arg(quote(c.after.substr(0, 1))),
                c.key);
        } else if (c.meantCount > 0 && digit - '0' > c.meantCount
                   && !(c.meantCount < 2 && c.after.size() == 1)) {
            // (A record with a single variant is told as such, answer included.)
            add(c.record.header, QStringLiteral("question.answer"),
                Text::tr("the answer is %1, but the record has only %2: the program shows "
                         "no button %1, so the question cannot be answered right")
                    .arg(QLatin1Char(digit))
                    .arg(Text::tr("%n variant(s)", nullptr, static_cast<int>(c.meantCount))),
                c.key);
        }
    }
}

bool Checker::checkQuestionLine(const RecordUnderCheck &c)
{
    // The question line.
    const int questionLine = c.record.header + 1;
    if (questionLine >= c.record.bodyEnd) {
        add(c.record.header, QStringLiteral("question.too-few"),
            Text::tr("the record has no question line and no variants: the program shows "
                     "an empty question without answer buttons"),
            c.key);
        return false;
    }
    if (m_lines[static_cast<size_t>(questionLine)].kind == LineKind::Blank) {
        const QString next =
            c.meant.empty() ? QStringLiteral("«»") : quote(m_bank.line(c.meant.front()));
        add(questionLine, QStringLiteral("question.blank-line"),
            c.layout.variants.empty()
                ? Text::tr("blank line after the header: the program shows an empty "
                           "question and, as the line after it (%1) holds «билет», no "
                           "variants and no answer buttons")
                      .arg(next)
                : Text::tr("blank line after the header: the program shows an empty "
                           "question, and the line after it (%1) as the first variant, "
                           "with its own answer button (%2 for %3)")
                      .arg(next)
                      .arg(Text::tr("%n button(s)", nullptr,
                                    static_cast<int>(answerButtons(items(c.layout)))))
                      .arg(Text::tr("%n variant(s)", nullptr,
                                    static_cast<int>(std::max<qsizetype>(c.meantCount - 1, 0)))),
            c.key);
        return false;
    }
    return true;
}

std::optional<size_t> Checker::checkVariantItems(const RecordUnderCheck &c)
{
    // The variants, item by item against the lines meant as variants.
    const QStringList shown = items(c.layout);
    size_t j = 0;
    for (size_t i = 0; i < c.layout.variants.size(); ++i) {
        const auto [begin, end] = c.layout.variants[i];
        const int first = lineOf(begin);
        const int last = lineOf(end - 1);
        if (last >= c.record.bodyEnd)
            break; // read on into another record: reported with that record's header
        if (j < c.meant.size() && begin == m_bank.lineStart(c.meant[j])
            && end == m_bank.lineEnd(c.meant[j])) {
            ++j;
            continue;
        }
        bool blankOnly = true;
        for (int l = first; l <= last; ++l)
            blankOnly = blankOnly && m_lines[static_cast<size_t>(l)].kind == LineKind::Blank;
        const int buttons = answerButtons(shown);
        const QString mismatch =
            i + 1 > kMaxAnswerButtons
                ? Text::tr("the program moves button 5 down to it, so variant 5 gets no "
                           "button")
                : Text::tr("from button %1 on the buttons no longer match the variants (%2 "
                           "for %3)")
                      .arg(i + 1)
                      .arg(Text::tr("%n button(s)", nullptr, static_cast<int>(buttons)))
                      .arg(Text::tr("%n variant(s)", nullptr, static_cast<int>(c.meantCount)));
        QString message;
        if (blankOnly) {
            message = Text::tr("%1 read as an extra, empty variant with its own answer "
                               "button: %2")
                          .arg(last > first ? Text::tr("these blank lines are")
                                            : Text::tr("this blank line is"),
                               mismatch);
        } else if (m_lines[static_cast<size_t>(first)].kind == LineKind::Blank) {
            message = Text::tr("blank line inside the variants: the program joins it to the "
                               "variant below it (%1) and places an extra answer button "
                               "beside it: %2")
                          .arg(quote(m_bank.line(last)), mismatch);
        } else {
            message = Text::tr("the program reads the variants differently from here: it "
                               "shows %1 as variant %2")
                          .arg(quote(text(begin, end)))
                          .arg(i + 1);
        }
        if (i + 1 == c.layout.variants.size() && c.layout.end == Layout::End::Blank
            && j < c.meant.size())
            message += Text::tr("; the variant list ends there, so %1")
                           .arg(notShown(c.meant[j] + 1, c.meant.back() + 1));
        add(first, QStringLiteral("question.blank-line"), message, c.key);
        return std::nullopt;
    }
    return j;
}

void Checker::checkVariantsCut(const RecordUnderCheck &c, size_t j)
{
    if (j < c.meant.size()) {
        // The list stopped before the last line meant as a variant.
        int at = c.meant[j];
        if (c.layout.end == Layout::End::TicketWord) {
            for (int l = lineOf(c.layout.stop.first); l <= lineOf(c.layout.stop.second - 1); ++l)
                if (bank::containsTicketWord(m_bank.line(l)))
                    at = l;
            QString message =
                Text::tr("this variant contains «билет», which ends the variant list: the "
                         "program shows only %1, and %2")
                    .arg(j == 0 ? Text::tr("the question, no variant")
                                : Text::tr("%n variant(s)", nullptr, static_cast<int>(j)),
                         notShown(at + 1, c.meant.back() + 1));
            if (!c.after.empty() && c.after.front() - '0' > static_cast<int>(j)
                && c.after.front() - '0' <= c.meantCount)
                message += Text::tr("; the right answer %1 has no button, so the question "
                                    "cannot be answered right")
                               .arg(QLatin1Char(c.after.front()));
            add(at, QStringLiteral("question.ticket-word"), message, c.key);
        } else {
            add(at, QStringLiteral("question.variants"),
                Text::tr("the program stops reading the variants before this line: it shows "
                         "only %1 of %2")
                    .arg(j)
                    .arg(c.meant.size()),
                c.key);
        }
        return;
    }
}

void Checker::checkVariantCount(const RecordUnderCheck &c)
{
    if (c.meantCount < 2) {
        add(c.record.header, QStringLiteral("question.too-few"),
            c.meantCount == 0
                ? Text::tr("the record has no variants: the program shows no answer button, "
                           "so the question cannot be answered")
                : Text::tr("the record has only 1 variant: the program shows a single "
                           "answer button%1")
                      .arg(c.after.front() > '1' && c.after.front() <= '5'
                               ? Text::tr(", and the right answer %1 has none, so the "
                                          "question cannot be answered right")
                                     .arg(QLatin1Char(c.after.front()))
                               : QString()),
            c.key);
    } else if (c.meantCount > kMaxAnswerButtons) {
        add(c.record.header, QStringLiteral("question.too-many"),
            Text::tr("the record has %1 variants, but there are 5 answer buttons: the "
                     "program moves button 5 on to the last variant, so %2 no button")
                .arg(c.meantCount)
                .arg(c.meantCount == 6 ? Text::tr("variant 5 gets")
                                       : Text::tr("variants 5-%1 get").arg(c.meantCount - 1)),
            c.key);
    }
}

void Checker::checkRecord(int r)
{
    const RecordUnderCheck c = recordUnderCheck(r);
    checkHeaderStart(c);
    checkHeaderLength(c);
    checkAnswerDigit(c);
    if (c.after.size() != 1 || !checkQuestionLine(c))
        return;
    const std::optional<size_t> matched = checkVariantItems(c);
    if (!matched)
        return;
    if (*matched < c.meant.size())
        checkVariantsCut(c, *matched);
    else
        checkVariantCount(c);
}

void Checker::checkEnd()
{
    if (m_records.empty() || m_terminator >= 0 || !m_behindNul.empty())
        return;
    const Record &last = m_records.back();
    int line = m_bank.lineCount() - 1;
    while (line > last.header && m_lines[static_cast<size_t>(line)].kind == LineKind::Blank)
        --line;
    add(line, QStringLiteral("question.no-terminator"),
        Text::tr("no line containing «билет» (such as «билет конец») follows the last "
                 "record %1: the program ends its variant list only because the file "
                 "ends here")
            .arg(recordName(static_cast<int>(m_records.size()) - 1)),
        last.primary ? last.key : -1);
}

void Checker::summarise()
{
    for (int key = 0; key < keyCount(); ++key) {
        const Layout &layout = m_layouts[static_cast<size_t>(key)];
        if (layout.key == npos)
            continue;
        QuestionSummary summary;
        summary.ticket = ticketText(key);
        summary.question = questionText(key);
        summary.line = lineOf(layout.key) + 1;
        if (layout.answer != npos)
            summary.answer = files::fromCp1251(text(layout.answer, layout.answer + 1));
        const int r = m_recordOfKey[static_cast<size_t>(key)];
        if (r >= 0)
            summary.variants =
                static_cast<int>(meantVariants(m_records[static_cast<size_t>(r)]).size());
        summary.good = r >= 0 && !m_flagged.count(key);
        m_result.questions.push_back(summary);
    }
    QStringList lost;
    if (!m_behindNul.empty() && !m_records.empty())
        lost << Text::tr("the record %1 is cut short there")
                    .arg(recordName(static_cast<int>(m_records.size()) - 1));
    if (!m_lostBehindNul.empty()) {
        const int first = *m_lostBehindNul.begin();
        const int last = *m_lostBehindNul.rbegin();
        lost << (m_lostBehindNul.size() == 1
                     ? Text::tr("the record of %1 behind it is lost").arg(keyText(first))
                     : Text::tr("%1 behind it are lost (%2 to %3)")
                           .arg(Text::tr("%n record(s)", nullptr,
                                         static_cast<int>((m_lostBehindNul.size()))),
                                keyText(first), keyText(last)));
    }
    m_result.lostBehindNul = lost.join(QStringLiteral("; "));
}

QuestionCheck Checker::run()
{
    classifyLines();
    lookUp();
    placeMissing();
    // The record that a NUL byte cuts short is told with the NUL byte.
    const int cut = m_behindNul.empty() ? -1 : static_cast<int>(m_records.size()) - 1;
    for (int r = 0; r < static_cast<int>(m_records.size()); ++r) {
        const Record &record = m_records[static_cast<size_t>(r)];
        if (r == cut) {
            m_flagged.insert(record.key);
            continue;
        }
        if (m_lines[static_cast<size_t>(record.header)].kind == LineKind::Damaged)
            checkDamaged(r);
        else if (!record.primary || record.key < 0)
            checkOtherHeader(r);
        else
            checkRecord(r);
    }
    // A key that the lookup finds inside a line rather than at its header.
    for (int key = 0; key < keyCount(); ++key) {
        const Layout &layout = m_layouts[static_cast<size_t>(key)];
        if (layout.key == npos || m_recordOfKey[static_cast<size_t>(key)] >= 0)
            continue;
        add(lineOf(layout.key), QStringLiteral("question.key-inside"),
            Text::tr("%1 occurs inside this line, after another key: the program reads the "
                     "record of %2 from here")
                .arg(keyText(key), position(key)),
            key);
    }
    checkEnd();
    summarise();
    m_result.findings = takeFindings();
    return std::move(m_result);
}

} // namespace

int answerButtons(const QStringList &items)
{
    if (items.isEmpty())
        return 0;
    const QStringList lines =
        files::displayText(practice::variantAreaText(items)).split(QLatin1Char('\n'));
    const qsizetype counted = lines.size() - (lines.constLast().isEmpty() ? 1 : 0);
    std::vector<bool> empty;
    for (qsizetype i = 0; i <= counted; ++i)
        empty.push_back(i >= lines.size() || lines.at(i).isEmpty());
    std::set<int> buttons;
    for (const auto &place : practice::placeButtons(empty))
        buttons.insert(place.button);
    return static_cast<int>(std::min<size_t>(buttons.size(), kMaxAnswerButtons));
}

std::optional<Scope> partialSet(const BankText &bank, const Scope &scope)
{
    Scope present{0, 0};
    for (int t = 1; t <= scope.tickets; ++t)
        for (int q = 1; q <= scope.questions; ++q)
            if (!bank.keyOccurrences(std::string(kTicketWord)
                                     + (twoDigits(t) + twoDigits(q)).toStdString())
                     .empty()) {
                present.tickets = std::max(present.tickets, t);
                present.questions = std::max(present.questions, q);
            }
    if (present.tickets == 0
        || (present.tickets == scope.tickets && present.questions == scope.questions))
        return std::nullopt;
    return present;
}

QuestionCheck checkQuestions(const QString &file, const BankText &bank, const Scope &scope,
                             std::string_view behindNul)
{
    return Checker(file, bank, scope, behindNul).run();
}

} // namespace quz::check
