// The single-instance channel on Windows. The running copy owns a named pipe
// whose name holds the user, the logon session and the key; the pipe admits
// this user alone, and each side also checks that the other runs as this user
// in this session before a byte is read, so a stranger who made the name first
// is neither answered nor obeyed. The startup lock is a named mutex in the
// session's namespace: one left by a copy that died is taken over at once.
// A copy that went away leaves nothing behind: its pipe goes with it.
#include <cstdio>
#include <cstring>
#include <utility>
#include <vector>

#include "platform/internal/instance_channel.h"
#include "platform/internal/win32_channel_system.h"

namespace platform::internal {
namespace {

// As long as on Unix: only a copy that hangs or is stopped takes them up.
constexpr std::uint32_t kStartupLockWaitMs = 30000;
constexpr std::uint64_t kReplyWaitMs = 30000;

std::uint64_t Fnv1a(std::uint64_t hash, const void* data, std::size_t size) {
    const auto* bytes = static_cast<const unsigned char*>(data);
    for (std::size_t i = 0; i < size; ++i) {
        hash ^= bytes[i];
        hash *= 0x100000001b3ull;
    }
    return hash;
}

std::string NameOf(const InstanceKey& key, const char* ending) {
    std::uint64_t hash = 0xcbf29ce484222325ull;
    const std::uint64_t lengths[3] = {key.instanceNamespace.size(), key.className.size(),
                                      key.title.size()};
    hash = Fnv1a(hash, lengths, sizeof lengths);
    hash = Fnv1a(hash, key.instanceNamespace.data(), key.instanceNamespace.size());
    hash = Fnv1a(hash, key.className.data(), key.className.size() * sizeof(char16_t));
    hash = Fnv1a(hash, key.title.data(), key.title.size() * sizeof(char16_t));
    char text[32];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
    return "mirelink." + win32::UserAndSession() + "." + text + ending;
}

struct HeldLock {
    InstanceKey key;
    win32::Handle mutex;
};

std::vector<HeldLock>& HeldLocks() {
    static std::vector<HeldLock> held;
    return held;
}

}  // namespace

struct ChannelListener::Pipe {
    std::string name;
    win32::PipeEnd end;
};

void AcquireStartupLock(const InstanceKey& key) {
    for (const HeldLock& held : HeldLocks()) {
        if (held.key == key) return;
    }
    const win32::Handle mutex = win32::TakeMutex(NameOf(key, ".lock"), kStartupLockWaitMs);
    if (mutex == win32::kNone) {
        std::fprintf(stderr, "mirelink: another copy is still starting; going on without waiting for it\n");
        return;
    }
    HeldLocks().push_back({key, mutex});
}

void ReleaseStartupLock(const InstanceKey& key) {
    std::vector<HeldLock>& held = HeldLocks();
    for (auto it = held.begin(); it != held.end(); ++it) {
        if (it->key == key) {
            win32::GiveMutex(it->mutex);
            held.erase(it);
            return;
        }
    }
}

void ReleaseAllStartupLocks() {
    for (const HeldLock& held : HeldLocks()) win32::GiveMutex(held.mutex);
    HeldLocks().clear();
}

bool ProbeRunningInstance(const InstanceKey& key) { return win32::PipeExists(NameOf(key, ".pipe")); }

bool SendToRunningInstance(const InstanceKey& key, UINT message, WPARAM wParam, LPARAM lParam,
                           LRESULT* result) {
    const ChannelRequest request = MakeChannelRequest(message, wParam, lParam);
    ChannelReply reply{};
    if (win32::ExchangeWithPipe(NameOf(key, ".pipe"), &request, sizeof request, &reply, sizeof reply,
                                win32::NowMs() + kReplyWaitMs) &&
        IsChannelReply(reply)) {
        *result = static_cast<LRESULT>(reply.result);
        return true;
    }
    std::fprintf(stderr, "mirelink: the copy already running did not answer (it may be stopped or hung)\n");
    return false;
}

std::unique_ptr<ChannelListener> ChannelListener::Listen(const InstanceKey& key) {
    auto pipe = std::make_unique<Pipe>();
    pipe->name = NameOf(key, ".pipe");
    if (!win32::CreatePipeEnd(pipe->name, true, &pipe->end)) {
        std::fprintf(stderr, "mirelink: no hand-over channel (\\\\.\\pipe\\%s is taken or cannot be made); "
                             "a second start will not find this copy\n", pipe->name.c_str());
        return nullptr;
    }
    return std::unique_ptr<ChannelListener>(new ChannelListener(std::move(pipe)));
}

ChannelListener::ChannelListener(std::unique_ptr<Pipe> pipe) : pipe_(std::move(pipe)) {}

ChannelListener::~ChannelListener() { win32::ClosePipeEnd(&pipe_->end); }

std::intptr_t ChannelListener::Waitable() const { return pipe_->end.event; }

void ChannelListener::Service(const Handler& handler) {
    std::size_t size = 0;
    const win32::PipeNews news = win32::PollPipeEnd(&pipe_->end, &size);
    if (news == win32::PipeNews::kNothing) return;
    // The next end listens before this one closes, so the name is never free
    // for a moment: neither a stranger nor a starting copy can take it.
    win32::PipeEnd served = pipe_->end;
    if (!win32::CreatePipeEnd(pipe_->name, false, &pipe_->end)) {
        std::fprintf(stderr, "mirelink: the hand-over channel could not be renewed\n");
    }
    ChannelRequest request;
    std::memcpy(&request, served.buffer, sizeof request);
    if (news == win32::PipeNews::kRequest && size == sizeof request && IsHandOverRequest(request)) {
        const ChannelReply reply = MakeChannelReply(
            handler(request.message, static_cast<WPARAM>(request.wParam), static_cast<LPARAM>(request.lParam)));
        win32::AnswerPipeEnd(&served, &reply, sizeof reply);
    }
    // Closing (not disconnecting) the served end leaves the answer for the client.
    win32::ClosePipeEnd(&served);
}

}  // namespace platform::internal
