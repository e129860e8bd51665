#include "bookview/core/big_block_allocator.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <new>
#include <sys/mman.h>
#include <unistd.h>

namespace lirra::bigblock {

namespace {
constexpr std::size_t kAlignment = std::size_t{2} << 20;
// Pages faulted in per call: small enough for a stop to be heard soon.
constexpr std::size_t kPopulateStep = std::size_t{2} << 20;
constexpr std::chrono::milliseconds kStartPoll{5};
}

void* allocate(std::size_t bytes)
{
    // Map one alignment more than asked and give back the unaligned head and the tail.
    const std::size_t mapped = bytes + kAlignment;
    void* raw = ::mmap(nullptr, mapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (raw == MAP_FAILED)
        throw std::bad_alloc();
    const auto start = reinterpret_cast<std::uintptr_t>(raw);
    const std::uintptr_t aligned = (start + kAlignment - 1) & ~(kAlignment - 1);
    if (aligned > start)
        ::munmap(raw, aligned - start);
    const auto page = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
    const std::uintptr_t end = start + mapped;
    const std::uintptr_t used = (aligned + bytes + page - 1) & ~(page - 1);
    if (end > used)
        ::munmap(reinterpret_cast<void*>(used), end - used);
    void* block = reinterpret_cast<void*>(aligned);
#ifdef MADV_HUGEPAGE
    ::madvise(block, bytes, MADV_HUGEPAGE);   // only advice: no huge pages is fine too
#endif
    return block;
}

void release(void* block, std::size_t bytes) noexcept
{
    ::munmap(block, bytes);
}

PagesAhead::PagesAhead(void* block, std::size_t bytes, const std::atomic<bool>* start)
    : m_thread([first = static_cast<char*>(block), bytes, start](const std::stop_token& stop) {
#ifdef MADV_POPULATE_WRITE
          while (start && !start->load(std::memory_order_acquire)) {
              if (stop.stop_requested())
                  return;
              std::this_thread::sleep_for(kStartPoll);
          }
          // Pages the filler reached first are left as they are: populating never writes.
          for (std::size_t done = 0; done < bytes && !stop.stop_requested(); done += kPopulateStep) {
              if (::madvise(first + done, std::min(kPopulateStep, bytes - done), MADV_POPULATE_WRITE) != 0)
                  return;
          }
#endif
      })
{
}

} // namespace lirra::bigblock
