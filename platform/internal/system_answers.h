// What the system around the program decides and the program cannot: whether
// it has the resources a call needs, and which user the program runs as. The
// program links the plain answers (system_answers.cpp: every call has what it
// needs, the process's own user); a build that needs other answers links its
// own source in their place.
#pragma once

#ifdef _WIN32
#include <string>
#else
#include <sys/types.h>
#endif

namespace platform::internal {

enum class SystemCall { kRegisterClass, kCreateWindow, kFullScreen };

// False when a system short of resources refuses `call`.
bool SystemHasResourcesFor(SystemCall call);

// The user the single-instance channel takes its peers for: a user id on
// Unix, a SID in text on Windows. Only a peer running as this user is a copy
// of ours, whichever end of the channel it holds.
#ifdef _WIN32
using ChannelUserId = std::string;
#else
using ChannelUserId = uid_t;
#endif
ChannelUserId ChannelUser();

}  // namespace platform::internal
