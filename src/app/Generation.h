// The generation run: reads the sheet and writes the output of the mode.
#pragma once

// Runs the generation for the process-wide RunSettings. Returns false when
// the run failed; it has then printed its own message.
bool runGeneration();
