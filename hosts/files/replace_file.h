// Writing a file the user named without ever harming what is there: the new
// contents go to a temporary file beside it, which is renamed over it only
// once all of it is written and on the disk.
#pragma once

#include <string>
#include <string_view>

// Puts `bytes` in the file at `path`, creating it or replacing its contents.
// A symbolic link is followed: the file it names gets the contents and the
// link stays. Anything but a regular file (a device, a pipe, a folder) is
// refused. Returns an empty string, or why not; then every file is as it was.
std::string ReplaceFile(const std::string& path, std::string_view bytes);
