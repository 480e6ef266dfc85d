// An interrupt on POSIX systems: the registered files it removes, and one
// that comes while a deferral lives.
#include "util/Interruption.h"

#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <csignal>
#include <string>

#include "TestSupport.h"

namespace {

using testsupport::exists;
using testsupport::TempDir;

volatile std::sig_atomic_t gDelivered = 0;

extern "C" void noteDelivery(int) { gDelivered = 1; }

// Raised while a deferral lives, SIGINT waits for its end; SIGTERM too.
TEST(Interruption, SignalRaisedDuringADeferralArrivesWhenItEnds) {
  for (const int signalNumber : {SIGINT, SIGTERM}) {
    SCOPED_TRACE(signalNumber);
    struct sigaction noting {}, old {};
    noting.sa_handler = noteDelivery;
    sigemptyset(&noting.sa_mask);
    ASSERT_EQ(::sigaction(signalNumber, &noting, &old), 0);
    gDelivered = 0;
    bool deliveredWithin = true;
    {
      const InterruptionDeferral deferral;
      ::raise(signalNumber);
      deliveredWithin = gDelivered != 0;
    }
    const bool deliveredAfter = gDelivered != 0;
    ::sigaction(signalNumber, &old, nullptr);
    EXPECT_FALSE(deliveredWithin);
    EXPECT_TRUE(deliveredAfter);
  }
}

// A child with the run's handlers registers a file and is interrupted,
// within a deferral or not: it ends with 130 and the file is gone, unless
// it is a lock file that another descriptor holds; within a deferral it
// first finishes what it does.
TEST(Interruption, InterruptRemovesRegisteredFilesAfterTheDeferral) {
  const struct {
    const char* what;
    bool deferred;
    bool lockedElsewhere;
    bool fileStays;
  } cases[] = {
      {"plain", false, false, false},
      {"deferred", true, false, false},
      {"lock file held elsewhere", true, true, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir dir;
    const std::string file = dir.file("registered");
    const std::string finished = dir.file("finished");
    testsupport::writeFile(file, "");
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      installInterruptionHandlers();
      const int held = ::open(file.c_str(), O_RDONLY);
      const int registered = ::open(file.c_str(), O_RDONLY);
      if (c.lockedElsewhere) ::flock(held, LOCK_EX);
      registerRemovalOnInterrupt(file, c.lockedElsewhere ? registered : -1);
      if (!c.deferred) ::raise(SIGINT);
      {
        const InterruptionDeferral deferral;
        ::raise(SIGINT);
        ::close(::open(finished.c_str(), O_WRONLY | O_CREAT, 0666));
      }
      ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 130);
    EXPECT_EQ(exists(finished), c.deferred);
    EXPECT_EQ(exists(file), c.fileStays);
  }
}

}  // namespace
