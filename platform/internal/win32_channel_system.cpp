#include "platform/internal/win32_channel_system.h"

#include <windows.h>
#include <sddl.h>

#include <cstring>

#include "platform/internal/system_answers.h"

namespace platform::internal::win32 {
namespace {

HANDLE H(Handle handle) { return reinterpret_cast<HANDLE>(handle); }
Handle FromH(HANDLE handle) {
    return handle == nullptr || handle == INVALID_HANDLE_VALUE ? kNone : reinterpret_cast<Handle>(handle);
}

std::wstring Wide(const std::string& text) { return std::wstring(text.begin(), text.end()); }

// The user a process runs as, as a SID string; empty when it cannot be read.
std::string UserOfToken(HANDLE token) {
    unsigned char buffer[256];
    DWORD size = 0;
    if (!GetTokenInformation(token, TokenUser, buffer, sizeof buffer, &size)) return "";
    char* text = nullptr;
    if (!ConvertSidToStringSidA(reinterpret_cast<TOKEN_USER*>(buffer)->User.Sid, &text)) return "";
    std::string user(text);
    LocalFree(text);
    return user;
}

std::string UserOfProcess(DWORD processId) {
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    if (process == nullptr) return "";
    HANDLE token = nullptr;
    std::string user;
    if (OpenProcessToken(process, TOKEN_QUERY, &token)) {
        user = UserOfToken(token);
        CloseHandle(token);
    }
    CloseHandle(process);
    return user;
}

std::string ThisUser() {
    static const std::string user = UserOfProcess(GetCurrentProcessId());
    return user;
}

DWORD ThisSession() {
    DWORD session = 0;
    ProcessIdToSessionId(GetCurrentProcessId(), &session);
    return session;
}

// A peer is one of ours when it runs as the channel's user in this session.
bool IsOurs(DWORD processId, DWORD session) {
    const std::string user = ChannelUser();
    return session == ThisSession() && !user.empty() && UserOfProcess(processId) == user;
}

// Objects this user alone may open (and the system, which may anyway).
struct OwnSecurity {
    SECURITY_ATTRIBUTES attributes{sizeof(SECURITY_ATTRIBUTES), nullptr, FALSE};
    OwnSecurity() {
        const std::wstring text = L"D:P(A;;GA;;;" + Wide(ThisUser()) + L")(A;;GA;;;SY)";
        ConvertStringSecurityDescriptorToSecurityDescriptorW(text.c_str(), SDDL_REVISION_1,
                                                             &attributes.lpSecurityDescriptor, nullptr);
    }
    ~OwnSecurity() { LocalFree(attributes.lpSecurityDescriptor); }
    OwnSecurity(const OwnSecurity&) = delete;
    OwnSecurity& operator=(const OwnSecurity&) = delete;
    SECURITY_ATTRIBUTES* get() { return attributes.lpSecurityDescriptor ? &attributes : nullptr; }
};

std::wstring PipePath(const std::string& name) { return L"\\\\.\\pipe\\" + Wide(name); }

// Starts waiting for the next client; the event turns signalled when one comes.
bool Listen(PipeEnd* end, OVERLAPPED* overlapped) {
    std::memset(overlapped, 0, sizeof *overlapped);
    overlapped->hEvent = H(end->event);
    if (ConnectNamedPipe(H(end->pipe), overlapped)) return true;
    const DWORD error = GetLastError();
    if (error == ERROR_PIPE_CONNECTED) {
        // A client came between the end's making and its wait. The record
        // was marked pending all the same, and no operation will finish it.
        end->clientFirst = true;
        SetEvent(H(end->event));
    }
    return error == ERROR_PIPE_CONNECTED || error == ERROR_IO_PENDING;
}

// One pending operation per pipe end at a time: its OVERLAPPED lives as long
// as the end, beside the buffer it reads into.
OVERLAPPED& Pending(PipeEnd* end) {
    static_assert(sizeof(OVERLAPPED) <= 64);
    return *reinterpret_cast<OVERLAPPED*>(end->overlapped);
}

// One connection attempt that never waits: the connected pipe (in `connected`)
// when its server is one of ours.
Reach Connect(const std::wstring& path, HANDLE* connected) {
    HANDLE pipe = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_FLAG_OVERLAPPED | SECURITY_SQOS_PRESENT | SECURITY_IDENTIFICATION, nullptr);
    if (pipe == INVALID_HANDLE_VALUE) {
        switch (GetLastError()) {
            case ERROR_FILE_NOT_FOUND: return Reach::kNobody;
            case ERROR_PIPE_BUSY: return Reach::kBusy;
            case ERROR_ACCESS_DENIED: return Reach::kStranger;  // a pipe not open to this user
            default: return Reach::kFailed;
        }
    }
    ULONG processId = 0;
    ULONG session = 0;
    if (!GetNamedPipeServerProcessId(pipe, &processId) || !GetNamedPipeServerSessionId(pipe, &session) ||
        !IsOurs(processId, session)) {
        CloseHandle(pipe);
        return Reach::kStranger;
    }
    *connected = pipe;
    return Reach::kOurs;
}

}  // namespace

