#include "check/comment_check.h"

#include "check/bank_checker.h"
#include "check/header_shape.h"
#include "check/wording.h"
#include "core/bank/comment_bank.h"

#include <algorithm>
#include <map>
#include <set>

namespace quz::check {

namespace {

using Layout = bank::CommentLayout;
constexpr size_t npos = std::string_view::npos;

enum class LineKind {
    Other,
    Header,  // "билет" + two digits at the start of the line
    Damaged, // looks like a header, but the program does not read it as one
    Number,  // digits and a full stop at the start of the line
};

struct Line {
    LineKind kind = LineKind::Other;
    int ticket = -1;      // Header, Damaged
    int number = -1;      // Number: its value (-1 when too long)
    bool exact = false;   // Number: "N. " with N as the program writes it
    bool endForm = false; // Number: "N." with N as the program writes it
};

Line classify(std::string_view text)
{
    Line line;
    if (text.substr(0, kTicketWord.size()) == kTicketWord && text.size() >= 7 && isDigit(text[5])
        && isDigit(text[6])) {
        line.kind = LineKind::Header;
        line.ticket = (text[5] - '0') * 10 + (text[6] - '0');
        return line;
    }
    std::string digits;
    if (looksLikeHeader(text, digits, 2)) {
        line.kind = LineKind::Damaged;
        line.ticket = std::stoi(digits);
        return line;
    }
    size_t i = 0;
    while (i < text.size() && isDigit(text[i]))
        ++i;
    if (i == 0 || i >= text.size() || text[i] != '.')
        return line;
    line.kind = LineKind::Number;
    if (i <= 6) {
        line.number = std::stoi(std::string(text.substr(0, i)));
        const bool written = std::to_string(line.number) == text.substr(0, i);
        line.endForm = written;
        line.exact = written && i + 1 < text.size() && text[i + 1] == ' ';
    }
    return line;
}

// A run of lines whose comments are read together: under a header, before
// the first header (the title), or split off where the numbering starts again
// with no header before it.
struct Section {
    enum class Kind { Title, Header, Damaged, Orphan };
    Kind kind = Kind::Title;
    int first = 0; // the header line, or the first line
    int end = 0;   // first line after the section
    int ticket = -1;
    bool primary = false; // the header the program finds for its ticket
};

// Comment number (or the one after the last question) -> the line that
// starts it, as a section means its comments.
using CommentLines = std::map<int, int>;

class Checker : BankChecker {
public:
    Checker(const QString &file, const BankText &bank, const Scope &scope,
            std::string_view behindNul, int askedTickets)
        : BankChecker(file, bank, scope, behindNul)
        , m_askedTickets(std::max(askedTickets, scope.tickets))
    {}

    CommentCheck run();

private:
    struct Issue {
        enum class Kind { None, Missing, Malformed, Shadow, NoEnd, Early, RunOn };
        Kind kind = Kind::None;
        int line = 0;
        bool absorbed = false;
    };

    // Whether the program asks `ticket` (a partial set asks more tickets than
    // it must have).
    bool inScope(int ticket) const { return ticket >= 1 && ticket <= m_askedTickets; }
    int sectionAt(int line) const;
    // "ticket 06 (line 40)", "the lines before the first header", ...
    QString whereIs(int line) const;
    Layout lookUp(int ticket, int number) const;

