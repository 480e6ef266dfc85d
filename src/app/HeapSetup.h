// Memory set-up of the program: a run builds large tables and texts, so the
// heap is prepared once at start-up to grow in large steps on huge pages.
#pragma once

// Called once by main() before anything is allocated in earnest. Only
// changes how fast memory is handed out, never what a run does.
void prepareHeapForLargeRuns();
