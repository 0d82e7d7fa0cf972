// The platform stand-in's controls that only the tests and the long runs use:
// planted failures of system calls, another user for the single-instance
// channel, and a fresh process within this one. This source takes the place
// of the program's plain system answers (platform/internal/system_answers.cpp).
#pragma once

#ifndef _WIN32
#include <sys/types.h>
#endif

namespace platform {

// System calls the stand-in refuses, as a system short of resources would.
struct Faults {
    bool registerClassFails = false;
    bool createWindowFails = false;
    bool fullScreenFails = false;
};

// Reaches the program's failure paths: the calls named fail until the next
// SetFaults or ResetForTesting.
void SetFaults(const Faults& faults);

// Forgets every window, message, display and resource table: a fresh process,
// for runs that start the program more than once.
void ResetForTesting();

#ifndef _WIN32
namespace internal {

// The channel takes itself for `user`, so that its own peers are strangers
// (on Windows the channel asks the system, and the tests cannot plant one).
void SetChannelUserForTesting(uid_t user);

}  // namespace internal
#endif
}  // namespace platform