    void buildSections();
    CommentLines orderComments(const Section &section) const;
    void placeTickets();
    // Reports the tickets without a header that follow section `s` (-1: at
    // the start): by the comments that look like theirs, by the damaged or
    // stray header after them, or as missing.
    void placeGroup(int s, std::vector<int> &tickets);
    void reportMissingTickets(const std::vector<int> &tickets, int line, const QString &where);
    QString effectOfMissingHeader(int ticket) const;
    void checkHeaders();
    struct TicketUnderCheck;
    void checkTicket(int ticket, int sectionIndex);
    // How comment `n` of the ticket is misread, if it is (its layout goes
    // into `t`).
    Issue issueOf(TicketUnderCheck &t, int n) const;
    // Marks the issues that are told with the comment after them.
    void absorbIssues(std::vector<Issue> &issues) const;
    QString runOnText(const TicketUnderCheck &t, int n) const;
    // Reports the issue of comment `n`; the last comment it tells of.
    int reportIssue(const TicketUnderCheck &t, int n);
    // Comment `n` and the missing ones right after it, in one finding; the
    // last of them.
    int reportMissing(const TicketUnderCheck &t, int n, const QString &runOn);
    void reportShadow(const TicketUnderCheck &t, int n);
    // Lines below the start of a comment of the ticket that begin with its
    // number again: a number given twice.
    void reportNumbersTwice(const TicketUnderCheck &t);
    QString foundInstead(int ticket, int number, int ownSection) const;

    CommentCheck m_result;
    int m_askedTickets;

