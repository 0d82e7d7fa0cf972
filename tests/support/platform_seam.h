// The platform stand-in's controls that only the tests and the long runs use:
// planted failures of system calls, and a fresh process within this one.
#pragma once

#include "platform/internal/state.h"

namespace platform {

using Faults = internal::Faults;

// Reaches the program's failure paths: the calls named fail until the next
// SetFaults or ResetForTesting.
void SetFaults(const Faults& faults);

// Forgets every window, message, display and resource table: a fresh process,
// for runs that start the program more than once.
void ResetForTesting();

}  // namespace platform
