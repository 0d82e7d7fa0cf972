// What the runner needs to know of itself to start another copy and to write
// its output byte for byte.
#pragma once

#include <string>

namespace own_process {

// The path this very program was started from.
std::string ProgramPath();
// A number no other running process has.
unsigned long Number();
// Standard output and error write "\n" as it is (Windows would add "\r").
void MakeOutputBinary();

}  // namespace own_process
