// Counts of the C library's allocator and lock calls, made while watching is on, for the tests of
// the real-time rules: a program linking RealtimeWatch.cpp sees every such call in its process.
#pragma once

#include <atomic>

namespace realtime {

extern std::atomic<bool> watching;
extern std::atomic<int> allocations;
extern std::atomic<int> locks;

// One allocation and one lock call while watching, then the counts back to zero: false when the
// counters missed them, so that a zero proves nothing.
bool countersWork ();

} // namespace realtime