    std::vector<Line> m_lines;
    std::vector<Section> m_sections;
    std::vector<int> m_ticketSection;    // ticket - 1 -> section the program reads, -1 none
    std::map<int, int> m_probableTicket; // misleading header section -> ticket it stands for
    std::set<int> m_lostBehindNul;
};

int Checker::sectionAt(int line) const
{
    const auto it = std::upper_bound(m_sections.begin(), m_sections.end(), line,
                                     [](int l, const Section &s) { return l < s.first; });
    if (it == m_sections.begin())
        return -1;
    const auto s = static_cast<int>(it - m_sections.begin()) - 1;
    return line < m_sections[static_cast<size_t>(s)].end ? s : -1;
}

QString Checker::whereIs(int line) const
{
    const int s = sectionAt(line);
    if (s < 0)
        return Text::tr("line %1").arg(line + 1);
    const Section &section = m_sections[static_cast<size_t>(s)];
    switch (section.kind) {
    case Section::Kind::Header:
        return Text::tr("ticket %1 (line %2)").arg(twoDigits(section.ticket)).arg(line + 1);
    case Section::Kind::Title:
        return Text::tr("the lines before the first header (line %1)").arg(line + 1);
    default: return Text::tr("line %1").arg(line + 1);
    }
}

Layout Checker::lookUp(int ticket, int number) const
{
    return bank::locateComment(m_bank.view(), twoDigits(ticket).toStdString(),
                               std::to_string(number), m_bank.search());
}

void Checker::buildSections()
{
    const int lines = m_bank.lineCount();
    m_lines.reserve(static_cast<size_t>(lines));
    for (int i = 0; i < lines; ++i)
        m_lines.push_back(classify(m_bank.line(i)));

    // Header sections, and the title before them.
    std::vector<Section> plain;
    if (lines > 0 && m_lines[0].kind != LineKind::Header && m_lines[0].kind != LineKind::Damaged)
        plain.push_back(Section{Section::Kind::Title, 0, lines});
    for (int i = 0; i < lines; ++i) {
        const Line &line = m_lines[static_cast<size_t>(i)];
        if (line.kind != LineKind::Header && line.kind != LineKind::Damaged)
            continue;
        if (!plain.empty())
            plain.back().end = i;
        Section section;
        section.kind =
            line.kind == LineKind::Header ? Section::Kind::Header : Section::Kind::Damaged;
        section.first = i;
        section.end = lines;
        section.ticket = line.ticket;
        plain.push_back(section);
    }

    // A comment 1 after the last questions' numbers, with no header before
    // it, starts the comments of a ticket whose header is missing.
    const int last = m_scope.questions;
    for (const Section &section : plain) {
        m_sections.push_back(section);
        int highest = 0;
        const int from = section.kind == Section::Kind::Title ? section.first : section.first + 1;
        bool title = section.kind == Section::Kind::Title;
        for (int i = from; i < section.end; ++i) {
            const Line &line = m_lines[static_cast<size_t>(i)];
            if (line.kind != LineKind::Number)
                continue;
            if (line.exact && line.number == 1 && (highest >= last || title)) {
                m_sections.back().end = i;
                m_sections.push_back(Section{Section::Kind::Orphan, i, section.end});
                highest = 0;
                title = false;
            }
            highest = std::max(highest, line.number);
        }
    }
    // An orphan split off the title at its very first line replaces the title.
    m_sections.erase(std::remove_if(m_sections.begin(), m_sections.end(),
                                    [](const Section &s) { return s.end <= s.first; }),
                     m_sections.end());
}

// The comments a section means: the longest run of numbered lines whose
// numbers rise, counting "N. " double (so that a rule number such as "8.1"
// inside a comment is not taken for the start of comment 8), the first of
// equal runs winning as the program's search does.
CommentLines Checker::orderComments(const Section &section) const
{
    const int top = m_scope.questions + 1;
    const int from = section.kind == Section::Kind::Header || section.kind == Section::Kind::Damaged
                         ? section.first + 1
                         : section.first;
    struct Item {
        int line;
        int number;
        int score;
        int previous;
    };
    std::vector<Item> items;
    // Best run ending in each number so far, as an item index.
    std::vector<int> bestEnding(static_cast<size_t>(top) + 1, -1);
    for (int i = from; i < section.end; ++i) {
        const Line &line = m_lines[static_cast<size_t>(i)];
        if (line.kind != LineKind::Number || line.number < 1 || line.number > top)
            continue;
        const bool counts = line.number == top ? line.endForm : line.exact;
        int previous = -1;
        for (int n = 1; n < line.number; ++n) {
            const int candidate = bestEnding[static_cast<size_t>(n)];
            if (candidate >= 0
                && (previous < 0
                    || items[static_cast<size_t>(candidate)].score
                           > items[static_cast<size_t>(previous)].score))
                previous = candidate;
        }
        const int score =
            (counts ? 2 : 1) + (previous >= 0 ? items[static_cast<size_t>(previous)].score : 0);
        items.push_back(Item{i, line.number, score, previous});
        int &best = bestEnding[static_cast<size_t>(line.number)];
        if (best < 0 || items[static_cast<size_t>(best)].score < score)
            best = static_cast<int>(items.size()) - 1;
    }
    int end = -1;
    for (const int candidate : bestEnding)
        if (candidate >= 0
            && (end < 0
                || items[static_cast<size_t>(candidate)].score
                       > items[static_cast<size_t>(end)].score))
            end = candidate;
    CommentLines at;
    for (int i = end; i >= 0; i = items[static_cast<size_t>(i)].previous)
        at[items[static_cast<size_t>(i)].number] = items[static_cast<size_t>(i)].line;
    return at;
}

QString Checker::effectOfMissingHeader(int ticket) const
{
    const Layout first = lookUp(ticket, 1);
    QString shown;
    if (first.start != npos)
        shown = Text::tr("shows for comment 1 the one of %1").arg(whereIs(lineOf(first.start + 2)));
    else
        shown = Text::tr("finds no comment 1");
    return Text::tr("the program looks its comments up from the start of the file and ") + shown;
}

void Checker::reportMissingTickets(const std::vector<int> &tickets, int line, const QString &where)
{
    if (tickets.empty())
        return;
    if (tickets.size() == 1) {
        add(line, QStringLiteral("comment.ticket-missing"),
            Text::tr("ticket %1 has no header line «билет%1»%2: %3")
                .arg(twoDigits(tickets.front()), where, effectOfMissingHeader(tickets.front())));
        return;
    }
    add(line, QStringLiteral("comment.ticket-missing"),
        Text::tr("tickets %1 to %2 have no header lines%3: the program looks their comments "
                 "up from the start of the file and shows the same comments for each")
            .arg(twoDigits(tickets.front()), twoDigits(tickets.back()), where));
}

void Checker::placeTickets()
{
    // Headers behind a NUL byte are lost with it.
    for (const int ticket : numbersBehindNul(2))
        m_lostBehindNul.insert(ticket);

    m_ticketSection.assign(static_cast<size_t>(m_askedTickets), -1);
    for (int ticket = 1; ticket <= m_askedTickets; ++ticket) {
        const Layout layout = lookUp(ticket, 1);
        int s = -1;
        if (layout.ticketMarker != npos) {
            s = sectionAt(lineOf(layout.ticketMarker + 2));
        } else if (!m_sections.empty() && m_sections.front().first == 0
                   && m_sections.front().kind == Section::Kind::Header
                   && m_sections.front().ticket == ticket) {
            s = 0; // a header on the first line: the lookup starts there all the same
        }
        m_ticketSection[static_cast<size_t>(ticket - 1)] = s;
        if (s >= 0 && layout.ticketMarker != npos)
            m_sections[static_cast<size_t>(s)].primary = true;
    }

    // Missing tickets, grouped by the ticket before them that has a section.
    std::map<int, std::vector<int>> groups; // section before (-1: none) -> tickets
    int before = -1;
    for (int ticket = 1; ticket <= m_scope.tickets; ++ticket) {
        const int s = m_ticketSection[static_cast<size_t>(ticket - 1)];
        if (s >= 0) {
            before = s;
            continue;
        }
        if (!m_lostBehindNul.count(ticket))
            groups[before].push_back(ticket);
    }
    for (auto &[s, tickets] : groups)
        placeGroup(s, tickets);
}

void Checker::placeGroup(int s, std::vector<int> &tickets)
{
    // Orphan sections split off the section before (or the title) stand
    // for the missing tickets in order.
    std::vector<int> orphans;
    int from = s < 0 ? 0 : s + 1;
    while (from < static_cast<int>(m_sections.size())
           && m_sections[static_cast<size_t>(from)].kind == Section::Kind::Title)
        ++from;
    for (int o = from; o < static_cast<int>(m_sections.size())
                       && m_sections[static_cast<size_t>(o)].kind == Section::Kind::Orphan;
         ++o)
        orphans.push_back(o);
    int next = from + static_cast<int>(orphans.size());
    // The first header section after them (skipping the title).
    while (next < static_cast<int>(m_sections.size())
           && m_sections[static_cast<size_t>(next)].kind == Section::Kind::Title)
        ++next;
    for (size_t k = 0; k < orphans.size() && !tickets.empty(); ++k) {
        const int ticket = tickets.front();
        tickets.erase(tickets.begin());
        const Section &orphan = m_sections[static_cast<size_t>(orphans[k])];
        const Layout first = lookUp(ticket, 1);
        const bool foundHere =
            first.start != npos && sectionAt(lineOf(first.start + 2)) == orphans[k];
        add(orphan.first, QStringLiteral("comment.ticket-missing"),
            Text::tr("no header line «билет%1» before this line: the comments from here "
                     "look like those of ticket %1, but %2")
                .arg(twoDigits(ticket),
                     foundHere ? Text::tr("the program looks them up from the start of "
                                          "the file, which finds these ones only while "
                                          "they come first in the file")
                               : effectOfMissingHeader(ticket)));
    }
    if (tickets.empty())
        return;
    if (next < static_cast<int>(m_sections.size())) {
        const Section &section = m_sections[static_cast<size_t>(next)];
        if (section.kind == Section::Kind::Damaged) {
            auto it = std::find(tickets.begin(), tickets.end(), section.ticket);
            if (it != tickets.end()) {
                m_probableTicket[next] = *it;
                tickets.erase(it);
            }
        } else if (section.kind == Section::Kind::Header
                   && (!section.primary || !inScope(section.ticket))) {
            m_probableTicket[next] = tickets.front();
            tickets.erase(tickets.begin());
        }
    }
    int line = -1;
    QString where;
    if (next < static_cast<int>(m_sections.size())) {
        line = m_sections[static_cast<size_t>(next)].first;
        where = Text::tr(" (expected before this line)");
    } else if (m_bank.lineCount() > 0) {
        line = m_bank.lineCount() - 1;
        where = Text::tr(" (expected after this line)");
    }
    std::vector<int> run;
    for (const int ticket : tickets) {
        if (!run.empty() && ticket != run.back() + 1) {
            reportMissingTickets(run, line, where);
            run.clear();
        }
        run.push_back(ticket);
    }
    reportMissingTickets(run, line, where);
}

void Checker::checkHeaders()
{
    for (int s = 0; s < static_cast<int>(m_sections.size()); ++s) {
        const Section &section = m_sections[static_cast<size_t>(s)];
        const auto probable = m_probableTicket.find(s);
        if (probable == m_probableTicket.end() && section.first > 0
            && ((section.kind == Section::Kind::Damaged
                 && skip(QStringLiteral("comment.header-damaged")))
                || (section.kind == Section::Kind::Header && !inScope(section.ticket)
                    && skip(QStringLiteral("comment.header-out-of-range")))
                || (section.kind == Section::Kind::Header && inScope(section.ticket)
                    && !section.primary && skip(QStringLiteral("comment.header-duplicate")))))
            continue;
        const QString probably =
            probable == m_probableTicket.end()
                ? QString()
                : Text::tr("; it is probably meant to be «билет%1»: ticket %1 has no "
                           "header, so %2")
                      .arg(twoDigits(probable->second), effectOfMissingHeader(probable->second));
        const QString header = quote(m_bank.line(section.first), 24);
        if (section.kind == Section::Kind::Damaged) {
            QString message = Text::tr("%1 is not read as a header: the program only finds "
                                       "«билет» in small Cyrillic letters at the start of "
                                       "a line, directly followed by the two-digit ticket "
                                       "number")
                                  .arg(header);
            if (probable != m_probableTicket.end())
                message +=
                    Text::tr("; ticket %1 has no header, so %2")
                        .arg(twoDigits(probable->second), effectOfMissingHeader(probable->second));
            add(section.first, QStringLiteral("comment.header-damaged"), message);
            continue;
        }
        if (section.kind != Section::Kind::Header)
            continue;
        if (section.first == 0) {
            const int ticket = section.ticket;
            QString message = Text::tr("a header on the first line is not seen: the program "
                                       "looks for a line break before «билет»");
            if (inScope(ticket)) {
                const int used = m_ticketSection[static_cast<size_t>(ticket - 1)];
                if (used > 0)
                    message += Text::tr("; it uses the header of ticket %1 on line %2 "
                                        "instead")
                                   .arg(twoDigits(ticket))
                                   .arg(m_sections[static_cast<size_t>(used)].first + 1);
                else
                    message += Text::tr("; it looks the comments of ticket %1 up from the "
                                        "start of the file, which finds these ones only "
                                        "while they are the first in the file")
                                   .arg(twoDigits(ticket));
            }
            add(0, QStringLiteral("comment.header-first-line"), message);
            continue;
        }
        if (!inScope(section.ticket)) {
            add(section.first, QStringLiteral("comment.header-out-of-range"),
                Text::tr("%1 names no ticket the program asks (01-%2): these comments are "
                         "only found where another ticket's are missing%3")
                    .arg(header, twoDigits(m_askedTickets), probably));
        } else if (!section.primary) {
            const int used = m_ticketSection[static_cast<size_t>(section.ticket - 1)];
            add(section.first, QStringLiteral("comment.header-duplicate"),
                Text::tr("a second header for ticket %1 (the program uses the one on line "
                         "%2): the comments below this one are only found where ticket "
                         "%1's are missing%3")
                    .arg(twoDigits(section.ticket))
                    .arg(used >= 0 ? m_sections[static_cast<size_t>(used)].first + 1 : 0)
                    .arg(probably));
        }
    }
}

QString Checker::foundInstead(int ticket, int number, int ownSection) const
{
    const Layout layout = lookUp(ticket, number);
    if (layout.isEmpty())
        return Text::tr("the program shows an empty comment");
    if (layout.start == npos)
        return Text::tr("the program shows the beginning of the file up to line %1 instead")
            .arg(lineOf(layout.end + 2));
    const int line = lineOf(layout.start + 2);
    if (sectionAt(line) == ownSection)
        return Text::tr("the program takes line %1, which begins with «%2. », as its start")
            .arg(line + 1)
            .arg(number);
    return Text::tr("the program shows the comment %1 of %2 instead")
        .arg(number)
        .arg(whereIs(line));
}

// The comments of one ticket under check.
struct Checker::TicketUnderCheck {
    int ticket;
    int s; // its section
    const Section &section;
    CommentLines at;             // the lines that start its comments, as meant
    std::vector<Issue> issues;   // by comment number
    std::vector<Layout> layouts; // what the lookup yields, by comment number
    QString name;                // "ticket 05"

