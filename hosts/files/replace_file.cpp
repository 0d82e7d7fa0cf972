#include "hosts/files/replace_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

namespace {

std::string Refusal(const std::string& path, const std::string& reason) {
    return "cannot write '" + path + "': " + reason;
}

int WriteAll(int descriptor, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t count = ::write(descriptor, bytes.data(), bytes.size());
        if (count < 0 && errno == EINTR) continue;
        if (count < 0) return errno;
        bytes.remove_prefix(static_cast<std::size_t>(count));
    }
    return 0;
}

// The permissions a file created with open() would get.
mode_t NewFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Writes, syncs and closes the temporary file; 0 or the first error.
int FillTemporary(int descriptor, std::string_view bytes, mode_t mode) {
    int error = WriteAll(descriptor, bytes);
    if (error == 0 && ::fchmod(descriptor, mode) != 0) error = errno;
    // Without it a crash just after the rename could leave an empty file
    // where the old one was.
    if (error == 0 && ::fsync(descriptor) != 0) error = errno;
    if (::close(descriptor) != 0 && error == 0) error = errno;
    return error;
}

}  // namespace

std::string ReplaceFile(const std::string& path, std::string_view bytes) {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path target = fs::weakly_canonical(path.empty() ? fs::path(".") : fs::path(path), error);
    if (error) return Refusal(path, error.message());
    mode_t mode = NewFileMode();
    struct stat info {};
    if (::stat(target.c_str(), &info) == 0) {
        if (!S_ISREG(info.st_mode)) return Refusal(path, "not a regular file");
        mode = info.st_mode & 07777;
    } else if (errno != ENOENT) {
        return Refusal(path, std::strerror(errno));
    }
    // Built piece by piece: GCC 12 warns falsely (-Wrestrict) on "." + name.
    std::string name(".");
    name += target.filename().string();
    name += ".XXXXXX";
    std::string temporary = (target.parent_path() / name).string();
    const int descriptor = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (descriptor < 0) return Refusal(path, std::strerror(errno));
    int failure = FillTemporary(descriptor, bytes, mode);
    if (failure == 0 && ::rename(temporary.c_str(), target.c_str()) != 0) failure = errno;
    if (failure == 0) return {};
    ::unlink(temporary.c_str());
    return Refusal(path, std::strerror(failure));
}
