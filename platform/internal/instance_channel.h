// The single-instance channel: how a second copy of the program finds the
// running one and hands over to it, across processes.
//
// Copies meet only when they run as the same user, in the same instance
// namespace, with the same window class and title. The running copy listens on
// a Unix socket named after those four in the user's own runtime directory; a
// starting copy holds a per-key lock file there from its search until it has
// created its own window, so two copies started together never both believe
// they are first.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/coredll/coredll.h"

namespace platform::internal {

struct InstanceKey {
    std::string instanceNamespace;
    std::u16string className;
    std::u16string title;

    bool operator==(const InstanceKey&) const = default;
};

// The file name of a key's socket and lock (without their endings). Stable
// for a user; differs for any difference in the key.
std::string ChannelName(const InstanceKey& key);

// Where the running copy's socket is: in a directory only this user may
// enter; empty when there is none to be had.
std::string ChannelPath(const InstanceKey& key);

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

// Waits (bounded) until no other copy with this key is starting, then keeps
// the lock until ReleaseStartupLock, ReleaseAllStartupLocks or process end.
// Taking a lock this process already holds is a no-op.
void AcquireStartupLock(const InstanceKey& key);
void ReleaseStartupLock(const InstanceKey& key);
void ReleaseAllStartupLocks();

// True when a copy run by this user listens for the key.
bool ProbeRunningInstance(const InstanceKey& key);

// Sends one message to the running copy and waits a bounded time for its
// answer. False when nobody answered.
bool SendToRunningInstance(const InstanceKey& key, UINT message, WPARAM wParam, LPARAM lParam,
                           LRESULT* result);

// The listening end, owned by the window it belongs to.
class ChannelListener {
public:
    using Handler = std::function<LRESULT(UINT message, WPARAM wParam, LPARAM lParam)>;

    // Null when the name is taken or sockets are unavailable.
    static std::unique_ptr<ChannelListener> Listen(const InstanceKey& key);
    ~ChannelListener();
    ChannelListener(const ChannelListener&) = delete;
    ChannelListener& operator=(const ChannelListener&) = delete;

    // Answers the requests waiting now; never waits long for a silent peer.
    // Only a well-formed WM_USER request from this user reaches the handler.
    void Service(const Handler& handler);

    // Readable while a request waits to be answered.
    int Descriptor() const { return socket_; }

private:
    ChannelListener(int socket, std::string path);
    void ServeConnection(int connection, const Handler& handler);
    int socket_;
    std::string path_;
    int owner_;  // the process that made the socket file
};

}  // namespace platform::internal
