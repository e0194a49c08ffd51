#pragma once
// Counts the heap held by the process through operator new and delete, with
// the allocator's own rounding (malloc_usable_size), so a benchmark can report
// how much memory a step needs at its peak. Only programs that link
// HeapCounter.cpp count; the counter replaces the global operator new.

#include <cstddef>

namespace HeapCounter {

// Bytes held right now.
size_t Live();
// The most bytes held since the last ResetPeak.
size_t Peak();
// Starts a new peak from what is held now.
void ResetPeak();

} // namespace HeapCounter
