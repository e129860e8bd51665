#include "bookview/core/text_search.h"

#include "platform/case_fold.h"
#include "platform/codepages.h"

#include <array>
#include <string>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace lirra {

using platform::foldCase;

bool isWordUnit(char16_t u)
{
    return (u >= u'0' && u <= u'9') || (u >= u'A' && u <= u'Z') || (u >= u'a' && u <= u'z') || u == u'_' ||
           (u >= u'\u00C0' && u <= u'\u024F' && u != u'\u00D7' && u != u'\u00F7') ||
           (u >= u'\u0400' && u <= u'\u04FF');
}

namespace {

// A text and a pattern already mapped to comparison keys (folded or not). at() is asked
// only where the first unit is known to match.
template <class Unit, class Key, class IsWord>
struct Matcher {
    std::basic_string_view<Unit> text;
    std::basic_string_view<Unit> keyedPattern;
    Key key;
    IsWord isWord;
    bool wholeWord;

    bool at(std::size_t pos) const
    {
        for (std::size_t k = 1; k < keyedPattern.size(); ++k)
            if (key(text[pos + k]) != keyedPattern[k])
                return false;
        if (!wholeWord)
            return true;
        const std::size_t after = pos + keyedPattern.size();
        return (pos == 0 || !isWord(text[pos - 1])) && (after >= text.size() || !isWord(text[after]));
    }
};

// --- plain 1251 bytes -------------------------------------------------------------------

struct ByteTables {
    std::array<unsigned char, 256> folded;   // byte of the small letter, or itself
    std::array<bool, 256> word;
};

const ByteTables& byteTables()
{
    static const ByteTables kTables = [] {
        ByteTables t{};
        for (int b = 0; b < 256; ++b) {
            const char16_t unit = platform::ansiToUnicode(static_cast<unsigned char>(b));
            const char16_t small = foldCase(unit);
            const unsigned char smallByte = platform::unicodeToAnsi(small);
            t.folded[b] = platform::ansiToUnicode(smallByte) == small ? smallByte : static_cast<unsigned char>(b);
            t.word[b] = isWordUnit(unit);
        }
        return t;
    }();
    return kTables;
}

// Candidate positions for a match start in [from, last], found 16 at a time by the
// first pattern byte and, when there is one, the second (each in both cases);
// `check(pos)` true ends the search.
template <class Check>
std::int64_t scanCandidates(const char* text, std::int64_t from, std::int64_t last, const unsigned char* first,
                            const unsigned char* second, bool useSecond, const Check& check)
{
    std::int64_t pos = from;
#if defined(__SSE2__)
    const __m128i a0 = _mm_set1_epi8(static_cast<char>(first[0]));
    const __m128i a1 = _mm_set1_epi8(static_cast<char>(first[1]));
    const __m128i b0 = _mm_set1_epi8(static_cast<char>(second[0]));
    const __m128i b1 = _mm_set1_epi8(static_cast<char>(second[1]));
    // The second byte is loaded one position on, so the block must end before `last`.
    for (; pos + 16 <= last; pos += 16) {
        const __m128i v0 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + pos));
        const __m128i v1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + pos + 1));
        const __m128i hit0 = _mm_or_si128(_mm_cmpeq_epi8(v0, a0), _mm_cmpeq_epi8(v0, a1));
        const __m128i hit1 = useSecond ? _mm_or_si128(_mm_cmpeq_epi8(v1, b0), _mm_cmpeq_epi8(v1, b1))
                                       : _mm_set1_epi8(-1);
        unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(_mm_and_si128(hit0, hit1)));
        for (; mask != 0; mask &= mask - 1) {
            const std::int64_t at = pos + __builtin_ctz(mask);
            if (check(at))
                return at;
        }
    }
#endif
    for (; pos <= last; ++pos) {
        const auto c0 = static_cast<unsigned char>(text[pos]);
        if (c0 != first[0] && c0 != first[1])
            continue;
        const auto c1 = useSecond ? static_cast<unsigned char>(text[pos + 1]) : second[0];
        if ((c1 == second[0] || c1 == second[1]) && check(pos))
            return pos;
    }
    return -1;
}

// Both bytes whose key is `keyed` (the same byte twice when it has no other case).
std::array<unsigned char, 2> casesOf(unsigned char keyed, const std::array<unsigned char, 256>& key)
{
    std::array<unsigned char, 2> cases{keyed, keyed};
    for (int b = 0; b < 256; ++b)
        if (key[b] == keyed && b != keyed)
            cases[1] = static_cast<unsigned char>(b);
    return cases;
}

} // namespace

std::int64_t findText(std::string_view text, std::u16string_view what, std::int64_t from, std::int64_t to,
                      FindOptions options)
{
    const auto m = static_cast<std::int64_t>(what.size());
    if (m == 0 || to - from < m)
        return -1;
    const ByteTables& tables = byteTables();
    std::array<unsigned char, 256> key{};
    for (int b = 0; b < 256; ++b)
        key[b] = options.matchCase ? static_cast<unsigned char>(b) : tables.folded[b];

    // The pattern as keyed bytes; a character that 1251 cannot hold never matches.
    std::string pattern(what.size(), '\0');
    for (std::size_t k = 0; k < what.size(); ++k) {
        const unsigned char byte = platform::unicodeToAnsi(what[k]);
        const char16_t back = platform::ansiToUnicode(byte);
        if (options.matchCase ? back != what[k] : foldCase(back) != foldCase(what[k]))
            return -1;
        pattern[k] = static_cast<char>(key[byte]);
    }

    const auto keyOf = [&key](char c) { return static_cast<char>(key[static_cast<unsigned char>(c)]); };
    const auto isWord = [&tables](char c) { return tables.word[static_cast<unsigned char>(c)]; };
    const Matcher<char, decltype(keyOf), decltype(isWord)> matcher{text, pattern, keyOf, isWord, options.wholeWord};

    const auto first = casesOf(static_cast<unsigned char>(pattern[0]), key);
    const auto second = m > 1 ? casesOf(static_cast<unsigned char>(pattern[1]), key) : first;
    return scanCandidates(text.data(), from, to - m, first.data(), second.data(), m > 1,
                          [&](std::int64_t pos) { return matcher.at(static_cast<std::size_t>(pos)); });
}

std::int64_t findText(std::u16string_view text, std::u16string_view what, std::int64_t from, std::int64_t to,
                      FindOptions options)
{
    const auto m = static_cast<std::int64_t>(what.size());
    if (m == 0 || to - from < m)
        return -1;
    const bool matchCase = options.matchCase;
    const auto keyOf = [matchCase](char16_t u) { return matchCase ? u : foldCase(u); };
    std::u16string pattern(what);
    for (char16_t& u : pattern)
        u = keyOf(u);
    const Matcher<char16_t, decltype(keyOf), bool (*)(char16_t)> matcher{text, pattern, keyOf, isWordUnit,
                                                                          options.wholeWord};
    for (std::int64_t pos = from; pos <= to - m; ++pos)
        if (keyOf(text[static_cast<std::size_t>(pos)]) == pattern[0] && matcher.at(static_cast<std::size_t>(pos)))
            return pos;
    return -1;
}

} // namespace lirra
