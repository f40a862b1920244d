#pragma once
// Splits a fuzz input into the texts a target needs: the first lines (up to
// a line feed each, at most 32 bytes) are the ticket and question texts as
// the windows would pass them, the rest is the file's content. Seeds in
// fuzz/corpus are written in this form ("01\n07\n<file>").

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace quz::fuzz {

struct Input {
    std::string_view rest;
    explicit Input(const uint8_t *data, size_t size)
        : rest(reinterpret_cast<const char *>(data), size)
    {}

    // The next line (without its line feed), cut to 32 bytes.
    std::string_view line()
    {
        const size_t end = rest.find('\n');
        std::string_view text = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
        return text.substr(0, 32);
    }
};

} // namespace quz::fuzz
