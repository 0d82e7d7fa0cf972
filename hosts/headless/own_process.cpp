#include "hosts/headless/own_process.h"

#include <unistd.h>

namespace own_process {

std::string ProgramPath() { return "/proc/self/exe"; }

unsigned long Number() { return static_cast<unsigned long>(getpid()); }

void MakeOutputBinary() {}  // POSIX streams are never anything else

}  // namespace own_process
