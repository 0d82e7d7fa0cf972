// The system's plain answers: every call has what it needs, and the program
// runs as the process's own user.
#include "platform/internal/system_answers.h"

#ifndef _WIN32
#include <unistd.h>
#endif

namespace platform::internal {

bool SystemHasResourcesFor(SystemCall) { return true; }

#ifndef _WIN32
uid_t ChannelUser() { return getuid(); }
#endif

}  // namespace platform::internal