std::string ProcessUser() { return ThisUser(); }

std::string UserAndSession() {
    if (ThisUser().empty()) return "";
    return ThisUser() + "." + std::to_string(ThisSession());
}

Handle TakeMutex(const std::string& name, std::uint32_t waitMs) {
    OwnSecurity security;
    HANDLE mutex = CreateMutexW(security.get(), FALSE, (L"Local\\" + Wide(name)).c_str());
    if (mutex == nullptr) return kNone;
    const DWORD waited = WaitForSingleObject(mutex, waitMs);
    if (waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED) return FromH(mutex);
    CloseHandle(mutex);
    return kNone;
}

void GiveMutex(Handle mutex) {
    if (mutex == kNone) return;
    ReleaseMutex(H(mutex));
    CloseHandle(H(mutex));
}

Handle NewEvent() { return FromH(CreateEventW(nullptr, TRUE, FALSE, nullptr)); }
void CloseEvent(Handle event) {
    if (event != kNone) CloseHandle(H(event));
}
void ClearEvent(Handle event) { ResetEvent(H(event)); }
void RaiseEvent(Handle event) { SetEvent(H(event)); }

bool CreatePipeEnd(const std::string& name, bool first, Handle event, PipeEnd* end) {
    OwnSecurity security;
    if (security.get() == nullptr) return false;
    const DWORD openMode = PIPE_ACCESS_DUPLEX | FILE_FLAG_OVERLAPPED | (first ? FILE_FLAG_FIRST_PIPE_INSTANCE : 0);
    const DWORD pipeMode = PIPE_TYPE_MESSAGE | PIPE_READMODE_MESSAGE | PIPE_WAIT | PIPE_REJECT_REMOTE_CLIENTS;
    end->pipe = FromH(CreateNamedPipeW(PipePath(name).c_str(), openMode, pipeMode, PIPE_UNLIMITED_INSTANCES,
                                       sizeof end->buffer, sizeof end->buffer, 0, security.get()));
    end->event = event;
    end->reading = false;
    end->clientFirst = false;
    if (end->pipe != kNone && Listen(end, &Pending(end))) return true;
    ClosePipeEnd(end);
    return false;
}

void ClosePipeEnd(PipeEnd* end) {
    if (end->pipe == kNone) return;
    // The system writes to the end's record when its operation ends, even a
    // cancelled one: the record must outlive the operation. The end comes
    // at once; the bound only keeps a system that never ends one from
    // holding the game.
    OVERLAPPED& overlapped = Pending(end);
    if (!HasNews(*end) && CancelIoEx(H(end->pipe), &overlapped)) {
        for (int i = 0; i < 1000 && !HasOverlappedIoCompleted(&overlapped); ++i) Sleep(1);
    }
    CloseHandle(H(end->pipe));
    end->pipe = kNone;
}

