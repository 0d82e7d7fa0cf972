// The system's plain answers: every call has what it needs, and the program
// runs as the process's own user.
#include "platform/internal/system_answers.h"

#include <unistd.h>

namespace platform::internal {

bool SystemHasResourcesFor(SystemCall) { return true; }

uid_t ChannelUser() { return getuid(); }

}  // namespace platform::internal
