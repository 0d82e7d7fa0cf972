// The file a session is recorded into, taken as the user meant it: a new
// file, or an existing one only when the user said to replace it; never a
// device, a pipe or whatever a symbolic link points to.
#pragma once

#include <string>
#include <string_view>

namespace sdlhost {

// Why a recording cannot go to `path`; empty when it can. Checked before the
// window opens, so that a mistake costs the user no session.
std::string RecordingPathProblem(const std::string& path, bool overwrite);

class RecordingFile {
public:
    // Creates the file (with `overwrite`, empties the existing one). Not
    // open, with the reason in Problem(), when that fails.
    RecordingFile(const std::string& path, bool overwrite);
    ~RecordingFile();
    RecordingFile(const RecordingFile&) = delete;
    RecordingFile& operator=(const RecordingFile&) = delete;

    bool IsOpen() const { return descriptor_ >= 0; }
    // Writes all of `text`; false, with the reason in Problem(), when the
    // file could not take it (a full disk).
    bool Write(std::string_view text);
    const std::string& Problem() const { return problem_; }

private:
    bool Fail(std::string reason);

    int descriptor_ = -1;
    std::string problem_;
};

}  // namespace sdlhost
