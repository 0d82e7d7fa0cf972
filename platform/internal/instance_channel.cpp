#include "platform/internal/instance_channel.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>
#include <utility>
#include <vector>

namespace platform::internal {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// How long a starting copy waits for another one to finish starting.
constexpr milliseconds kStartupLockWait{10000};
// How long the receiver waits for a connected peer to say something.
constexpr int kRequestWaitMs = 5;
// How long a sender waits for the running copy to answer.
constexpr milliseconds kReplyWait{5000};
// Connections answered per service, so a flood cannot hold the loop.
constexpr int kConnectionsPerService = 16;

std::uint64_t Fnv1a(std::uint64_t hash, const void* data, std::size_t size) {
    const auto* bytes = static_cast<const unsigned char*>(data);
    for (std::size_t i = 0; i < size; ++i) {
        hash ^= bytes[i];
        hash *= 0x100000001b3ull;
    }
    return hash;
}

std::uint64_t HashKey(const InstanceKey& key) {
    std::uint64_t hash = 0xcbf29ce484222325ull;
    // Lengths first, so that ("ab", "c") and ("a", "bc") never collide by shape.
    const std::uint64_t lengths[3] = {key.instanceNamespace.size(), key.className.size(),
                                      key.title.size()};
    hash = Fnv1a(hash, lengths, sizeof lengths);
    hash = Fnv1a(hash, key.instanceNamespace.data(), key.instanceNamespace.size());
    hash = Fnv1a(hash, key.className.data(), key.className.size() * sizeof(char16_t));
    hash = Fnv1a(hash, key.title.data(), key.title.size() * sizeof(char16_t));
    return hash;
}

bool IsPrivateDirectory(const std::string& path) {
    struct stat info;
    if (lstat(path.c_str(), &info) != 0) return false;
    return S_ISDIR(info.st_mode) && info.st_uid == getuid() && (info.st_mode & 077) == 0;
}

// A directory only this user can write, or "" when none can be had.
std::string RuntimeDirectory() {
    std::string base;
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && runtime[0] == '/') {
        base = std::string(runtime) + "/mirelink";
    } else {
        base = "/tmp/mirelink-" + std::to_string(getuid());
    }
    if (mkdir(base.c_str(), 0700) != 0 && errno != EEXIST) return "";
    return IsPrivateDirectory(base) ? base : "";
}

bool MakeAddress(const std::string& path, sockaddr_un* address, socklen_t* length) {
    std::memset(address, 0, sizeof *address);
    address->sun_family = AF_UNIX;
    if (path.empty() || path.size() + 1 > sizeof address->sun_path) return false;
    std::memcpy(address->sun_path, path.data(), path.size());
    *length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + path.size() + 1);
    return true;
}

bool PeerIsThisUser(int socket) {
    ucred credentials{};
    socklen_t size = sizeof credentials;
    if (getsockopt(socket, SOL_SOCKET, SO_PEERCRED, &credentials, &size) != 0) return false;
    return size == sizeof credentials && credentials.uid == getuid();
}

