#pragma once
// Random definition sources for the tests: every block kind with the written
// forms that are easy to lose (hexadecimal IDs, quoted texts full of
// separators, escapes, Shift-JIS, size ranges, links to names that name
// nothing). Seeded, so a failure names its seed and repeats.

#include <random>
#include <string>

namespace zor::edit::test {

class SourceGenerator {
  public:
    // `wide` entries more in every list, to reach past what the editors show.
    explicit SourceGenerator(unsigned seed, int wide = 0) : wide_(wide), rng_(seed) {}

    std::string source();

  private:
    int pick(int lo, int hi);
    std::string id(int i);
    std::string format_name();
    std::string spec();
    std::string text();
    std::string variable(const char* keyword, const char* key, int i);

    int wide_;
    std::mt19937 rng_;
};

// The same source laid out as people write it and as the compiler still
// reads it: comments of every form before, between and after blocks and on
// item lines, blank lines, odd indentation and alignment, upper-case
// keywords, an ID line moved down, text after a closing brace, a stray line
// the compiler skips with the block-less lines after it, LEND variables
// between REV_NO switches, LF line ends, no line end at the end.
std::string hostile_layout(const std::string& source, unsigned seed);

}  // namespace zor::edit::test
