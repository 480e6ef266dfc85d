// What happens when a run is interrupted, and to signals that must not end
// it (Interruption-posix.cpp, Interruption-win32.cpp).
//
// A run writes its output and its database into temporary files beside
// them and renames each into place once it is complete, so that a kill
// never leaves a half file at a path the user relies on. On SIGINT and
// SIGTERM every temporary file still registered here is removed and the
// process ends with 128 + the signal number (130, 143). A run killed any
// other way leaves its temporary files; the next run that writes the same
// target removes them (see ReplacementFile).
//
// SIGPIPE is ignored, so that a console that was closed (output piped into
// a command that ended) does not end the run before its files are written;
// SIGXFSZ is ignored, so that a file size limit makes the write fail with
// the run's own message instead of killing the process.
//
// On Windows, Ctrl+C and Ctrl+Break take the place of SIGINT (exit 130),
// and closing the console, logging off or shutting down that of SIGTERM
// (exit 143).
#pragma once

#include <cstdint>
#include <string>

// Installs the handlers; once, before the run starts.
void installInterruptionHandlers();

// Registers a file that an interrupted run is to remove; the slot number
// goes back to unregisterRemovalOnInterrupt. -1 when no slot is free (the
// file is then simply not removed on an interrupt). file is an open
// descriptor or handle of the file, or -1:
// - POSIX: a lock file is given with the descriptor that takes its lock:
//   it is removed only while that descriptor holds the lock and the file
//   is still at the path, so that it can be registered before the lock is
//   taken and stay registered while it is let go, and never another run's
//   lock file is removed.
// - Windows: the handle (opened with delete access) through which the file
//   is removed; its own share mode keeps others from removing it by path.
int registerRemovalOnInterrupt(const std::string& path, std::intptr_t file = -1);
void unregisterRemovalOnInterrupt(int slot);

// Holds an interrupt back while it lives: a file that is made and then
// registered in this time is either not made yet or registered when the
// interrupt is handled, never made and left behind. Keep it short.
class InterruptionDeferral {
 public:
  InterruptionDeferral();
  ~InterruptionDeferral();
  InterruptionDeferral(const InterruptionDeferral&) = delete;
  InterruptionDeferral& operator=(const InterruptionDeferral&) = delete;

 private:
  alignas(16) unsigned char saved_[128];  // POSIX: the signal mask it restores
};
