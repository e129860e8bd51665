// Core benchmarks of the book view on a generated DOS book converted to 1251, as the
// reader holds it after loading.
// The size comes from LIRRA_BENCH_MB (default 10).

#include "book_generator.h"
#include "bookview/core/book_document.h"
#include "platform/codepages.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <unistd.h>

namespace {

using lirra::AdvanceSource;
using lirra::BookDocument;

std::size_t benchBytes()
{
    const char* mb = std::getenv("LIRRA_BENCH_MB");
    const long value = mb ? std::strtol(mb, nullptr, 10) : 10;
    return static_cast<std::size_t>(value > 0 ? value : 10) << 20;
}

const std::string& ansiBook()
{
    static const std::string book = [] {
        std::ostringstream dos;
        lirra::bench::generateBook(dos, benchBytes());
        std::string text = std::move(dos).str();
        lirra::platform::oemToCharBuff(text.data(), text.data(), text.size());
        return text;
    }();
    return book;
}

const std::string& bookFile()
{
    static const std::string path = [] {
        const char* tmp = std::getenv("TMPDIR");
        const std::string file = std::string(tmp ? tmp : "/tmp") + "/lirra_bench_book_" + std::to_string(::getpid()) + ".txt";
        std::ofstream(file, std::ios::binary) << ansiBook();
        std::atexit([] { std::filesystem::remove(bookFile()); });
        return file;
    }();
    return path;
}

BookDocument& loadedBook()
{
    static BookDocument doc = [] {
        BookDocument d;
        d.setPlainText(ansiBook());
        return d;
    }();
    return doc;
}

// A monospaced face of 8-pixel cells, its tab eight cells wide; `counted` lets the wrap
// count cells instead of measuring every character.
class Monospaced : public AdvanceSource {
public:
    explicit Monospaced(bool counted) : m_counted(counted) {}
    int advance(char16_t u) const override { return u == u'\t' ? 64 : 8; }
    int cellWidth() const override { return m_counted ? 8 : 0; }

private:
    bool m_counted;
};

// Widths like a serif face: narrow punctuation and i, wide capitals and Ш, Щ, Ж, М.
class Proportional : public AdvanceSource {
public:
    int advance(char16_t u) const override
    {
        if (u == u' ' || u == u'.' || u == u',' || u == u'i' || u == u'и')
            return 4;
        if (u == u'Ш' || u == u'Щ' || u == u'Ж' || u == u'М' || u == u'ш' || u == u'щ' || u == u'ж')
            return 12;
        return (u >= u'А' && u <= u'Я') ? 10 : 8;
    }
    int cellWidth() const override { return 0; }
};

void setBytes(benchmark::State& state)
{
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * ansiBook().size()));
    state.counters["MB"] = static_cast<double>(ansiBook().size()) / (1 << 20);
}

void BM_LoadFile(benchmark::State& state)
{
    const std::string& path = bookFile();
    for (auto _ : state) {
        BookDocument doc;
        doc.loadFile(path);
        benchmark::DoNotOptimize(doc.lineCount());
    }
    setBytes(state);
}
BENCHMARK(BM_LoadFile)->Unit(benchmark::kMillisecond);

void BM_LineIndex(benchmark::State& state)
{
    const std::string& text = ansiBook();
    for (auto _ : state)
        benchmark::DoNotOptimize(lirra::scanHardLines(text).size());
    setBytes(state);
}
BENCHMARK(BM_LineIndex)->Unit(benchmark::kMillisecond);

void BM_LineFromChar(benchmark::State& state)
{
    const BookDocument& doc = loadedBook();
    std::mt19937_64 random(7);
    for (auto _ : state)
        benchmark::DoNotOptimize(doc.lineFromChar(static_cast<std::int64_t>(random() % doc.length())));
}
BENCHMARK(BM_LineFromChar);

void BM_WrapOn(benchmark::State& state, const AdvanceSource& measure, int width)
{
    BookDocument& doc = loadedBook();
    for (auto _ : state) {
        doc.setWrap(&measure, width);
        benchmark::DoNotOptimize(doc.lineCount());
        state.PauseTiming();
        doc.setWrap(nullptr, 0);
        state.ResumeTiming();
    }
    doc.setWrap(&measure, width);
    state.counters["rows"] = static_cast<double>(doc.lineCount());
    doc.setWrap(nullptr, 0);
    setBytes(state);
}
const Monospaced counted(true);
const Monospaced measured(false);
const Proportional proportional;
BENCHMARK_CAPTURE(BM_WrapOn, monospaced_counted_80_columns, counted, 80 * 8)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_WrapOn, monospaced_measured_80_columns, measured, 80 * 8)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_WrapOn, monospaced_counted_40_columns, counted, 40 * 8)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_WrapOn, monospaced_measured_40_columns, measured, 40 * 8)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_WrapOn, proportional_640px, proportional, 640)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_WrapOn, proportional_320px, proportional, 320)->Unit(benchmark::kMillisecond);

void BM_FindToEnd(benchmark::State& state, std::u16string what, lirra::FindOptions options)
{
    const BookDocument& doc = loadedBook();
    std::int64_t at = -1;
    for (auto _ : state)
        benchmark::DoNotOptimize(at = doc.find(what, 0, doc.length(), options));
    state.counters["found_at"] = static_cast<double>(at);   // -1: the whole book was scanned
    setBytes(state);
}
BENCHMARK_CAPTURE(BM_FindToEnd, absent_word, std::u16string(u"наполеон"), lirra::FindOptions{})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FindToEnd, absent_common_start, std::u16string(u"сказалИ"), lirra::FindOptions{.wholeWord = true})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FindToEnd, absent_match_case, std::u16string(u"Ёлка ещё!"), lirra::FindOptions{.matchCase = true})
    ->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
