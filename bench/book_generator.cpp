#include "book_generator.h"

#include "platform/codepages.h"
#include "platform/lirra_error.h"
#include "platform/utf8.h"

#include <array>
#include <fstream>
#include <vector>

namespace lirra::bench {

namespace {

constexpr std::array kCyrillicWords = {
    "и", "в", "не", "на", "он", "она", "что", "как", "было", "город", "река", "книга", "читатель",
    "зима", "весна", "лето", "осень", "дорога", "окно", "вечер", "утро", "снег", "дождь", "лодка",
    "берег", "мост", "старый", "новый", "тихо", "долго", "страница", "библиотека", "Москва", "Волга",
    "Ёлка", "ёж", "память", "письмо", "сказал", "подумал", "вернулся", "светло", "темно", "ЖУРНАЛ",
    "Глава", "почему", "никогда", "всегда", "разговор", "путешествие", "достопримечательность",
};
constexpr std::array kLatinWords = {
    "the", "reader", "DOS", "Windows", "file", "page", "Lirra", "book", "river", "OK", "version",
    "Courier", "text", "line", "word", "e-mail", "http://example.org", "CD-ROM", "ASCII",
};
constexpr std::array kPunctuation = {",", ".", "!", "?", ":", ";", " -", "..."};

// splitmix64: tiny, and the same numbers on every platform and library.
class Random {
public:
    explicit Random(std::uint64_t seed) : m_state(seed) {}
    std::uint64_t next()
    {
        std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    std::size_t below(std::size_t n) { return static_cast<std::size_t>(next() % n); }
    std::size_t between(std::size_t low, std::size_t high) { return low + below(high - low + 1); }

private:
    std::uint64_t m_state;
};

std::string toOem866(const char* utf8)
{
    std::string text = platform::encodeAnsi(platform::utf8ToUtf16(utf8));
    platform::charToOemBuff(text.data(), text.data(), text.size());
    return text;
}

class LineMaker {
public:
    explicit LineMaker(std::uint64_t seed) : m_random(seed)
    {
        for (const char* word : kCyrillicWords)
            m_cyrillic.push_back(toOem866(word));
    }

    std::string next()
    {
        const std::size_t kind = m_random.below(1000);
        if (kind < 80)
            return {};
        return text(kind < 84 ? m_random.between(1024, 5120) : m_random.between(1, 120));
    }

private:
    // Words up to about `length` characters; a first word longer than that is cut.
    std::string text(std::size_t length)
    {
        std::string line;
        for (;;) {
            std::string word = nextWord();
            if (line.empty() && word.size() >= length)
                return word.substr(0, length);
            if (line.size() + 1 + word.size() > length)
                return line;
            if (!line.empty())
                line += ' ';
            line += word;
        }
    }

    std::string nextWord()
    {
        const std::size_t kind = m_random.below(100);
        std::string word = kind < 80   ? m_cyrillic[m_random.below(m_cyrillic.size())]
                           : kind < 95 ? std::string(kLatinWords[m_random.below(kLatinWords.size())])
                                       : std::to_string(m_random.below(100000));
        if (m_random.below(8) == 0)
            word += kPunctuation[m_random.below(kPunctuation.size())];
        return word;
    }

    Random m_random;
    std::vector<std::string> m_cyrillic;
};

} // namespace

void generateBook(std::ostream& out, std::uint64_t sizeBytes, std::uint64_t seed)
{
    constexpr std::size_t kChunk = 1 << 20;
    LineMaker lines(seed);
    std::string chunk;
    std::uint64_t left = sizeBytes;
    while (left > 0) {
        std::string line = lines.next();
        if (line.size() + 2 <= left) {
            line += "\r\n";
        } else {
            // The last line has no line end, so the size comes out exact.
            line.resize(static_cast<std::size_t>(left), 'x');
        }
        left -= line.size();
        chunk += line;
        if (chunk.size() >= kChunk || left == 0) {
            out.write(chunk.data(), static_cast<std::streamsize>(chunk.size()));
            chunk.clear();
        }
    }
}

void generateBookFile(const std::string& path, std::uint64_t sizeBytes, std::uint64_t seed)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (out)
        generateBook(out, sizeBytes, seed);
    out.close();
    if (!out)
        throw Error("Cannot write the book " + path);
}

} // namespace lirra::bench