PipeNews PollPipeEnd(PipeEnd* end, std::size_t* size) {
    OVERLAPPED& overlapped = Pending(end);
    DWORD got = 0;
    const bool connectedEarly = end->clientFirst && !end->reading;
    if (!connectedEarly && !GetOverlappedResult(H(end->pipe), &overlapped, &got, FALSE)) {
        const DWORD error = GetLastError();
        return error == ERROR_IO_INCOMPLETE ? PipeNews::kNothing : PipeNews::kDone;
    }
    if (end->reading) {
        *size = got;
        return PipeNews::kRequest;
    }
    // A client connected: a stranger is turned away before it is read.
    ULONG processId = 0;
    ULONG session = 0;
    if (!GetNamedPipeClientProcessId(H(end->pipe), &processId) ||
        !GetNamedPipeClientSessionId(H(end->pipe), &session) || !IsOurs(processId, session)) {
        return PipeNews::kDone;
    }
    end->reading = true;
    std::memset(&overlapped, 0, sizeof overlapped);
    overlapped.hEvent = H(end->event);
    // Room past the largest message, so that a longer one shows by its size.
    if (!ReadFile(H(end->pipe), end->buffer, sizeof end->buffer, nullptr, &overlapped) &&
        GetLastError() != ERROR_IO_PENDING) {
        return PipeNews::kDone;
    }
    return PollPipeEnd(end, size);
}

bool HasNews(const PipeEnd& end) {
    return (end.clientFirst && !end.reading) ||
           HasOverlappedIoCompleted(reinterpret_cast<const OVERLAPPED*>(end.overlapped));
}

void AnswerPipeEnd(PipeEnd* end, const void* data, std::size_t size) {
    OVERLAPPED overlapped{};
    overlapped.hEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    // The pipe's buffer holds the small answer at once; a client that has
    // stopped reading never makes this copy wait.
    if (!WriteFile(H(end->pipe), data, static_cast<DWORD>(size), nullptr, &overlapped) &&
        GetLastError() == ERROR_IO_PENDING) {
        CancelIo(H(end->pipe));
        DWORD moved = 0;
        GetOverlappedResult(H(end->pipe), &overlapped, &moved, TRUE);  // the record lives until then
    }
    if (overlapped.hEvent != nullptr) CloseHandle(overlapped.hEvent);
}

Reach WhoHolds(const std::string& name) {
    HANDLE pipe = INVALID_HANDLE_VALUE;
    const Reach reach = Connect(PipePath(name), &pipe);
    if (reach == Reach::kOurs) CloseHandle(pipe);  // the owner sees the end and drops the connection
    return reach;
}

std::uint64_t NowMs() { return GetTickCount64(); }

bool ExchangeWithPipe(const std::string& name, const void* request, std::size_t requestSize,
                      void* reply, std::size_t replySize, std::uint64_t deadlineMs) {
    const std::wstring path = PipePath(name);
    HANDLE pipe = INVALID_HANDLE_VALUE;
    // A busy copy is given until the deadline to take the connection.
    Reach reach = Connect(path, &pipe);
    while (reach == Reach::kBusy && NowMs() < deadlineMs) {
        WaitNamedPipeW(path.c_str(), static_cast<DWORD>(deadlineMs - NowMs()));
        reach = Connect(path, &pipe);
    }
    if (reach != Reach::kOurs) return false;
    DWORD mode = PIPE_READMODE_MESSAGE;
    HANDLE event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    bool answered = false;
    if (event != nullptr && SetNamedPipeHandleState(pipe, &mode, nullptr, nullptr)) {
        OVERLAPPED overlapped{};
        overlapped.hEvent = event;
        DWORD moved = 0;
        if (WriteFile(pipe, request, static_cast<DWORD>(requestSize), nullptr, &overlapped) ||
            GetLastError() == ERROR_IO_PENDING) {
            const bool written = GetOverlappedResult(pipe, &overlapped, &moved, TRUE) && moved == requestSize;
            overlapped = OVERLAPPED{};
            overlapped.hEvent = event;
            if (written && (ReadFile(pipe, reply, static_cast<DWORD>(replySize), nullptr, &overlapped) ||
                            GetLastError() == ERROR_IO_PENDING)) {
                const DWORD left = NowMs() < deadlineMs ? static_cast<DWORD>(deadlineMs - NowMs()) : 0;
                if (WaitForSingleObject(event, left) != WAIT_OBJECT_0) CancelIo(pipe);
                answered = GetOverlappedResult(pipe, &overlapped, &moved, TRUE) && moved == replySize;
            }
        }
    }
    if (event != nullptr) CloseHandle(event);
    CloseHandle(pipe);
    return answered;
}

}  // namespace platform::internal::win32