    // Where comment `number` is meant to end: at the next numbered line of
    // the section's run, or at the section's end.
    int meantEnd(int number) const
    {
        const auto next = at.upper_bound(number);
        return next == at.end() ? section.end : next->second;
    }
};

void Checker::checkTicket(int ticket, int s)
{
    const Section &section = m_sections[static_cast<size_t>(s)];
    const auto count = static_cast<size_t>(m_scope.questions) + 2;
    TicketUnderCheck t{ticket,
                       s,
                       section,
                       orderComments(section),
                       std::vector<Issue>(count),
                       std::vector<Layout>(count),
                       Text::tr("ticket %1").arg(twoDigits(ticket))};
    for (int n = 1; n <= m_scope.questions; ++n)
        t.issues[static_cast<size_t>(n)] = issueOf(t, n);
    absorbIssues(t.issues);
    for (int n = 1; n <= m_scope.questions; ++n)
        if (!t.issues[static_cast<size_t>(n)].absorbed)
            n = reportIssue(t, n);
    reportNumbersTwice(t);
}

void Checker::reportNumbersTwice(const TicketUnderCheck &t)
{
    for (int i = t.section.first + 1; i < t.section.end; ++i) {
        const Line &line = m_lines[static_cast<size_t>(i)];
        if (line.kind != LineKind::Number || !line.exact || line.number < 1
            || line.number > m_scope.questions)
            continue;
        const auto meant = t.at.find(line.number);
        if (meant == t.at.end() || meant->second >= i)
            continue;
        add(i, QStringLiteral("comment.number-twice"),
            Text::tr("this line begins with «%1. » like line %2: %3 has comment %1 twice, "
                     "and the program shows this line as part of the comment on line %2; "
                     "if it is meant to start another comment, write that comment's "
                     "number here")
                .arg(line.number)
                .arg(meant->second + 1)
                .arg(t.name));
    }
}

Checker::Issue Checker::issueOf(TicketUnderCheck &t, int n) const
{
    Issue issue;
    const Layout &layout = t.layouts[static_cast<size_t>(n)] = lookUp(t.ticket, n);
    const auto start = t.at.find(n);
    if (start == t.at.end()) {
        issue.kind = Issue::Kind::Missing;
        issue.line = std::min(t.meantEnd(n), m_bank.lineCount() - 1);
        return issue;
    }
    const int first = start->second;
    if (!m_lines[static_cast<size_t>(first)].exact) {
        issue.kind = Issue::Kind::Malformed;
        issue.line = first;
        return issue;
    }
    const size_t meantStart = m_bank.lineStart(first);
    if (layout.start == npos || layout.start + 2 != meantStart) {
        // The search finds an earlier line that begins the same way.
        issue.kind = Issue::Kind::Shadow;
        issue.line = layout.start == npos ? first : lineOf(layout.start + 2);
        return issue;
    }
    const int end = t.meantEnd(n);
    const size_t meantEndAt = m_bank.lineStart(end);
    if (end < m_bank.lineCount() && layout.end + 2 == meantEndAt)
        return issue;
    issue.line = first;
    if (layout.end == npos)
        issue.kind = Issue::Kind::NoEnd;
    else if (layout.end + 2 < meantEndAt) {
        issue.kind = Issue::Kind::Early;
        issue.line = lineOf(layout.end + 2);
    } else {
        issue.kind = Issue::Kind::RunOn;
    }
    return issue;
}

void Checker::absorbIssues(std::vector<Issue> &issues) const
{
    // A comment that runs on because the next one is missing, or that ends at
    // the line that shadows the next one, is told with that one.
    for (int n = 2; n <= m_scope.questions; ++n) {
        Issue &issue = issues[static_cast<size_t>(n)];
        Issue &before = issues[static_cast<size_t>(n - 1)];
        if ((issue.kind == Issue::Kind::Missing || issue.kind == Issue::Kind::Malformed)
            && (before.kind == Issue::Kind::RunOn || before.kind == Issue::Kind::NoEnd))
            before.absorbed = true;
        if (issue.kind == Issue::Kind::Shadow && before.kind == Issue::Kind::Early
            && before.line == issue.line)
            before.absorbed = true;
    }
}

QString Checker::runOnText(const TicketUnderCheck &t, int n) const
{
    const Layout &layout = t.layouts[static_cast<size_t>(n)];
    const int last = lineOf(layout.end + 1);
    const int from = lineOf(layout.start + 2);
    for (const Section &other : m_sections) {
        if (other.first > from && other.first <= last
            && (other.kind == Section::Kind::Header || other.kind == Section::Kind::Damaged))
            return Text::tr("comment %1 of %2 runs on through the header of %3 up to "
                            "line %4")
                .arg(n)
                .arg(t.name, whereIs(other.first))
                .arg(last + 1);
    }
    return Text::tr("comment %1 of %2 runs on up to line %3").arg(n).arg(t.name).arg(last + 1);
}

int Checker::reportMissing(const TicketUnderCheck &t, int n, const QString &runOn)
{
    const Issue &issue = t.issues[static_cast<size_t>(n)];
    // Consecutive missing comments in one finding.
    int last = n;
    while (last < m_scope.questions
           && t.issues[static_cast<size_t>(last + 1)].kind == Issue::Kind::Missing)
        ++last;
    if (last > n) {
        add(issue.line, QStringLiteral("comment.missing"),
            Text::tr("%1 has no comments %2 to %3 (expected before this line): %4 "
                     "for comment %2%5")
                .arg(t.name)
                .arg(n)
                .arg(last)
                .arg(foundInstead(t.ticket, n, t.s), runOn));
        n = last;
    } else {
        add(issue.line, QStringLiteral("comment.missing"),
            Text::tr("%1 has no comment %2 (expected before this line): %3%4")
                .arg(t.name)
                .arg(n)
                .arg(foundInstead(t.ticket, n, t.s), runOn));
    }
    return last;
}

void Checker::reportShadow(const TicketUnderCheck &t, int n)
{
    const Issue &issue = t.issues[static_cast<size_t>(n)];
    const Issue &before = t.issues[static_cast<size_t>(n - 1)];
    const Layout &layout = t.layouts[static_cast<size_t>(n)];
    QString message =
        Text::tr("this line begins with «%1. » before comment %1 of "
                 "%2 (line %3): the program takes it as the start of "
                 "comment %1 and shows %4 for it")
            .arg(n)
            .arg(t.name)
            .arg(t.at.at(n) + 1)
            .arg(layout.isEmpty() ? Text::tr("an empty text")
                                  : lineRange(issue.line + 1, lineOf(layout.end + 1) + 1));
    if (before.absorbed)
        message += Text::tr("; it also ends comment %1 before it").arg(n - 1);
    add(issue.line, QStringLiteral("comment.shadowed"), message);
}

int Checker::reportIssue(const TicketUnderCheck &t, int n)
{
    const Issue &issue = t.issues[static_cast<size_t>(n)];
    const Issue &before = t.issues[static_cast<size_t>(n - 1)];
    QString runOn;
    if (n > 1 && before.absorbed && before.kind == Issue::Kind::RunOn)
        runOn = QStringLiteral("; ") + runOnText(t, n - 1);
    else if (n > 1 && before.absorbed && before.kind == Issue::Kind::NoEnd)
        runOn = Text::tr("; comment %1 of %2 then has no end and is shown empty")
                    .arg(n - 1)
                    .arg(t.name);
    switch (issue.kind) {
    case Issue::Kind::None: break;
    case Issue::Kind::Missing: return reportMissing(t, n, runOn);
    case Issue::Kind::Malformed:
        add(issue.line, QStringLiteral("comment.start-malformed"),
            Text::tr("comment %1 does not start with «%1. » (the number, a full stop "
                     "and a blank), so the program does not see it start here: %2%3")
                .arg(n)
                .arg(foundInstead(t.ticket, n, t.s), runOn));
        break;
    case Issue::Kind::Shadow: reportShadow(t, n); break;
    case Issue::Kind::NoEnd:
        add(issue.line, QStringLiteral("comment.no-end"),
            Text::tr("comment %1 of %2 has no end: no line beginning «%3.» follows it, "
                     "so the program shows it empty")
                .arg(n)
                .arg(t.name)
                .arg(n + 1));
        break;
    case Issue::Kind::Early:
        add(issue.line, QStringLiteral("comment.early-end"),
            Text::tr("this line begins with «%1.» inside comment %2 of %3: the program "
                     "ends comment %2 before it, so %4")
                .arg(n + 1)
                .arg(n)
                .arg(t.name)
                .arg(notShown(issue.line + 1, t.meantEnd(n))));
        break;
    case Issue::Kind::RunOn:
        add(issue.line, QStringLiteral("comment.runs-on"),
            Text::tr("%1, as no line beginning «%2.» ends it in its ticket")
                .arg(runOnText(t, n))
                .arg(n + 1));
        break;
    }
    return n;
}

CommentCheck Checker::run()
{
    buildSections();
    placeTickets();
    checkHeaders();
    // The ticket whose comments a NUL byte cuts short is told with the NUL.
    const int cut = m_behindNul.empty() ? -1 : sectionAt(m_bank.lineCount() - 1);
    QStringList lost;
    for (int ticket = 1; ticket <= m_scope.tickets; ++ticket) {
        const int s = m_ticketSection[static_cast<size_t>(ticket - 1)];
        if (s >= 0 && s == cut)
            lost
                << Text::tr("the comments of ticket %1 are cut short there").arg(twoDigits(ticket));
        else if (s >= 0)
            checkTicket(ticket, s);
    }
    if (!m_lostBehindNul.empty()) {
        std::vector<int> lostTickets;
        for (const int ticket : m_lostBehindNul)
            if (inScope(ticket) && m_ticketSection[static_cast<size_t>(ticket - 1)] < 0)
                lostTickets.push_back(ticket);
        if (lostTickets.size() == 1)
            lost << Text::tr("the comments of ticket %1 behind it are lost")
                        .arg(twoDigits(lostTickets.front()));
        else if (!lostTickets.empty())
            lost << Text::tr("the comments of tickets %1 to %2 behind it are lost")
                        .arg(twoDigits(lostTickets.front()), twoDigits(lostTickets.back()));
    }
    m_result.lostBehindNul = lost.join(QStringLiteral("; "));
    m_result.findings = takeFindings();
    return std::move(m_result);
}

} // namespace

CommentCheck checkComments(const QString &file, const BankText &bank, const Scope &scope,
                           std::string_view behindNul, int askedTickets)
{
    return Checker(file, bank, scope, behindNul, askedTickets).run();
}

} // namespace quz::check
