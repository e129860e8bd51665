#include "bookview/core/book_copy.h"

#include "bookview/core/book_file.h"
#include "bookview/core/line_index.h"
#include "platform/buffered_file.h"

#include <algorithm>
#include <condition_variable>
#include <exception>
#include <limits>
#include <mutex>
#include <optional>
#include <string_view>
#include <thread>

namespace lirra {

namespace {

constexpr char kCr = '\r';
constexpr char kLf = '\n';
constexpr char kCtrlZ = '\x1A';
constexpr std::string_view kBreak = "\r\n";

// A DOS book's text is as long as the book, give or take its last break; a CR standing
// alone grows into CR LF, and a few of those fit in this much more.
constexpr std::int64_t kSlack = 64 * 1024;
// A text this big has its pages faulted in ahead of the conversion; a first page's is too
// small for a thread of its own to pay.
constexpr std::size_t kFaultAheadBytes = std::size_t{16} << 20;
// The book is converted this much at a time, in a buffer that stays in the cache.
constexpr std::size_t kScratchPiece = std::size_t{32} << 10;

std::size_t room(std::int64_t bytes)
{
    return static_cast<std::size_t>(std::clamp<std::int64_t>(bytes, 0, kMaxTextLength + 1));
}

// Converts one piece of the book into `to`, which has room for twice its size. `afterCr`
// says the previous piece ended with a CR, whose LF this one may begin with; it is set
// again when this piece ends with a CR. Returns the end of what was written. One plain
// loop: lines are short, so looking for the next CR first would cost more than it saves.
char* convertPiece(std::string_view piece, char* to, const ByteTable& bookTable, bool& afterCr)
{
    const ByteTable table = bookTable;   // a copy of its own, which no write can touch
    const char* from = piece.data();
    const char* const end = from + piece.size();
    if (afterCr && from < end && *from == kLf)
        ++from;
    afterCr = false;
    while (from < end) {
        const char c = *from++;
        if (c != kCr) {
            *to++ = static_cast<char>(table[static_cast<unsigned char>(c)]);
            continue;
        }
        to = std::copy(kBreak.begin(), kBreak.end(), to);
        if (from == end)
            afterCr = true;
        else if (*from == kLf)
            ++from;
    }
    return to;
}

// Converts `in` into `text` a piece at a time until the book's end, a Ctrl+Z, or the
// piece that reaches `limit` bytes read. `sink.taken(bytesRead)` follows each piece;
// `sink.moving()` comes before the text moves. Returns whether the text is whole, then
// ended by a break. A big text's pages are faulted in ahead once `faultAheadFrom` is set
// (at once without it).
template <class Sink>
bool convertInto(platform::FileReader& in, BookBytes& text, const ByteTable& table, std::int64_t limit, Sink& sink,
                 const std::atomic<bool>* faultAheadFrom = nullptr)
{
    const std::int64_t toRead = std::min(in.size(), limit);
    text.reserve(room(toRead + kSlack));
    std::optional<bigblock::PagesAhead> ahead;   // stopped before the text moves or goes
    const auto faultAhead = [&] {
        if (text.capacity() >= kFaultAheadBytes)
            ahead.emplace(text.data(), text.capacity(), faultAheadFrom);
    };
    faultAhead();
    // Each piece is converted here, still in the cache, and then joins the text: the
    // text's end has no room for a piece at its worst (twice its size).
    std::string scratch(2 * kScratchPiece, '\0');
    std::int64_t read = 0;
    bool afterCr = false;
    bool ended = false;      // Ctrl+Z seen
    for (std::string_view chunk = in.takeChunk(); !chunk.empty() && !ended; chunk = in.takeChunk()) {
        read += static_cast<std::int64_t>(chunk.size());
        if (const std::size_t end = chunk.find(kCtrlZ); end != std::string_view::npos) {
            chunk = chunk.substr(0, end);
            ended = true;
        }
        for (std::string_view rest = chunk; !rest.empty();) {
            const std::string_view piece = rest.substr(0, kScratchPiece);
            rest.remove_prefix(piece.size());
            const auto made =
                static_cast<std::size_t>(convertPiece(piece, scratch.data(), table, afterCr) - scratch.data());
            // More lone CRs than the slack holds (a book from a Mac): room at once for the
            // rest at its worst, every byte a CR, so the text moves once at most.
            if (text.size() + made > text.capacity()) {
                const std::int64_t unread = std::max<std::int64_t>(toRead - read, 0) + std::ssize(rest);
                ahead.reset();
                sink.moving();
                text.reserve(room(static_cast<std::int64_t>(text.size() + made) + 2 * unread + kSlack));
                faultAhead();
            }
            text.append(scratch.data(), made);
        }
        if (static_cast<std::int64_t>(text.size()) > kMaxTextLength)
            throwLoadFailed();
        sink.taken(read);
        if (read >= limit && read < in.size() && !ended)
            return false;   // more to come: the book's end is not known to be near
    }
    if (!text.empty() && !text.ends_with(kBreak))
        text.append(kBreak);
    return true;
}

// Writes the copy on a thread of its own, a little behind the conversion, straight from
// the text. Filling the page cache with a book's size of fresh memory costs about as much
// as converting the book, so the two run side by side instead of one after the other.
class CopyWriter {
public:
    explicit CopyWriter(const std::string& target) : m_out(target), m_thread([this](std::stop_token stop) { run(stop); })
    {
    }

