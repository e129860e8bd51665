#include "bookview/core/book_copy.h"

#include "platform/buffered_file.h"

#include <string>

namespace lirra {

namespace {
constexpr char kCr = '\r';
constexpr char kLf = '\n';
constexpr char kCtrlZ = '\x1A';
} // namespace

void copyBookLines(const std::string& source, const std::string& target, const ByteTable& table)
{
    platform::FileReader in(source);
    platform::FileWriter out(target);
    std::string translated;
    bool lineOpen = false;   // a line has started and not yet ended
    bool afterCr = false;    // the previous chunk ended with a CR, whose LF may follow
    bool ended = false;      // Ctrl+Z seen
    for (std::string_view chunk = in.takeChunk(); !chunk.empty() && !ended; chunk = in.takeChunk()) {
        // Each CR may grow into CR LF: room for twice the chunk.
        translated.resize(2 * chunk.size() + 2);
        char* to = translated.data();
        std::size_t i = (afterCr && chunk.front() == kLf) ? 1 : 0;
        afterCr = false;
        for (; i < chunk.size(); ++i) {
            const char c = chunk[i];
            if (c == kCtrlZ) {
                ended = true;
                break;
            }
            if (c == kCr) {
                *to++ = kCr;
                *to++ = kLf;
                lineOpen = false;
                if (i + 1 == chunk.size())
                    afterCr = true;
                else if (chunk[i + 1] == kLf)
                    ++i;
                continue;
            }
            *to++ = static_cast<char>(table[static_cast<unsigned char>(c)]);
            lineOpen = true;
        }
        out.write(std::string_view(translated.data(), static_cast<std::size_t>(to - translated.data())));
    }
    if (lineOpen)
        out.write("\r\n");
    in.close();
    out.close();
}

} // namespace lirra
