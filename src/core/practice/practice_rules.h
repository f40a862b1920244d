#pragma once
// The decisions of the main window that need no display: the number texts of
// ticket and question, the practised range, the advance to the next question
// with its random ticket generator, the number editor's commit value, the
// placement of the answer buttons beside the variants and one step of the
// caption animation. The window reads its controls, calls these functions and
// writes the results back; nothing here touches a widget or keeps state of its
// own (apart from the generator's seed, which the window owns).

#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

namespace quz::practice {

inline constexpr int kTicketCount = 40;
inline constexpr int kQuestionsPerTicket = 20;

// Brings a number text to two digits: a text of exactly one character gets a
// "0" in front; any other text, the empty one included, is returned unchanged.
QString addZero(const QString &number);

// The practised range of question numbers. The spin buttons keep both values
// in 1..20 and the start not above the end.
struct Range {
    int start = 1;
    int end = kQuestionsPerTicket;
};

// start + 1, at most 20; an end below the new start is pulled up to it.
Range startUp(Range r);
// start - 1, at least 1.
Range startDown(Range r);
// end + 1, at most 20.
Range endUp(Range r);
// end - 1, at least 1; a start above the new end is pulled down to it.
Range endDown(Range r);

// Clamps the question number into the range as the range display does: the
// question text is compared as an integer; below `start` it becomes
// `startText`, and then, above `end`, it becomes `endText`. A text inside the
// range is returned exactly as given (no two-digit rule). A text that is not a
// decimal number counts as below the range, so it becomes `startText` and the
// next lookup has a real question to find.
QString clampQuestion(const QString &question, int start, int end, const QString &startText,
                      const QString &endText);

// The program's one random generator of ticket numbers: a linear congruential
// generator over an unsigned 32-bit seed, never reseeded, so every run of the
// program draws the same sequence.
class RandomGenerator {
public:
    explicit RandomGenerator(uint32_t seed = 0);
    // Moves the seed on (seed * 134775813 + 1 mod 2^32) and returns the upper
    // 32 bits of seed * bound, a value in 0..bound-1 (0 for a bound of 0).
    uint32_t next(uint32_t bound);
    uint32_t seed() const;

private:
    uint32_t m_seed;
};

// Ticket and question number as the window shows them.
struct Position {
    QString ticket;
    QString question;
};

// The position after a right answer: the next question of the same ticket, or,
// past the range end, the range start of the next ticket. The next ticket is
// the current one + 1 ("01" after 40), or with `random` the first draw of
// bound 41 that is at least 1 and differs from the current ticket. Both texts
// leave with the two-digit rule applied. Texts that are not numbers (a
// hand-edited settings file) are handled soundly: a ticket that is not a
// number counts as 0, so the next one in order is "01"; a question that is not
// a number moves to the range start of the same ticket; a new ticket below 1
// becomes "01" as well.
Position advance(const Position &current, Range range, bool random, RandomGenerator &rng);

// The value the number editor commits: its text read as a decimal number. A
// text that is not a number gives the minimum 1; values are kept within
// 1..`maximum`, so the question lookup always has a question to find.
int editorValue(const QString &text, int maximum);

// One answer button placed beside a variant: `button` is 1..5, `top` the
// button's top within the variant panel.
struct ButtonPlace {
    int button;
    int top;
};

// Places the answer buttons beside the empty display lines of the variant
// area. `lineIsEmpty` has one entry per display line, 0 up to and including
// the line count, so the final empty line is visited too. Each empty line L
// takes the next button, at 5 * L + 8 * previous + 6 (8 px less for the first
// button), where previous is the empty line of the button before (0 for the
// first). The sixth and every later empty line take button 5 again.
std::vector<ButtonPlace> placeButtons(const std::vector<bool> &lineIsEmpty);

// Height of the variant panel with automatic size: room for the counted lines
// and the final empty line at 13 px each, plus 10 px.
int autoPanelHeight(int lineCount);

// The text of the variant area: every item followed by one more line break,
// so that a blank line separates the variants, with the blank after the last
// variant removed again; the text ends with the last variant and one line
// break. Items normally end with their own CR LF. When the last item lacks it,
// the line after it is not blank and is kept, so no variant text is lost.
QString variantAreaText(const QStringList &items);

// One tick of the caption animation. The caption is lower-cased; `position`
// (1-based) moves on by one and wraps to 1 past length - 19 (and from any
// value below 1); the character at the new position, or the one after it when
// that is a space, is upper-cased. `position` keeps the new value, also when
// it stands on a space. A caption too short to hold the position is returned
// lower-cased without reading past its end.
QString titleAnimationStep(const QString &caption, int &position);

} // namespace quz::practice
