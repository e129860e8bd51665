#include "app/book_copy.h"

#include "platform/buffered_file.h"

#include <string>

namespace lirra {

namespace {
constexpr int kCr = '\r';
constexpr int kLf = '\n';
constexpr int kCtrlZ = 0x1A;
constexpr std::size_t kFlushAt = 1 << 20;
} // namespace

void copyBookLines(const std::string& source, const std::string& target, const ByteTable& table)
{
    platform::FileReader in(source);
    platform::FileWriter out(target);
    std::string pending;        // translated text not yet handed to the writer
    pending.reserve(kFlushAt + 2);
    bool lineOpen = false;      // a line has started and not yet ended
    for (int c = in.get(); c >= 0 && c != kCtrlZ; c = in.get()) {
        if (c == kCr) {
            pending += "\r\n";
            lineOpen = false;
            if (in.peek() == kLf)
                in.get();
        } else {
            pending += static_cast<char>(table[static_cast<unsigned char>(c)]);
            lineOpen = true;
        }
        if (pending.size() >= kFlushAt) {
            out.write(pending);
            pending.clear();
        }
    }
    if (lineOpen)
        pending += "\r\n";
    out.write(pending);
    in.close();
    out.close();
}

} // namespace lirra
