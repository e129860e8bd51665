// libFuzzer harness for the RTF reader: any input must either be refused or give a
// result whose runs the book view can rely on.
#include "bookview/core/rtf_reader.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const auto rich = lirra::parseRtf(input);
    if (!rich)
        return 0;
    require(lirra::looksLikeRtf(input));
    // Every character of the text costs at least one byte of the input.
    require(rich->text.size() <= size);
    const auto length = static_cast<std::int64_t>(rich->text.size());
    const auto& runs = rich->runs;
    require(runs.empty() == rich->text.empty());
    for (std::size_t i = 0; i < runs.size(); ++i) {
        require(runs[i].start < length);
        require(i == 0 ? runs[i].start == 0 : runs[i - 1].start < runs[i].start);
        require(i == 0 || !(runs[i - 1].format == runs[i].format));
    }
    return 0;
}
