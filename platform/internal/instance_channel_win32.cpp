// The single-instance channel on Windows. The running copy owns a named pipe
// whose name holds the user, the logon session and the key; the pipe admits
// this user alone, and each side also checks that the other runs as this user
// in this session before a byte is read, so a stranger who made the name first
// is neither answered nor obeyed. The startup lock is a named mutex in the
// session's namespace: one left by a copy that died is taken over at once.
// A copy that went away leaves nothing behind: its pipe goes with it.
// The running copy keeps many instances of its pipe: some wait for clients,
// and a bounded number hold clients that connected but have not spoken yet,
// so that no client, silent or not, holds up the game's loop or a later start.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <utility>
#include <vector>

#include "platform/internal/instance_channel.h"
#include "platform/internal/win32_channel_system.h"

namespace platform::internal {
namespace {

// As long as on Unix: only a copy that hangs or is stopped takes them up.
constexpr std::uint32_t kStartupLockWaitMs = 30000;
constexpr std::uint64_t kReplyWaitMs = 30000;
// Ends waiting for a client (as many as the Unix side's backlog holds), and
// clients kept while they have not spoken: a flood costs the loop a few quick
// calls, never a wait, and a client that stays silent holds no later one up.
constexpr std::size_t kListeningEnds = 16;
constexpr std::size_t kMostWaitingPeers = 16;

std::string NameOf(const InstanceKey& key, const char* ending) {
    return "mirelink." + win32::UserAndSession() + "." + KeyDigest(key) + ending;
}

// An end stays where it was made: the system writes to it while it waits.
using EndPointer = std::unique_ptr<win32::PipeEnd>;

void SayNoChannel(const std::string& name, win32::Reach holder) {
    const char* why = "it cannot be made";
    if (holder == win32::Reach::kStranger) why = "another user holds its name";
    if (holder == win32::Reach::kOurs || holder == win32::Reach::kBusy) why = "another copy holds it";
    std::fprintf(stderr,
                 "mirelink: single-instance is off for this copy (\\\\.\\pipe\\%s: %s); starting the program "
                 "again will open another game\n",
                 name.c_str(), why);
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
    win32::Handle event = win32::kNone;  // raised by any end with news
    std::vector<EndPointer> ends;  // oldest first
    ~Pipe() {
        for (const EndPointer& end : ends) win32::ClosePipeEnd(end.get());
        win32::CloseEvent(event);
    }
};

std::string ChannelName(const InstanceKey& key) { return NameOf(key, ""); }

std::string ChannelAddress(const InstanceKey& key) { return "\\\\.\\pipe\\" + NameOf(key, ".pipe"); }

void AcquireStartupLock(const InstanceKey& key) {
    for (const HeldLock& held : HeldLocks()) {
        if (held.key == key) return;
    }
    const win32::Handle mutex = win32::TakeMutex(NameOf(key, ".lock"), kStartupLockWaitMs);
    if (mutex == win32::kNone) {
        std::fprintf(stderr, "mirelink: the start-up lock could not be had (another copy is stuck starting, "
                             "or its name is taken); going on without it\n");
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

bool ProbeRunningInstance(const InstanceKey& key) {
    const win32::Reach reach = win32::WhoHolds(NameOf(key, ".pipe"));
    return reach == win32::Reach::kOurs || reach == win32::Reach::kBusy;
}

bool SendToRunningInstance(const InstanceKey& key, UINT message, WPARAM wParam, LPARAM lParam,
                           LRESULT* result) {
    const ChannelRequest request = MakeChannelRequest(message, wParam, lParam);
    const std::uint64_t deadline = win32::NowMs() + kReplyWaitMs;
    // A flood of other clients may push ours out before it spoke; the request
    // is then simply sent again. Handling the message twice is harmless: the
    // hand-over is idempotent.
    for (int attempt = 0; attempt < 3 && win32::NowMs() < deadline; ++attempt) {
        ChannelReply reply{};
        if (win32::ExchangeWithPipe(NameOf(key, ".pipe"), &request, sizeof request, &reply, sizeof reply,
                                    deadline) &&
            IsChannelReply(reply)) {
            *result = static_cast<LRESULT>(reply.result);
            return true;
        }
    }
    std::fprintf(stderr, "mirelink: the copy already running did not answer (it may be stopped or hung)\n");
    return false;
}

std::unique_ptr<ChannelListener> ChannelListener::Listen(const InstanceKey& key) {
    auto pipe = std::make_unique<Pipe>();
    pipe->name = NameOf(key, ".pipe");
    pipe->event = win32::NewEvent();
    auto first = std::make_unique<win32::PipeEnd>();
    // The system refuses a first instance of a name already held, but Wine
    // makes one all the same: who holds the name is asked first.
    win32::Reach holder = win32::WhoHolds(pipe->name);
    if (holder != win32::Reach::kNobody || pipe->event == win32::kNone ||
        !win32::CreatePipeEnd(pipe->name, true, pipe->event, first.get())) {
        if (holder == win32::Reach::kNobody) holder = win32::WhoHolds(pipe->name);
        SayNoChannel(pipe->name, holder);
        return nullptr;
    }
    pipe->ends.push_back(std::move(first));
    std::unique_ptr<ChannelListener> listener(new ChannelListener(std::move(pipe)));
    listener->Replenish();
    return listener;
}

ChannelListener::ChannelListener(std::unique_ptr<Pipe> pipe) : pipe_(std::move(pipe)) {}

ChannelListener::~ChannelListener() = default;

std::intptr_t ChannelListener::Waitable() const { return pipe_->event; }

void ChannelListener::Replenish() {
    std::vector<EndPointer>& ends = pipe_->ends;
    const auto isReading = [](const EndPointer& end) { return end->reading; };
    auto listening = static_cast<std::size_t>(std::count_if(ends.begin(), ends.end(), std::not_fn(isReading)));
    for (; listening < kListeningEnds; ++listening) {
        auto end = std::make_unique<win32::PipeEnd>();
        if (!win32::CreatePipeEnd(pipe_->name, false, pipe_->event, end.get())) {
            std::fprintf(stderr, "mirelink: the hand-over channel could not be renewed\n");
            break;
        }
        ends.push_back(std::move(end));
    }
    // The oldest silent clients make room for new ones.
    auto waiting = static_cast<std::size_t>(std::count_if(ends.begin(), ends.end(), isReading));
    for (auto it = ends.begin(); waiting > kMostWaitingPeers && it != ends.end();) {
        if (!(*it)->reading) {
            ++it;
            continue;
        }
        win32::ClosePipeEnd(it->get());
        it = ends.erase(it);
        --waiting;
    }
}

void ChannelListener::Service(const Handler& handler) {
    // Cleared before looking, so that news arriving meanwhile raises it again.
    win32::ClearEvent(pipe_->event);
    // Taken out first: the handler runs the window's procedure, which may
    // come back here through a message loop of its own.
    std::vector<EndPointer> ends;
    ends.swap(pipe_->ends);
    std::vector<EndPointer> served;
    for (EndPointer& end : ends) {
        std::size_t size = 0;
        const win32::PipeNews news = win32::PollPipeEnd(end.get(), &size);
        if (news == win32::PipeNews::kNothing) {
            pipe_->ends.push_back(std::move(end));
            continue;
        }
        ChannelRequest request;
        std::memcpy(&request, end->buffer, sizeof request);
        if (news == win32::PipeNews::kRequest && size == sizeof request && IsHandOverRequest(request)) {
            const ChannelReply reply = MakeChannelReply(
                handler(request.message, static_cast<WPARAM>(request.wParam), static_cast<LPARAM>(request.lParam)));
            win32::AnswerPipeEnd(end.get(), &reply, sizeof reply);
        }
        served.push_back(std::move(end));
    }
    // New ends listen before the served ones close, so that the name is never
    // free for a moment: neither a stranger nor a starting copy can take it.
    Replenish();
    // Closing (not disconnecting) a served end leaves the answer for its client.
    for (const EndPointer& end : served) win32::ClosePipeEnd(end.get());
    // Starting a read or a wait above clears the shared event: news that came
    // before raises it again.
    for (const EndPointer& end : pipe_->ends) {
        if (win32::HasNews(*end)) {
            win32::RaiseEvent(pipe_->event);
            break;
        }
    }
}

}  // namespace platform::internal
