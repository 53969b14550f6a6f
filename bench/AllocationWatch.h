#pragma once
// The largest single memory request made while watching, and the process's peak memory: what a
// benchmark of an untrusted reader reports beside its time. Every malloc, calloc and realloc of
// the benchmark program (Qt's included) passes through here.

#include <cstddef>

namespace tivane {

namespace AllocationWatch {

// Forgets the largest request so far and starts watching.
void start();
// Stops watching; the largest request since start(), in bytes.
std::size_t stop();

// The process's peak resident memory so far, in kilobytes.
long peakResidentKb();

} // namespace AllocationWatch

} // namespace tivane