// A connected socket to the running copy of this user, or -1.
int ConnectToRunningInstance(const InstanceKey& key) {
    sockaddr_un address;
    socklen_t length;
    if (!MakeAddress(ChannelPath(key), &address, &length)) return -1;
    const auto deadline = Clock::now() + kReplyWait;
    for (;;) {
        const int fd = socket(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
        if (fd < 0) return -1;
        if (connect(fd, reinterpret_cast<const sockaddr*>(&address), length) == 0) {
            if (PeerIsThisUser(fd)) return fd;
            close(fd);
            return -1;
        }
        const int error = errno;
        close(fd);
        // A full backlog means the running copy is busy: try again for a while.
        if (error != EAGAIN || Clock::now() >= deadline) return -1;
        std::this_thread::sleep_for(milliseconds(5));
    }
}

bool WaitReadable(int fd, int timeoutMs) {
    pollfd entry{fd, POLLIN, 0};
    for (;;) {
        const int ready = poll(&entry, 1, timeoutMs);
        if (ready >= 0) return ready > 0;
        if (errno != EINTR) return false;
    }
}

// One exchange: request out, reply in. False when the peer closed or stayed
// silent without an answer.
bool ExchangeOnce(const InstanceKey& key, const ChannelRequest& request, Clock::time_point deadline,
                  LRESULT* result) {
    const int fd = ConnectToRunningInstance(key);
    if (fd < 0) return false;
    bool answered = false;
    if (send(fd, &request, sizeof request, MSG_NOSIGNAL) == static_cast<ssize_t>(sizeof request)) {
        const auto left = std::chrono::duration_cast<milliseconds>(deadline - Clock::now());
        ChannelReply reply{};
        if (left.count() > 0 && WaitReadable(fd, static_cast<int>(left.count())) &&
            recv(fd, &reply, sizeof reply, 0) == static_cast<ssize_t>(sizeof reply) &&
            reply.magic == kChannelMagic && reply.version == kChannelVersion) {
            *result = static_cast<LRESULT>(reply.result);
            answered = true;
        }
    }
    close(fd);
    return answered;
}

// ---- startup locks ----

struct HeldLock {
    InstanceKey key;
    std::string path;
    int fd;
    pid_t owner;  // a forked child shares the lock and must not remove its file
};

void Unlock(const HeldLock& held) {
    // Removed before letting go, so that no lock file is left behind.
    if (held.owner == getpid()) unlink(held.path.c_str());
    close(held.fd);
}

// The locks this process holds; those still held at a normal exit are let go
// of then, files included.
struct LockRegistry {
    std::vector<HeldLock> locks;
    ~LockRegistry() {
        for (const HeldLock& held : locks) Unlock(held);
    }
};

std::vector<HeldLock>& HeldLocks() {
    static LockRegistry registry;
    return registry.locks;
}

// True when the locked descriptor is still the file at `path`: a holder
// removes the file as it lets go, and a waiter that then got the lock on the
// removed file must start over with the new one.
bool StillAtPath(int fd, const std::string& path) {
    struct stat opened;
    struct stat named;
    return fstat(fd, &opened) == 0 && stat(path.c_str(), &named) == 0 &&
           opened.st_dev == named.st_dev && opened.st_ino == named.st_ino;
}

// The locked descriptor, or -1 when the wait ran out or files fail us.
int LockPathWithin(const std::string& path, milliseconds wait) {
    const auto deadline = Clock::now() + wait;
    for (;;) {
        const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
        if (fd < 0) return -1;
        while (flock(fd, LOCK_EX | LOCK_NB) != 0) {
            if ((errno != EWOULDBLOCK && errno != EINTR) || Clock::now() >= deadline) {
                close(fd);
                return -1;
            }
            std::this_thread::sleep_for(milliseconds(2));
        }
        if (StillAtPath(fd, path)) return fd;
        close(fd);
        if (Clock::now() >= deadline) return -1;
    }
}

}  // namespace

std::string ChannelName(const InstanceKey& key) {
    char name[64];
    std::snprintf(name, sizeof name, "mirelink.%u.%016llx", static_cast<unsigned>(getuid()),
                  static_cast<unsigned long long>(HashKey(key)));
    return name;
}

std::string ChannelPath(const InstanceKey& key) {
    const std::string directory = RuntimeDirectory();
    return directory.empty() ? std::string{} : directory + "/" + ChannelName(key) + ".sock";
}

void AcquireStartupLock(const InstanceKey& key) {
    for (const HeldLock& held : HeldLocks()) {
        if (held.key == key) return;
    }
    const std::string directory = RuntimeDirectory();
    if (directory.empty()) return;  // no private place for locks: start unguarded rather than not at all
    const std::string path = directory + "/" + ChannelName(key) + ".lock";
    // A copy stuck in its start-up longer than the wait is not worth hanging for.
    const int fd = LockPathWithin(path, kStartupLockWait);
    if (fd >= 0) HeldLocks().push_back({key, path, fd, getpid()});
}

