#pragma once

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <string>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// A FIFO for a test, watched: whoever opens it to read (and so waits for a writer) is set
// free at once, the watch opening the writing end and closing it again, so the reader
// meets the end of the file. Code that should have refused the FIFO fails its test
// instead of hanging it, and opened() tells that it got as far as opening it.
class TestFifo {
public:
    explicit TestFifo(std::string path) : m_path(std::move(path))
    {
        if (::mkfifo(m_path.c_str(), 0600) != 0)
            throw std::runtime_error("mkfifo failed");
        m_watch = std::thread([this] {
            while (!m_stop) {
                // Without a reader this fails at once (ENXIO) instead of waiting.
                const int fd = ::open(m_path.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
                if (fd >= 0) {
                    m_opened = true;
                    ::close(fd);
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
            }
        });
    }
    ~TestFifo()
    {
        m_stop = true;
        m_watch.join();
        ::unlink(m_path.c_str());
    }
    TestFifo(const TestFifo&) = delete;
    TestFifo& operator=(const TestFifo&) = delete;

    const std::string& path() const { return m_path; }
    bool opened() const { return m_opened; }

private:
    std::string m_path;
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_opened{false};
    std::thread m_watch;
};
