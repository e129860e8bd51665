#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

#include <cstdlib>
#include <unistd.h>

// A private folder for one test, removed afterwards.
class ScratchFolder {
public:
    ScratchFolder()
    {
        std::string pattern = std::filesystem::temp_directory_path().string() + "/lirra-test-XXXXXX";
        if (!::mkdtemp(pattern.data()))
            throw std::runtime_error("mkdtemp failed");
        m_path = pattern;
    }
    ~ScratchFolder()
    {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    std::string operator/(const std::string& name) const { return m_path + "/" + name; }
    const std::string& path() const { return m_path; }

private:
    std::string m_path;
};

inline std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

inline void writeFile(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

// `count` lines "<prefix> <first>", "<prefix> <first + 1>", ..., each followed by `tail`
// and CR LF.
inline std::string numberedLines(int count, const std::string& prefix = "line", int first = 1,
                                 const std::string& tail = "")
{
    std::string text;
    for (int i = first; i < first + count; ++i)
        text += prefix + " " + std::to_string(i) + tail + "\r\n";
    return text;
}