void ReleaseStartupLock(const InstanceKey& key) {
    auto& locks = HeldLocks();
    for (auto it = locks.begin(); it != locks.end(); ++it) {
        if (it->key == key) {
            Unlock(*it);
            locks.erase(it);
            return;
        }
    }
}

void ReleaseAllStartupLocks() {
    for (const HeldLock& held : HeldLocks()) Unlock(held);
    HeldLocks().clear();
}

bool ProbeRunningInstance(const InstanceKey& key) {
    const int fd = ConnectToRunningInstance(key);
    if (fd < 0) return false;
    close(fd);  // the receiver sees the end at once and drops the connection
    return true;
}

bool SendToRunningInstance(const InstanceKey& key, UINT message, WPARAM wParam, LPARAM lParam,
                           LRESULT* result) {
    ChannelRequest request{};
    request.magic = kChannelMagic;
    request.version = kChannelVersion;
    request.message = message;
    request.wParam = wParam;
    request.lParam = lParam;
    const auto deadline = Clock::now() + kReplyWait;
    // A receiver gives a silent connection only a few ms; if this process was
    // descheduled between connect and send, the request is simply sent again.
    // Handling the message twice is harmless: the hand-over is idempotent.
    for (int attempt = 0; attempt < 3 && Clock::now() < deadline; ++attempt) {
        if (ExchangeOnce(key, request, deadline, result)) return true;
    }
    return false;
}

std::unique_ptr<ChannelListener> ChannelListener::Listen(const InstanceKey& key) {
    const std::string path = ChannelPath(key);
    sockaddr_un address;
    socklen_t length;
    if (!MakeAddress(path, &address, &length)) return nullptr;
    const int fd = socket(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) return nullptr;
    const auto bindTo = [&] { return bind(fd, reinterpret_cast<const sockaddr*>(&address), length) == 0; };
    bool bound = bindTo();
    // A socket left behind by a copy that ended without removing it answers
    // nobody; the start-up lock keeps another starting copy from racing us.
    if (!bound && errno == EADDRINUSE && !ProbeRunningInstance(key)) {
        unlink(path.c_str());
        bound = bindTo();
    }
    if (!bound || listen(fd, 16) != 0) {
        close(fd);
        return nullptr;
    }
    return std::unique_ptr<ChannelListener>(new ChannelListener(fd, path));
}

ChannelListener::ChannelListener(int socket, std::string path)
    : socket_(socket), path_(std::move(path)), owner_(getpid()) {}

ChannelListener::~ChannelListener() {
    close(socket_);
    // A forked child shares the socket and must not remove it.
    if (owner_ == getpid()) unlink(path_.c_str());
}

void ChannelListener::Service(const Handler& handler) {
    for (int i = 0; i < kConnectionsPerService; ++i) {
        const int connection = accept4(socket_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (connection < 0) return;  // nothing waiting (or a transient error): back to the loop
        ServeConnection(connection, handler);
        close(connection);
    }
}

void ChannelListener::ServeConnection(int connection, const Handler& handler) {
    if (!PeerIsThisUser(connection)) return;
    if (!WaitReadable(connection, kRequestWaitMs)) return;
    // One byte more than a request, and MSG_TRUNC, so that a longer packet is seen as such.
    unsigned char buffer[sizeof(ChannelRequest) + 1];
    const ssize_t size = recv(connection, buffer, sizeof buffer, MSG_TRUNC);
    if (size != static_cast<ssize_t>(sizeof(ChannelRequest))) return;
    ChannelRequest request;
    std::memcpy(&request, buffer, sizeof request);
    if (request.magic != kChannelMagic || request.version != kChannelVersion ||
        request.message != WM_USER) {
        return;
    }
    ChannelReply reply{};
    reply.magic = kChannelMagic;
    reply.version = kChannelVersion;
    reply.result = handler(request.message, static_cast<WPARAM>(request.wParam),
                           static_cast<LPARAM>(request.lParam));
    send(connection, &reply, sizeof reply, MSG_NOSIGNAL | MSG_DONTWAIT);
}

}  // namespace platform::internal
