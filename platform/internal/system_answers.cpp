// The system's plain answers: every call has what it needs, and the program
// runs as the process's own user.
#include "platform/internal/system_answers.h"

#ifdef _WIN32
#include "platform/internal/win32_channel_system.h"
#else
#include <unistd.h>
#endif

namespace platform::internal {

bool SystemHasResourcesFor(SystemCall) { return true; }

#ifdef _WIN32
ChannelUserId ChannelUser() { return win32::ProcessUser(); }
#else
ChannelUserId ChannelUser() { return getuid(); }
#endif

}  // namespace platform::internal