    // The text, standing at `data` now, is made as far as `end`. Raises the error of a
    // write that failed.
    void made(const char* data, std::size_t end)
    {
        const std::lock_guard lock(m_mutex);
        if (m_failure)
            std::rethrow_exception(m_failure);
        m_data = data;
        m_made = end;
        m_changed.notify_all();
    }

    // Waits until all that is made is written, so that the text may move.
    void drain()
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return m_failure || m_written == m_made; });
        if (m_failure)
            std::rethrow_exception(m_failure);
    }

    // Writes what is made and `tail`, and closes the copy; raises any failure.
    void close(std::string_view tail)
    {
        {
            const std::lock_guard lock(m_mutex);
            m_closing = true;
        }
        m_changed.notify_all();
        m_thread.join();
        if (m_failure)
            std::rethrow_exception(m_failure);
        m_out.write(tail);
        m_out.close();
    }

private:
    // Written at most this much at a time, so that a stop is heard soon.
    static constexpr std::size_t kWriteStep = std::size_t{1} << 20;

    void run(const std::stop_token& stop)
    {
        std::unique_lock lock(m_mutex);
        for (;;) {
            m_changed.wait(lock, stop, [this] { return m_written < m_made || m_closing; });
            if (stop.stop_requested() || m_written == m_made)
                return;   // stopped, or closing with everything written
            const std::size_t from = m_written;
            const std::size_t to = std::min(m_made, from + kWriteStep);
            const char* const data = m_data;   // the text does not move before this is written
            lock.unlock();
            try {
                m_out.write(std::string_view(data + from, to - from));
            } catch (...) {
                lock.lock();
                m_failure = std::current_exception();
                m_changed.notify_all();
                return;
            }
            lock.lock();
            m_written = to;
            m_changed.notify_all();
        }
    }

    platform::FileWriter m_out;   // the writer's alone until it is joined
    std::mutex m_mutex;
    std::condition_variable_any m_changed;
    const char* m_data = nullptr;
    std::size_t m_made = 0;      // of the text, made so far
    std::size_t m_written = 0;   // of that, written
    bool m_closing = false;
    std::exception_ptr m_failure;
    std::jthread m_thread;   // last: stopped and joined before the rest goes
};

} // namespace

CopiedBook copyBookLines(const std::string& source, const std::string& target, const ByteTable& table,
                         ConversionProgress* progress)
{
    platform::FileReader in(source);
    CopiedBook book;
    BookBytes& text = book.text;
    book.hardLines.reserveFor(in.size());
    book.hardLines.append(0);
    CopyWriter out(target);   // after the text: stopped before the text goes
    if (progress)
        progress->bookSize.store(in.size(), std::memory_order_relaxed);
    // Each piece goes to the copy and the line index as soon as it is made.
    struct Sink {
        CopiedBook& book;
        CopyWriter& out;
        ConversionProgress* progress;
        std::size_t written = 0;
        std::size_t indexed = 0;

        void taken(std::int64_t read)
        {
            const std::string_view sofar(book.text);
            out.made(sofar.data(), sofar.size());
            written = sofar.size();
            const std::size_t upTo = sofar.ends_with(kCr) ? sofar.size() - 1 : sofar.size();
            appendHardLines(sofar.substr(0, upTo), indexed, book.hardLines);
            indexed = upTo;
            if (progress) {
                progress->bytesRead.store(read, std::memory_order_relaxed);
                if (progress->stop.stop_requested())
                    throw ConversionStopped{};
            }
        }
        void moving() { out.drain(); }
    } sink{book, out, progress};
    convertInto(in, text, table, std::numeric_limits<std::int64_t>::max(), sink,
                progress ? &progress->firstPageShown : nullptr);
    in.close();
    out.close(std::string_view(text).substr(sink.written));   // the last break, when the book had none
    appendHardLines(text, sink.indexed, book.hardLines);
    return book;
}

BookStart convertBookStart(const std::string& source, const ByteTable& table, std::int64_t bytes)
{
    platform::FileReader in(source);
    BookStart start;
    struct {
        void taken(std::int64_t) {}
        void moving() {}
    } nobody;
    start.whole = convertInto(in, start.text, table, bytes, nobody);
    if (!start.whole) {
        // Converted breaks all end in LF (a CR always becomes CR LF), so the last LF ends
        // the last whole line; a first line longer than all that is shown as far as it goes.
        if (const std::size_t lastBreak = start.text.rfind(kLf); lastBreak != BookBytes::npos)
            start.text.resize(lastBreak + 1);
    }
    in.close();
    return start;
}

} // namespace lirra
