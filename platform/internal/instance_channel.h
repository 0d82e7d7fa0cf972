// The single-instance channel: how a second copy of the program finds the
// running one and hands over to it, across processes.
//
// Copies meet only when they run as the same user, in the same instance
// namespace, with the same window class and title. The running copy listens on
// a Unix socket named after those four. It lives in the user's own runtime
// directory ($XDG_RUNTIME_DIR/mirelink), which no other user can enter; without
// one (or when that path is too long for a socket) it is a name in Linux's
// abstract socket namespace, where no file can be left in the way and the
// peer's credentials tell a stranger holding the name from a copy of ours. A
// starting copy holds a per-key lock from its search until it has created its
// own window, so two copies started together never both believe they are first.
//
// On Windows the copies meet over a named pipe instead, and the startup lock
// is a named mutex in the session's own namespace (instance_channel_win32.cpp).
#pragma once

#ifndef _WIN32
#include <sys/socket.h>
#include <sys/types.h>
#include <sys/un.h>
#endif

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/coredll/coredll.h"

namespace platform::internal {

struct InstanceKey {
    std::string instanceNamespace;
    std::u16string className;
    std::u16string title;

    bool operator==(const InstanceKey&) const = default;
};

// Sixteen hex digits that differ for any difference in the key: the part of
// the channel's name that both systems share.
std::string KeyDigest(const InstanceKey& key);

// The name of a key's channel and lock (without their endings). Stable for a
// user; differs for any difference in the key.
std::string ChannelName(const InstanceKey& key);

// Where the running copy listens. On Unix its socket: a path in the user's
// private directory, or an abstract name, which starts with a NUL. On
// Windows the path of its pipe.
std::string ChannelAddress(const InstanceKey& key);

#ifndef _WIN32

// The socket address of a place ChannelAddress gives; false when it cannot be one.
bool ToSocketAddress(const std::string& place, sockaddr_un* address, socklen_t* length);

#endif

// The fixed-size messages of the channel.
constexpr std::uint32_t kChannelMagic = 0x4B4C524Du;  // "MRLK"
constexpr std::uint16_t kChannelVersion = 1;

struct ChannelRequest {
    std::uint32_t magic;
    std::uint16_t version;
    std::uint16_t reserved;
    std::uint32_t message;
    std::uint32_t reserved2;
    std::uint64_t wParam;
    std::int64_t lParam;
};
static_assert(sizeof(ChannelRequest) == 32);

struct ChannelReply {
    std::uint32_t magic;
    std::uint16_t version;
    std::uint16_t reserved;
    std::int64_t result;
};
static_assert(sizeof(ChannelReply) == 16);

// The one request a copy sends, and the only one a running copy handles: the
// hand-over message, in this channel's version.
inline ChannelRequest MakeChannelRequest(UINT message, WPARAM wParam, LPARAM lParam) {
    ChannelRequest request{};
    request.magic = kChannelMagic;
    request.version = kChannelVersion;
    request.message = message;
    request.wParam = wParam;
    request.lParam = lParam;
    return request;
}
inline bool IsHandOverRequest(const ChannelRequest& request) {
    return request.magic == kChannelMagic && request.version == kChannelVersion && request.message == WM_USER;
}
inline ChannelReply MakeChannelReply(LRESULT result) {
    ChannelReply reply{};
    reply.magic = kChannelMagic;
    reply.version = kChannelVersion;
    reply.result = result;
    return reply;
}
inline bool IsChannelReply(const ChannelReply& reply) {
    return reply.magic == kChannelMagic && reply.version == kChannelVersion;
}

// Waits (bounded) until no other copy with this key is starting, then keeps
// the lock until ReleaseStartupLock, ReleaseAllStartupLocks or process end.
// Taking a lock this process already holds is a no-op.
void AcquireStartupLock(const InstanceKey& key);
void ReleaseStartupLock(const InstanceKey& key);
void ReleaseAllStartupLocks();

// True when a copy run by this user listens for the key, even one too busy
// (or stopped) to take the connection now.
bool ProbeRunningInstance(const InstanceKey& key);

// Sends one message to the running copy and waits a bounded time for its
// answer. False when nobody answered.
bool SendToRunningInstance(const InstanceKey& key, UINT message, WPARAM wParam, LPARAM lParam,
                           LRESULT* result);

// The listening end, owned by the window it belongs to.
class ChannelListener {
public:
    using Handler = std::function<LRESULT(UINT message, WPARAM wParam, LPARAM lParam)>;

    // Null, said on stderr, when the channel cannot be had: later copies will
    // not find this one.
    static std::unique_ptr<ChannelListener> Listen(const InstanceKey& key);
    ~ChannelListener();
    ChannelListener(const ChannelListener&) = delete;
    ChannelListener& operator=(const ChannelListener&) = delete;

    // Answers the requests waiting now and never waits itself: a peer that
    // has connected but not yet spoken is kept for a later service.
    // Only a well-formed WM_USER request from this user reaches the handler.
    void Service(const Handler& handler);

    // Readable (Unix) or signalled (Windows) while a connection or a request
    // waits to be served.
    std::intptr_t Waitable() const;

private:
#ifdef _WIN32
    struct Pipe;
    explicit ChannelListener(std::unique_ptr<Pipe> pipe);
    // Keeps enough ends waiting for clients, and no more waiting for them to speak.
    void Replenish();
    std::unique_ptr<Pipe> pipe_;
#else
    ChannelListener(int socket, int ready, std::string place);
    void AcceptWaiting();
    // True when the peer is done with: answered, refused or gone.
    bool ServePeer(int connection, const Handler& handler);
    void Forget(int connection);
    int socket_;
    int ready_;  // epoll set of the socket and the peers not yet heard
    std::string place_;
    dev_t device_ = 0;  // the socket file as bound, so only it is ever removed
    ino_t inode_ = 0;
    pid_t owner_;  // the process that made the socket
    std::vector<int> waiting_;  // accepted, oldest first
#endif
};

}  // namespace platform::internal
