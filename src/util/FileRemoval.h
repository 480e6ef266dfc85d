// Deleting a large file is slow: the system frees its blocks and cached
// pages before unlink returns (a tenth of a second for a 300 MB header).
// removeFileInBackground takes the name away at once and leaves the
// freeing to a thread of its own, so that a run regenerating its output
// does not wait for the old file to go.
#pragma once

#include <string>

// Removes the file's name like deleteFile; the file's space is released
// in the background. False, with nothing changed, when it cannot be
// removed.
bool removeFileInBackground(const std::string& path);

// Waits until every file removed so far is released (also done at exit).
void finishFileRemovals();
