// The platform stand-in's controls that only the tests and the long runs use:
// planted failures of system calls, another user for the single-instance
// channel, and a fresh process within this one. This source takes the place
// of the program's plain system answers (platform/internal/system_answers.cpp).
#pragma once

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

namespace internal {

// The channel takes itself for another user while `pretend` holds, so that
// its own peers, and the copies it finds, are strangers to it.
void PretendChannelIsAnotherUser(bool pretend);

}  // namespace internal
}  // namespace platform
