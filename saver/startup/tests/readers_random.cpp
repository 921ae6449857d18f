// A bounded randomized run of the readers' fuzz target, for builds without
// libFuzzer: inputs drawn from the characters the readers treat specially,
// with a fixed seed so a failure repeats. Runs under the sanitizers natively.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main(int argc, char** argv) {
    const long runs = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 200000;
    // Backslashes, Shift-JIS lead bytes (83, 95) and bytes that are both a
    // possible second byte and something else (5C, 41) for the path readers.
    static const char kAlphabet[] = "0123456789 \t\r\n.+-\"/:\\pPsScCaAxe\x82\x83\x95\x5C\xA0\xFF\x00";
    std::mt19937 random(20261208);
    std::uniform_int_distribution<std::size_t> length(0, 40);
    std::uniform_int_distribution<std::size_t> pick(0, sizeof kAlphabet - 1);  // includes the NUL
    std::uniform_int_distribution<int> any_byte(0, 255);
    std::uniform_int_distribution<int> percent(0, 99);
    for (long run = 0; run < runs; ++run) {
        std::string input;
        const std::size_t n = length(random);
        for (std::size_t i = 0; i < n; ++i)
            input += percent(random) < 90 ? kAlphabet[pick(random)] : static_cast<char>(any_byte(random));
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(input.data()), input.size());
    }
    std::printf("%ld inputs checked\n", runs);
    return 0;
}
