// Runs a fuzz target without libFuzzer: the files named on the command line
// (its seed corpus) as they are, then a fixed, seeded stream of inputs made
// from random bytes and from mutations of those files.
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

// Words that the parsers care about, so that random inputs reach deep paths.
// clang-format off
static const char *const kTokens[] = {
    "\r\n", "\n", "\r", "[", "]", "=", "\"", "'", "$", "0x", "-", " ",
    "\xe1\xe8\xeb\xe5\xf2", // the word for "ticket" in Windows-1251
    "0101", "1", "20", "\xff\xd8", "\xff\xd9", "\xff\xc0", "\0"};
// clang-format on

int main(int argc, char **argv)
{
    std::mt19937 rng(20040101);
    std::vector<std::string> seeds;
    for (int i = 1; i < argc; ++i) {
        std::ifstream in(argv[i], std::ios::binary);
        seeds.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    for (const std::string &seed : seeds)
        LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t *>(seed.data()), seed.size());
    const int rounds = 20000;
    for (int round = 0; round < rounds; ++round) {
        std::string input;
        if (!seeds.empty() && round % 2 == 0)
            input = seeds[round % seeds.size()];
        const int pieces = static_cast<int>(rng() % 40);
        for (int p = 0; p < pieces; ++p) {
            const unsigned kind = rng() % 3;
            const size_t at = input.empty() ? 0 : rng() % (input.size() + 1);
            std::string piece;
            if (kind == 0)
                piece = kTokens[rng() % (sizeof kTokens / sizeof *kTokens)];
            else
                piece.assign(1 + rng() % 8, static_cast<char>(rng() % 256));
            if (kind == 2 && !input.empty())
                input.erase(at, std::min<size_t>(piece.size(), input.size() - at));
            else
                input.insert(at, piece);
        }
        LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t *>(input.data()), input.size());
    }
    std::printf("%zu seeds and %d inputs, no failure\n", seeds.size(), rounds);
    return 0;
}
