#pragma once

// Allocator for a book's text, its one big array. Blocks of 2 MiB and more are mapped
// directly, aligned to 2 MiB and marked for huge pages: first touching a 100 MB book then
// costs some fifty page faults instead of twenty-five thousand.

#include <atomic>
#include <cstddef>
#include <memory>
#include <string>
#include <thread>

namespace lirra {

namespace bigblock {
inline constexpr std::size_t kThreshold = std::size_t{2} << 20;
void* allocate(std::size_t bytes);                 // throws std::bad_alloc
void release(void* block, std::size_t bytes) noexcept;

// Faults in the pages of a fresh block on a thread of its own while another thread fills
// the block from its start. The kernel zeroes every page it hands out, which costs about
// as much as converting a book into it; this way the two run side by side. Only advice:
// a kernel without the call leaves the filling thread to fault its pages itself. Stop it
// (destroy it) before the block is released. When `start` is given, it begins only once
// that is set.
class PagesAhead {
public:
    PagesAhead(void* block, std::size_t bytes, const std::atomic<bool>* start = nullptr);

private:
    std::jthread m_thread;
};
} // namespace bigblock

template <class T>
class BigBlockAllocator {
public:
    using value_type = T;

    BigBlockAllocator() = default;
    template <class U>
    BigBlockAllocator(const BigBlockAllocator<U>&) noexcept {}

    T* allocate(std::size_t count)
    {
        if (count * sizeof(T) < bigblock::kThreshold)
            return std::allocator<T>().allocate(count);
        return static_cast<T*>(bigblock::allocate(count * sizeof(T)));
    }
    void deallocate(T* block, std::size_t count) noexcept
    {
        if (count * sizeof(T) < bigblock::kThreshold)
            std::allocator<T>().deallocate(block, count);
        else
            bigblock::release(block, count * sizeof(T));
    }
    template <class U>
    bool operator==(const BigBlockAllocator<U>&) const noexcept { return true; }
};

// The bytes of a plain book.
using BookBytes = std::basic_string<char, std::char_traits<char>, BigBlockAllocator<char>>;

} // namespace lirra
