#include "app/HeapSetup.h"

// The Windows heap grows in large reserved regions on its own; there is
// nothing to set up.
void prepareHeapForLargeRuns() {}

void reserveHeapForRun(uint64_t sheetBytes) { (void)sheetBytes; }
