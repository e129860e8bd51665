// lirra-genbook SIZE_MB OUT_FILE: writes a deterministic 866 test book of that size.

#include "book_generator.h"

#include "platform/lirra_error.h"

#include <charconv>
#include <cstring>
#include <iostream>

int main(int argc, char** argv)
{
    double megabytes = 0;
    if (argc == 3) {
        const char* end = argv[1] + std::strlen(argv[1]);
        const auto result = std::from_chars(argv[1], end, megabytes);
        if (result.ec != std::errc() || result.ptr != end || megabytes < 0)
            argc = 0;
    }
    if (argc != 3) {
        std::cerr << "usage: lirra-genbook SIZE_MB OUT_FILE\n"
                     "  writes a test book of SIZE_MB megabytes (1 MB = 1048576 bytes, fractions allowed)\n"
                     "  in code page 866 with CR LF line ends; the same size gives the same book.\n";
        return 2;
    }
    try {
        lirra::bench::generateBookFile(argv[2], static_cast<std::uint64_t>(megabytes * 1024 * 1024));
    } catch (const lirra::Error& e) {
        std::cerr << "lirra-genbook: " << e.text() << '\n';
        return 1;
    }
    return 0;
}
