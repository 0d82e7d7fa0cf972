// What the system around the program decides and the program cannot: whether
// it has the resources a call needs, and which user the program runs as. The
// program links the plain answers (system_answers.cpp: every call has what it
// needs, the process's own user); a build that needs other answers links its
// own source in their place.
#pragma once

#ifndef _WIN32
#include <sys/types.h>
#endif

namespace platform::internal {

enum class SystemCall { kRegisterClass, kCreateWindow, kFullScreen };

// False when a system short of resources refuses `call`.
bool SystemHasResourcesFor(SystemCall call);

#ifndef _WIN32
// The user the single-instance channel takes its peers for (on Windows the
// channel asks the system for the user's own identity).
uid_t ChannelUser();
#endif

}  // namespace platform::internal
