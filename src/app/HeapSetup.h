// Memory set-up of the program: a run builds large tables and texts, so the
// heap is prepared to grow in large steps on huge pages, in proportion to
// the run and within the address space the process may take.
#pragma once

#include <cstdint>

// Called once by main() before anything is allocated in earnest. Only
// changes how memory is handed out, never what a run does.
void prepareHeapForLargeRuns();

// Called when a run starts: reserves heap for a run that reads a sheet of
// sheetBytes bytes (address space only; pages are filled when touched).
// A small run reserves nothing; where the system refuses a reservation a
// smaller one is tried, and then none.
void reserveHeapForRun(uint64_t sheetBytes);
