#include "core/practice/practice_rules.h"

#include <algorithm>
#include <cstdint>
#include <optional>

namespace quz::practice {

namespace {

const QString kLineBreak = QStringLiteral("\r\n");

// The number a caption or editor text stands for, if it is a decimal number.
std::optional<int> decimalValue(const QString &text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok, 10);
    if (!ok)
        return std::nullopt;
    return value;
}

// The range values come from the settings file as any 32-bit numbers; one
// step is taken in 64 bits, so that the largest and the smallest do not
// overflow, and kept within int.
int stepped(int value, int step)
{
    return static_cast<int>(std::clamp<int64_t>(int64_t{value} + step, INT32_MIN, INT32_MAX));
}

} // namespace

QString addZero(const QString &number)
{
    if (number.size() == 1)
        return QLatin1Char('0') + number;
    return number;
}

Range startUp(Range r)
{
    r.start = std::min(stepped(r.start, +1), kQuestionsPerTicket);
    if (r.end < r.start)
        r.end = r.start;
    return r;
}

Range startDown(Range r)
{
    r.start = std::max(stepped(r.start, -1), 1);
    return r;
}

Range endUp(Range r)
{
    r.end = std::min(stepped(r.end, +1), kQuestionsPerTicket);
    return r;
}

Range endDown(Range r)
{
    r.end = std::max(stepped(r.end, -1), 1);
    if (r.start > r.end)
        r.start = r.end;
    return r;
}

QString clampQuestion(const QString &question, int start, int end, const QString &startText,
                      const QString &endText)
{
    QString result = question;
    const std::optional<int> value = decimalValue(result);
    if (!value || *value < start)
        result = startText;
    const std::optional<int> clamped = decimalValue(result);
    if (clamped && *clamped > end)
        result = endText;
    return result;
}

RandomGenerator::RandomGenerator(uint32_t seed)
    : m_seed(seed)
{}

uint32_t RandomGenerator::next(uint32_t bound)
{
    m_seed = m_seed * 134775813u + 1u;
    return static_cast<uint32_t>((static_cast<uint64_t>(m_seed) * bound) >> 32);
}

uint32_t RandomGenerator::seed() const { return m_seed; }

Position advance(const Position &current, Range range, bool random, RandomGenerator &rng)
{
    Position result = current;
    const std::optional<int> question = decimalValue(current.question);
    // In 64 bits: the question text may hold the largest int.
    int64_t next = question ? int64_t{*question} + 1 : range.start;

    if (next > range.end) {
        const int ticket = decimalValue(current.ticket).value_or(0);
        int64_t newTicket = 0;
        if (random) {
            // Bound 41 gives 0..40; 0 and the current ticket are drawn again.
            do {
                newTicket = rng.next(kTicketCount + 1);
            } while (newTicket == ticket || newTicket < 1);
        } else {
            newTicket = int64_t{ticket} + 1;
        }
        if (newTicket > kTicketCount || newTicket < 1)
            result.ticket = QStringLiteral("01");
        else
            result.ticket = QString::number(newTicket);
        next = range.start;
    }

    result.question = QString::number(next);
    result.ticket = addZero(result.ticket);
    result.question = addZero(result.question);
    return result;
}

int editorValue(const QString &text, int maximum)
{
    const int value = decimalValue(text).value_or(1);
    return std::clamp(value, 1, std::max(maximum, 1));
}

std::vector<ButtonPlace> placeButtons(const std::vector<bool> &lineIsEmpty)
{
    std::vector<ButtonPlace> places;
    int cursor = 0;
    int k = 1;
    for (int line = 0; line < static_cast<int>(lineIsEmpty.size()); ++line) {
        if (!lineIsEmpty[static_cast<size_t>(line)])
            continue;
        int top = 5 * line + 8 * cursor + 6;
        if (k == 1)
            top -= 8;
        places.push_back({std::min(k, 5), top});
        cursor = line;
        ++k;
    }
    return places;
}

int autoPanelHeight(int lineCount) { return (lineCount + 1) * 13 + 10; }

QString variantAreaText(const QStringList &items)
{
    QString text;
    for (const QString &item : items)
        text += item + kLineBreak;

    // The last counted line is the one that the final line break closes; it is
    // removed only when it is the blank line added after the last item.
    if (text == kLineBreak || text.endsWith(kLineBreak + kLineBreak))
        text.chop(kLineBreak.size());
    return text;
}

QString titleAnimationStep(const QString &caption, int &position)
{
    QString result = caption.toLower();

    const qsizetype last = result.size() - 19;
    const int next = (position < 0 || position >= last) ? 1 : position + 1;
    position = next;

    qsizetype index = next - 1;
    if (index < result.size() && result.at(index) == QLatin1Char(' '))
        ++index;
    if (index < result.size())
        result[index] = result.at(index).toUpper();
    return result;
}

} // namespace quz::practice
