// Settings text: parse arbitrary bytes, read, write one key, serialise and
// parse again. Checks that the written value reads back, that no other value
// moves, and that serialising is stable.
#include "core/settings/ini_file.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

using namespace quz::settings;

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

struct Probe {
    const char *section;
    const char *key;
};

constexpr Probe kProbes[] = {
    {"SCR", "left"},   {"scr", "LEFT"},    {"prg", "nBilet"},
    {"prg", "WavErr"}, {"prog", "WavErr"}, {"\xd0\xe0\xe7\xe4\xe5\xeb", "\xea\xeb\xfe\xf7"},
    {"", "k"},
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::string_view input(reinterpret_cast<const char *>(data), size);
    // The first byte picks the key to write and how much of the input is the
    // value; the rest is the settings text.
    const unsigned char selector = input.empty() ? 0 : static_cast<unsigned char>(input[0]);
    const std::string_view text = input.empty() ? input : input.substr(1);
    const Probe &target = kProbes[selector % (sizeof kProbes / sizeof *kProbes)];
    std::string value(text.substr(0, selector % 32));
    if (const std::size_t cut = value.find_first_of("\r\n"); cut != std::string::npos)
        value.resize(cut);

    IniDocument doc = IniDocument::parse(text);
    std::optional<std::string> before[sizeof kProbes / sizeof *kProbes];
    for (std::size_t i = 0; i < sizeof kProbes / sizeof *kProbes; ++i) {
        before[i] = doc.value(kProbes[i].section, kProbes[i].key);
        if (before[i]) {
            check(before[i]->size() <= kMaxValueLength);
            if (const std::optional<int32_t> n = parseInteger(*before[i]))
                check(parseInteger(std::to_string(*n)) == n);
        }
    }

    doc.set(target.section, target.key, value);
    const std::string written = doc.serialise();
    const IniDocument again = IniDocument::parse(written);
    check(again.serialise() == written);
    check(again.value(target.section, target.key) == value);
    for (std::size_t i = 0; i < sizeof kProbes / sizeof *kProbes; ++i) {
        if (!namesEqual(kProbes[i].section, target.section)
            || !namesEqual(kProbes[i].key, target.key))
            check(again.value(kProbes[i].section, kProbes[i].key) == before[i]);
    }
    return 0;
}
