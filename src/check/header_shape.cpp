#include "check/header_shape.h"

namespace quz::check {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The letters of the ticket word in either case (Windows-1251), and the Latin
// letters and the digit that look like them.
bool looksLikeLetter(unsigned char c, int i)
{
    switch (i) {
    case 0: return c == 0xe1 || c == 0xc1 || c == '6';
    case 1: return c == 0xe8 || c == 0xc8 || c == 'u' || c == 'U';
    case 2: return c == 0xeb || c == 0xcb;
    case 3: return c == 0xe5 || c == 0xc5 || c == 0xb8 || c == 0xa8 || c == 'e' || c == 'E';
    case 4: return c == 0xf2 || c == 0xd2 || c == 'T' || c == 'm';
    }
    return false;
}

bool isSeparator(unsigned char c)
{
    return c <= 0x20 || c == '-' || c == '_' || c == '#' || c == ':' || c == '.'
           || c == 0xb9; // the numero sign
}

} // namespace

bool looksLikeHeader(std::string_view line, std::string &digits, size_t maxDigits)
{
    digits.clear();
    size_t i = 0;
    while (i < line.size() && static_cast<unsigned char>(line[i]) <= 0x20)
        ++i;
    for (int letter = 0; letter < 5; ++letter, ++i)
        if (i >= line.size() || !looksLikeLetter(static_cast<unsigned char>(line[i]), letter))
            return false;
    while (i < line.size() && isSeparator(static_cast<unsigned char>(line[i])))
        ++i;
    if (i >= line.size() || !isDigit(line[i]))
        return false;
    for (; i < line.size() && digits.size() < maxDigits; ++i) {
        if (isDigit(line[i]))
            digits += line[i];
        else if (static_cast<unsigned char>(line[i]) > 0x20)
            break;
    }
    return true;
}

} // namespace quz::check
