#include "AllocationWatch.h"

#include <atomic>

#include <sys/resource.h>

extern "C" {
void *__libc_malloc(std::size_t size);
void *__libc_calloc(std::size_t count, std::size_t size);
void *__libc_realloc(void *pointer, std::size_t size);
}

namespace {

std::atomic<bool> watching{false};
std::atomic<std::size_t> largest{0};

void note(std::size_t size)
{
    if (!watching.load(std::memory_order_relaxed))
        return;
    std::size_t seen = largest.load(std::memory_order_relaxed);
    while (size > seen && !largest.compare_exchange_weak(seen, size, std::memory_order_relaxed)) {
    }
}

} // namespace

// The program's own definitions come before the C library's for every library it loads.
extern "C" void *malloc(std::size_t size)
{
    note(size);
    return __libc_malloc(size);
}

extern "C" void *calloc(std::size_t count, std::size_t size)
{
    note(count * size);
    return __libc_calloc(count, size);
}

extern "C" void *realloc(void *pointer, std::size_t size)
{
    note(size);
    return __libc_realloc(pointer, size);
}

namespace tivane::AllocationWatch {

void start()
{
    largest.store(0);
    watching.store(true);
}

std::size_t stop()
{
    watching.store(false);
    return largest.load();
}

long peakResidentKb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

} // namespace tivane::AllocationWatch
