// libFuzzer harness for the settings file's parser: any input must either be refused
// as damaged or give a hive that is written out and read back unchanged.
#include "platform/hive_format.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace lirra::platform::hive;
    std::string text;
    try {
        text = formatHive(parseHive(std::string_view(reinterpret_cast<const char*>(data), size)));
    } catch (const SyntaxError&) {
        return 0;
    }
    // What the program writes, it must read back as the same hive; a SyntaxError escaping
    // here ends the run as a crash, too.
    if (formatHive(parseHive(text)) != text)
        std::abort();
    return 0;
}
