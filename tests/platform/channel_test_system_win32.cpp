// The channel tests' system on Windows: children are copies of this program
// started with CreateProcessW, peers are clients of a named pipe.
#include <windows.h>

#include "tests/platform/channel_test_system.h"

namespace platform_test {
namespace {

HANDLE H(std::intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }
std::intptr_t FromH(HANDLE handle) { return handle == nullptr ? -1 : reinterpret_cast<std::intptr_t>(handle); }

// The tests' words are plain ASCII, without quotes.
std::wstring Quoted(const std::string& word) { return L"\"" + std::wstring(word.begin(), word.end()) + L"\""; }

// A pipe whose other end the child inherits.
bool ChildPipe(bool childReads, HANDLE* parentEnd, HANDLE* childEnd) {
    SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
    HANDLE read = nullptr;
    HANDLE write = nullptr;
    if (!CreatePipe(&read, &write, &inherited, 0)) return false;
    *parentEnd = childReads ? write : read;
    *childEnd = childReads ? read : write;
    return SetHandleInformation(*parentEnd, HANDLE_FLAG_INHERIT, 0);
}

// The children end with this program, however it ends: none outlives a
// test that timed out.
HANDLE ChildrenJob() {
    static const HANDLE job = [] {
        const HANDLE created = CreateJobObjectW(nullptr, nullptr);
        JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
        limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
        SetInformationJobObject(created, JobObjectExtendedLimitInformation, &limits, sizeof limits);
        return created;
    }();
    return job;
}

bool WriteByte(HANDLE handle, char byte) {
    DWORD written = 0;
    return WriteFile(handle, &byte, 1, &written, nullptr) && written == 1;
}

char ReadByte(HANDLE handle) {
    char byte = 0;
    DWORD read = 0;
    return ReadFile(handle, &byte, 1, &read, nullptr) && read == 1 ? byte : 0;
}

bool BytesWaiting(HANDLE pipe, std::size_t size) {
    DWORD waiting = 0;
    return PeekNamedPipe(pipe, nullptr, 0, nullptr, &waiting, nullptr) && waiting >= size;
}

}  // namespace

ChildProcess::ChildProcess(const std::string& role, const std::vector<std::string>& args) {
    wchar_t self[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring line = L"\"" + std::wstring(self, length) + L"\" --child " + Quoted(role);
    for (const std::string& arg : args) line += L" " + Quoted(arg);
    HANDLE input = nullptr, output = nullptr, childInput = nullptr, childOutput = nullptr, childError = nullptr;
    if (!ChildPipe(true, &input, &childInput) || !ChildPipe(false, &output, &childOutput)) return;
    // Its complaints go where this program's go.
    DuplicateHandle(GetCurrentProcess(), GetStdHandle(STD_ERROR_HANDLE), GetCurrentProcess(), &childError, 0,
                    TRUE, DUPLICATE_SAME_ACCESS);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = childInput;
    startup.hStdOutput = childOutput;
    startup.hStdError = childError;
    PROCESS_INFORMATION started{};
    if (CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, CREATE_SUSPENDED, nullptr, nullptr, &startup,
                       &started)) {
        AssignProcessToJobObject(ChildrenJob(), started.hProcess);
        ResumeThread(started.hThread);
        CloseHandle(started.hThread);
        process_ = FromH(started.hProcess);
    }
    // Closed at once, so that no later child inherits them and the parent
    // hears the end of the child's output when the child ends.
    for (HANDLE handle : {childInput, childOutput, childError}) {
        if (handle != nullptr) CloseHandle(handle);
    }
    input_ = FromH(input);
    output_ = FromH(output);
}

ChildProcess::~ChildProcess() {
    if (process_ != -1 && !ExitCode(false)) {
        TerminateProcess(H(process_), 255);
        ExitCode();
    }
    for (std::intptr_t handle : {process_, input_, output_}) {
        if (handle != -1) CloseHandle(H(handle));
    }
}

bool ChildProcess::Tell(char byte) { return WriteByte(H(input_), byte); }

char ChildProcess::Hear() { return ReadByte(H(output_)); }

std::optional<int> ChildProcess::ExitCode(bool wait) {
    if (exitCode_ || process_ == -1) return exitCode_;
    const DWORD waited = WaitForSingleObject(H(process_), wait ? 60000 : 0);
    DWORD code = 0;
    if (waited == WAIT_OBJECT_0 && GetExitCodeProcess(H(process_), &code)) {
        exitCode_ = static_cast<int>(code);
    } else if (wait) {
        TerminateProcess(H(process_), 255);
        WaitForSingleObject(H(process_), INFINITE);
        exitCode_ = -1;
    }
    return exitCode_;
}

bool TellParent(char byte) { return WriteByte(GetStdHandle(STD_OUTPUT_HANDLE), byte); }

char HearParent() { return ReadByte(GetStdHandle(STD_INPUT_HANDLE)); }

bool ParentHasSpoken() { return BytesWaiting(GetStdHandle(STD_INPUT_HANDLE), 1); }

ChannelPeer::ChannelPeer(const std::string& address) {
    const HANDLE pipe = CreateFileA(address.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0,
                                    nullptr);
    connected = pipe != INVALID_HANDLE_VALUE;
    handle_ = connected ? FromH(pipe) : -1;
}

ChannelPeer::~ChannelPeer() {
    if (connected) CloseHandle(H(handle_));
}

bool ChannelPeer::Send(const void* data, std::size_t size) {
    DWORD written = 0;
    return WriteFile(H(handle_), data, static_cast<DWORD>(size), &written, nullptr) && written == size;
}

bool ChannelPeer::Reply(void* data, std::size_t size) {
    DWORD read = 0;
    return BytesWaiting(H(handle_), size) && ReadFile(H(handle_), data, static_cast<DWORD>(size), &read, nullptr) &&
           read == size;
}

AddressHolder::AddressHolder(const std::string& address) {
    holding = true;
    for (std::intptr_t& handle : handles_) {
        const HANDLE pipe = CreateNamedPipeA(address.c_str(), PIPE_ACCESS_DUPLEX, PIPE_TYPE_MESSAGE,
                                             PIPE_UNLIMITED_INSTANCES, 64, 64, 0, nullptr);
        holding = holding && pipe != INVALID_HANDLE_VALUE;
        handle = FromH(pipe);
    }
}

AddressHolder::~AddressHolder() {
    for (std::intptr_t handle : handles_) {
        if (handle != -1) CloseHandle(H(handle));
    }
}

LockKeptInBeing::LockKeptInBeing(const std::string& name) {
    const HANDLE mutex = CreateMutexA(nullptr, FALSE, ("Local\\" + name).c_str());
    found = mutex != nullptr && GetLastError() == ERROR_ALREADY_EXISTS;
    handle_ = FromH(mutex);
}

LockKeptInBeing::~LockKeptInBeing() {
    if (handle_ != -1) CloseHandle(H(handle_));
}

bool IsSignalled(std::intptr_t waitable) { return WaitForSingleObject(H(waitable), 0) == WAIT_OBJECT_0; }

}  // namespace platform_test
