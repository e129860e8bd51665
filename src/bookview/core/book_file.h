#pragma once

// Whole-file reading and chunked writing for the book document, with the book view's
// own error texts. Names are resolved as the system does (trailing blanks ignored when
// no file has them); the error texts name the path as given.

#include "bookview/core/big_block_allocator.h"
#include "platform/posix_io.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace lirra {

// The whole file, read once into the buffer that is returned. Throws Error
// "Cannot open file %s" when it cannot be opened or is no regular file (a folder, FIFO,
// device or socket, refused before it is opened), "Failed to Load Stream" when it cannot
// be read or is longer than a book can be.
BookBytes readBookFile(const std::string& path);

// The view's one answer to a book it cannot take: Error "Failed to Load Stream".
[[noreturn]] void throwLoadFailed();

// Writes through a fixed buffer, so a large book is never copied whole. Throws Error
// "Cannot create file %s" when the file cannot be created, "Failed to Save Stream" when
// writing fails; finish() must be called to flush and close.
class BookFileWriter {
public:
    explicit BookFileWriter(const std::string& path);

    void put(std::string_view bytes);
    void finish();

private:
    void flush();

    platform::FileDescriptor m_file;
    std::string m_buffer;
};

} // namespace lirra
