// The file replaced on Windows: written beside the target under another name,
// flushed to the disk, then moved over it, so that a failure at any step
// leaves the old file whole.
#include <windows.h>
// The system has a ReplaceFile of its own, a macro for ReplaceFileW: ours is
// the one defined here.
#undef ReplaceFile

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "hosts/files/replace_file.h"

namespace {

std::string Refusal(const std::string& path, const std::string& reason) {
    return "cannot write '" + path + "': " + reason;
}

std::string LastError() { return std::system_category().message(static_cast<int>(GetLastError())); }

// Writes and flushes the new file, which must not exist yet; "" or the reason.
std::string Fill(const std::wstring& temporary, std::string_view bytes) {
    const HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return LastError();
    std::string failure;
    while (failure.empty() && !bytes.empty()) {
        DWORD written = 0;
        const auto chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
        if (!WriteFile(file, bytes.data(), chunk, &written, nullptr)) failure = LastError();
        bytes.remove_prefix(written);
    }
    if (failure.empty() && !FlushFileBuffers(file)) failure = LastError();
    CloseHandle(file);
    return failure;
}

}  // namespace

std::string ReplaceFile(const std::string& path, std::string_view bytes) {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path target = fs::weakly_canonical(path.empty() ? fs::path(".") : fs::u8path(path), error);
    if (error) return Refusal(path, error.message());
    const DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return Refusal(path, "not a regular file");
    }
    const std::wstring temporary =
        (target.parent_path() / (L"." + target.filename().wstring() + L"." + std::to_wstring(GetCurrentProcessId())))
            .wstring();
    std::string failure = Fill(temporary, bytes);
    if (failure.empty() &&
        !MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        failure = LastError();
    }
    if (failure.empty()) return {};
    DeleteFileW(temporary.c_str());
    return Refusal(path, failure);
}
