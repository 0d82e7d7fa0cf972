// The second copy on Windows: a process started with CreateProcessW, which
// takes one command line that the child's C runtime splits into words again.
#include <windows.h>


#include "hosts/headless/child_process.h"
#include "hosts/headless/utf8_win32.h"

namespace {

// One word quoted so that the C runtime reads it back unchanged: backslashes
// count only before a quote, where each one and the quote get a backslash.
void AppendQuoted(std::wstring& line, const std::wstring& word) {
    line += L'"';
    std::size_t backslashes = 0;
    for (const wchar_t c : word) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        line.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        line += c;
    }
    line.append(backslashes * 2, L'\\');
    line += L'"';
}

std::string LastError() {
    wchar_t* text = nullptr;
    FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                   nullptr, GetLastError(), 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::string reason = text ? Narrow(text) : "error " + std::to_string(GetLastError());
    LocalFree(text);
    while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r')) reason.pop_back();
    return reason;
}

HANDLE Handle(std::intptr_t process) { return reinterpret_cast<HANDLE>(process); }

}  // namespace

std::string ChildProcess::Outcome::Describe() const { return "exited with code " + std::to_string(code); }

std::optional<ChildProcess> ChildProcess::Start(const std::string& program, const std::vector<std::string>& arguments,
                                                std::string* error) {
    const std::wstring path = Wide(program);
    std::wstring line;
    AppendQuoted(line, path);
    for (const std::string& argument : arguments) {
        line += L' ';
        AppendQuoted(line, Wide(argument));
    }
    // The child writes where this process writes, even when that is a pipe.
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(path.c_str(), line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &started)) {
        *error = "cannot start '" + program + "': " + LastError();
        return std::nullopt;
    }
    CloseHandle(started.hThread);
    return ChildProcess(reinterpret_cast<std::intptr_t>(started.hProcess));
}

std::optional<ChildProcess::Outcome> ChildProcess::Poll() {
    if (process_ == kNone) return std::nullopt;
    const DWORD state = WaitForSingleObject(Handle(process_), 0);
    if (state == WAIT_TIMEOUT) return std::nullopt;
    DWORD code = 127;  // lost track of it: count it as failed
    if (state == WAIT_OBJECT_0) GetExitCodeProcess(Handle(process_), &code);
    CloseHandle(Handle(process_));
    process_ = kNone;
    return Outcome{true, static_cast<int>(code), 0};
}

void ChildProcess::Kill() {
    if (process_ == kNone) return;
    TerminateProcess(Handle(process_), 1);
    WaitForSingleObject(Handle(process_), INFINITE);
    CloseHandle(Handle(process_));
    process_ = kNone;
}
