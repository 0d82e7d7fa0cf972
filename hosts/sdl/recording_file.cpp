#include "hosts/sdl/recording_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <utility>

namespace sdlhost {

std::string RecordingPathProblem(const std::string& path, bool overwrite) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0) {
        if (errno != ENOENT) return std::strerror(errno);
        std::filesystem::path folder = std::filesystem::path(path).parent_path();
        if (folder.empty()) folder = ".";
        return ::access(folder.c_str(), W_OK | X_OK) == 0 ? std::string{} : std::strerror(errno);
    }
    if (S_ISLNK(info.st_mode)) return "it is a symbolic link; give the file itself";
    if (!S_ISREG(info.st_mode)) return "not a regular file";
    if (!overwrite) return "the file exists; --overwrite replaces it";
    return ::access(path.c_str(), W_OK) == 0 ? std::string{} : std::strerror(errno);
}

// O_EXCL and O_NOFOLLOW hold to the path as checked should it change
// meanwhile; O_NONBLOCK keeps a pipe put there from holding the game up.
RecordingFile::RecordingFile(const std::string& path, bool overwrite) {
    const int flags = O_WRONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | (overwrite ? 0 : O_EXCL);
    descriptor_ = ::open(path.c_str(), flags, 0666);
    if (descriptor_ < 0) {
        Fail(std::strerror(errno));
        return;
    }
    struct stat info {};
    if (::fstat(descriptor_, &info) != 0) {
        Fail(std::strerror(errno));
    } else if (!S_ISREG(info.st_mode)) {
        Fail("not a regular file");
    } else if (::ftruncate(descriptor_, 0) != 0) {
        Fail(std::strerror(errno));
    }
}

RecordingFile::~RecordingFile() {
    if (descriptor_ >= 0) ::close(descriptor_);
}

bool RecordingFile::Write(std::string_view text) {
    if (descriptor_ < 0) return false;
    while (!text.empty()) {
        const ssize_t count = ::write(descriptor_, text.data(), text.size());
        if (count < 0 && errno == EINTR) continue;
        if (count < 0) return Fail(std::strerror(errno));
        text.remove_prefix(static_cast<std::size_t>(count));
    }
    return true;
}

bool RecordingFile::Fail(std::string reason) {
    if (descriptor_ >= 0) ::close(descriptor_);
    descriptor_ = -1;
    problem_ = std::move(reason);
    return false;
}

}  // namespace sdlhost
