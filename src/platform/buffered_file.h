#pragma once

// Big-buffer sequential file access for copying a book line by line. Every failure
// raises lirra::Error with the system's file text (file_errors.h).

#include "platform/posix_io.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lirra::platform {

class FileReader {
public:
    // Opens the file `name` names (trailing blanks as resolveFileName) for reading. What
    // is not a regular file is refused at once: "File access denied".
    explicit FileReader(const std::string& name);
    FileReader(const FileReader&) = delete;
    FileReader& operator=(const FileReader&) = delete;

    // The file's size when it was opened; it may still grow or shrink while it is read.
    std::int64_t size() const { return m_size; }
    // The next piece of the file, empty at its end. Valid until the next call.
    std::string_view takeChunk();
    void close();

private:
    FileDescriptor m_file;
    std::int64_t m_size = 0;
    std::vector<char> m_buffer;
};

class FileWriter {
public:
    // Creates or truncates `path`, readable by the user only. A symlink at `path` is
    // refused ("File access denied"), never followed. Destruction closes without
    // reporting errors; close() reports them.
    explicit FileWriter(const std::string& path);
    FileWriter(const FileWriter&) = delete;
    FileWriter& operator=(const FileWriter&) = delete;

    // Bytes of a buffer's size or more go out at once, without being copied.
    void write(std::string_view bytes);
    // Writes what is buffered and closes the file.
    void close();

private:
    void flush();

    FileDescriptor m_file;
    std::vector<char> m_buffer;
};

} // namespace lirra::platform
