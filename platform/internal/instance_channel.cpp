#include "platform/internal/instance_channel.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/epoll.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>
#include <utility>

#include "platform/internal/system_answers.h"

namespace platform::internal {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// How long a starting copy waits for another one to finish starting, and for
// the running copy to answer: long, since only a copy that hangs or is
// stopped takes them up, and a busy machine must never be taken for one.
constexpr milliseconds kStartupLockWait{30000};
constexpr milliseconds kReplyWait{30000};
// Connections taken per service, and peers kept while they have not spoken:
// a flood costs the loop a few quick calls, never a wait.
constexpr int kConnectionsPerService = 16;
constexpr std::size_t kMostWaitingPeers = 16;
constexpr int kBacklog = 16;

bool IsPrivateDirectory(const std::string& path) {
    struct stat info;
    if (lstat(path.c_str(), &info) != 0) return false;
    return S_ISDIR(info.st_mode) && info.st_uid == getuid() && (info.st_mode & 077) == 0;
}

// The user's runtime directory is made for the user alone by the system. A
// folder in /tmp is no such place: another user could make it first, as a
// folder, a file or a link. Empty when there is no private folder to be had.
std::string PrivateDirectory() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime == nullptr || runtime[0] != '/') return "";
    const std::string base = std::string(runtime) + "/mirelink";
    if (mkdir(base.c_str(), 0700) != 0 && errno != EEXIST) return "";
    return IsPrivateDirectory(base) ? base : "";
}

std::string PlaceOf(const InstanceKey& key, const char* ending) {
    const std::string name = ChannelName(key) + ending;
    const std::string directory = PrivateDirectory();
    const std::string path = directory + "/" + name;
    if (!directory.empty() && path.size() < sizeof(sockaddr_un::sun_path)) return path;
    return std::string(1, '\0') + name;
}

bool IsAbstract(const std::string& place) { return !place.empty() && place[0] == '\0'; }

// How a place is shown to the player: an abstract name with an '@'.
std::string Shown(const std::string& place) {
    if (!IsAbstract(place)) return place;
    // Replaced in place: GCC 12 warns falsely (-Wrestrict) on "@" + rest.
    std::string shown = place;
    shown[0] = '@';
    return shown;
}

bool PeerIsThisUser(int socket) {
    ucred credentials{};
    socklen_t size = sizeof credentials;
    if (getsockopt(socket, SOL_SOCKET, SO_PEERCRED, &credentials, &size) != 0) return false;
    return size == sizeof credentials && credentials.uid == ChannelUser();
}

int NewSocket() { return socket(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC | SOCK_NONBLOCK, 0); }

// Who answers at a place, found by one connection attempt that never waits.
enum class Reach {
    kNobody,    // refused, or no such file: a socket left behind, or none at all
    kBusy,      // the backlog is full: a copy busy or stopped, there all the same
    kOurs,      // a copy of this user took the connection
    kStranger,  // another user's program holds the name
    kFailed,    // anything else; says nothing about who is there
};

Reach TryConnect(const std::string& place, int* connection) {
    sockaddr_un address;
    socklen_t length;
    if (!ToSocketAddress(place, &address, &length)) return Reach::kFailed;
    const int fd = NewSocket();
    if (fd < 0) return Reach::kFailed;
    if (connect(fd, reinterpret_cast<const sockaddr*>(&address), length) != 0) {
        const int error = errno;
        close(fd);
        if (error == ECONNREFUSED || error == ENOENT) return Reach::kNobody;
        return error == EAGAIN ? Reach::kBusy : Reach::kFailed;
    }
    if (!PeerIsThisUser(fd)) {
        close(fd);
        return Reach::kStranger;
    }
    *connection = fd;
    return Reach::kOurs;
}

// A connected socket to the running copy of this user, or -1. A busy copy is
// given until the deadline to take the connection.
int ConnectToRunningInstance(const InstanceKey& key, Clock::time_point deadline) {
    const std::string place = ChannelAddress(key);
    for (;;) {
        int fd = -1;
        const Reach reach = TryConnect(place, &fd);
        if (reach == Reach::kOurs) return fd;
        if (reach != Reach::kBusy || Clock::now() >= deadline) return -1;
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
    const int fd = ConnectToRunningInstance(key, deadline);
    if (fd < 0) return false;
    bool answered = false;
    if (send(fd, &request, sizeof request, MSG_NOSIGNAL) == static_cast<ssize_t>(sizeof request)) {
        const auto left = std::chrono::duration_cast<milliseconds>(deadline - Clock::now());
        ChannelReply reply{};
        if (left.count() > 0 && WaitReadable(fd, static_cast<int>(left.count())) &&
            recv(fd, &reply, sizeof reply, 0) == static_cast<ssize_t>(sizeof reply) &&
            IsChannelReply(reply)) {
            *result = static_cast<LRESULT>(reply.result);
            answered = true;
        }
    }
    close(fd);
    return answered;
}

void SayNoChannel(const std::string& place, const std::string& why) {
    std::fprintf(stderr,
                 "mirelink: single-instance is off for this copy (%s: %s); starting the program again "
                 "will open another game\n",
                 Shown(place).c_str(), why.c_str());
}

// Binds the listening socket to its place. Only a socket file that refuses
// connections was left by a copy that ended without removing it, and is taken
// over; the start-up lock keeps another starting copy from racing us to it.
// False, with what holds the place, when it cannot be had.
bool BindChannel(int fd, const std::string& place, Reach* holder) {
    sockaddr_un address;
    socklen_t length;
    if (!ToSocketAddress(place, &address, &length)) return false;
    const auto bindTo = [&] { return bind(fd, reinterpret_cast<const sockaddr*>(&address), length) == 0; };
    if (bindTo()) return true;
    if (errno != EADDRINUSE) return false;
    int connection = -1;
    *holder = TryConnect(place, &connection);
    if (connection >= 0) close(connection);
    if (*holder != Reach::kNobody || IsAbstract(place)) return false;
    unlink(place.c_str());
    return bindTo();
}

std::string WhyNoChannel(Reach holder, bool abstract, int error) {
    switch (holder) {
        case Reach::kStranger: return "another user holds its name";
        case Reach::kOurs:
        case Reach::kBusy: return "another copy holds it";
        case Reach::kNobody: return abstract ? "its name is taken" : std::strerror(error);
        case Reach::kFailed: break;
    }
    return std::strerror(error);
}

// ---- startup locks ----
// In the private directory a lock is a file held with flock; in the abstract
// namespace it is the name itself, bound by its holder, whom a connection
// tells from a stranger.

struct HeldLock {
    InstanceKey key;
    std::string place;
    int fd;
    pid_t owner;  // a forked child shares the lock and must not remove its file
};

void Unlock(const HeldLock& held) {
    // Removed before letting go, so that no lock file is left behind.
    if (!IsAbstract(held.place) && held.owner == getpid()) unlink(held.place.c_str());
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
int LockFileWithin(const std::string& path, milliseconds wait) {
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

// The socket holding the abstract name, or -1 when the wait ran out or a
// stranger holds the name (then nobody is worth waiting for).
int LockNameWithin(const std::string& name, milliseconds wait) {
    sockaddr_un address;
    socklen_t length;
    if (!ToSocketAddress(name, &address, &length)) return -1;
    const auto deadline = Clock::now() + wait;
    for (;;) {
        const int fd = NewSocket();
        if (fd < 0) return -1;
        if (bind(fd, reinterpret_cast<const sockaddr*>(&address), length) == 0 && listen(fd, 1) == 0) return fd;
        const int error = errno;
        close(fd);
        int holder = -1;
        if (error != EADDRINUSE || TryConnect(name, &holder) == Reach::kStranger) return -1;
        if (holder >= 0) close(holder);
        if (Clock::now() >= deadline) return -1;
        std::this_thread::sleep_for(milliseconds(2));
    }
}

}  // namespace

std::string ChannelName(const InstanceKey& key) {
    return "mirelink." + std::to_string(getuid()) + "." + KeyDigest(key);
}

std::string ChannelAddress(const InstanceKey& key) { return PlaceOf(key, ".sock"); }

bool ToSocketAddress(const std::string& place, sockaddr_un* address, socklen_t* length) {
    std::memset(address, 0, sizeof *address);
    address->sun_family = AF_UNIX;
    // A path ends with its NUL; an abstract name is exactly its bytes.
    const std::size_t size = place.size() + (IsAbstract(place) ? 0 : 1);
    if (place.empty() || size > sizeof address->sun_path) return false;
    std::memcpy(address->sun_path, place.data(), place.size());
    *length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + size);
    return true;
}

void AcquireStartupLock(const InstanceKey& key) {
    for (const HeldLock& held : HeldLocks()) {
        if (held.key == key) return;
    }
    const std::string place = PlaceOf(key, ".lock");
    // A copy stuck in its start-up longer than the wait is not worth hanging
    // for: start unguarded rather than not at all.
    const int fd = IsAbstract(place) ? LockNameWithin(place, kStartupLockWait)
                                     : LockFileWithin(place, kStartupLockWait);
    if (fd < 0) {
        std::fprintf(stderr, "mirelink: the start-up lock could not be had (another copy is stuck starting, "
                             "or its name is taken); going on without it\n");
        return;
    }
    HeldLocks().push_back({key, place, fd, getpid()});
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
    int fd = -1;
    const Reach reach = TryConnect(ChannelAddress(key), &fd);
    if (fd >= 0) close(fd);  // the receiver sees the end and drops the connection
    return reach == Reach::kOurs || reach == Reach::kBusy;
}

bool SendToRunningInstance(const InstanceKey& key, UINT message, WPARAM wParam, LPARAM lParam,
                           LRESULT* result) {
    const ChannelRequest request = MakeChannelRequest(message, wParam, lParam);
    const auto deadline = Clock::now() + kReplyWait;
    // A flood of other connections may push ours out before we spoke; the
    // request is then simply sent again. Handling the message twice is
    // harmless: the hand-over is idempotent.
    for (int attempt = 0; attempt < 3 && Clock::now() < deadline; ++attempt) {
        if (ExchangeOnce(key, request, deadline, result)) return true;
    }
    std::fprintf(stderr, "mirelink: the copy already running did not answer (it may be stopped or hung)\n");
    return false;
}

std::unique_ptr<ChannelListener> ChannelListener::Listen(const InstanceKey& key) {
    const std::string place = ChannelAddress(key);
    const int fd = NewSocket();
    Reach holder = Reach::kFailed;
    int ready = -1;
    if (fd >= 0 && BindChannel(fd, place, &holder) && listen(fd, kBacklog) == 0) {
        ready = epoll_create1(EPOLL_CLOEXEC);
        epoll_event event{EPOLLIN, {.fd = fd}};
        if (ready >= 0 && epoll_ctl(ready, EPOLL_CTL_ADD, fd, &event) != 0) {
            close(ready);
            ready = -1;
        }
    }
    if (ready < 0) {
        SayNoChannel(place, WhyNoChannel(holder, IsAbstract(place), errno));
        if (fd >= 0) close(fd);
        return nullptr;
    }
    std::unique_ptr<ChannelListener> listener(new ChannelListener(fd, ready, place));
    struct stat info;
    if (!IsAbstract(place) && stat(place.c_str(), &info) == 0) {
        listener->device_ = info.st_dev;
        listener->inode_ = info.st_ino;
    }
    return listener;
}

ChannelListener::ChannelListener(int socket, int ready, std::string place)
    : socket_(socket), ready_(ready), place_(std::move(place)), owner_(getpid()) {}

ChannelListener::~ChannelListener() {
    for (int connection : waiting_) close(connection);
    close(ready_);
    close(socket_);
    // Only the socket file this copy made, and not from a forked child that
    // shares it: a copy started after this one was lost for ended may own the
    // path now.
    struct stat info;
    if (owner_ == getpid() && !IsAbstract(place_) && stat(place_.c_str(), &info) == 0 &&
        info.st_dev == device_ && info.st_ino == inode_) {
        unlink(place_.c_str());
    }
}

void ChannelListener::AcceptWaiting() {
    for (int i = 0; i < kConnectionsPerService; ++i) {
        const int connection = accept4(socket_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (connection < 0) return;  // nothing waiting (or a transient error): back to the loop
        epoll_event event{EPOLLIN, {.fd = connection}};
        if (!PeerIsThisUser(connection) || epoll_ctl(ready_, EPOLL_CTL_ADD, connection, &event) != 0) {
            close(connection);
            continue;
        }
        if (waiting_.size() == kMostWaitingPeers) {
            Forget(waiting_.front());
            waiting_.erase(waiting_.begin());
        }
        waiting_.push_back(connection);
    }
}

std::intptr_t ChannelListener::Waitable() const { return ready_; }

void ChannelListener::Service(const Handler& handler) {
    AcceptWaiting();
    // Taken out first: the handler runs the window's procedure, which may
    // come back here through a message loop of its own.
    std::vector<int> peers;
    peers.swap(waiting_);
    for (int connection : peers) {
        if (ServePeer(connection, handler)) {
            Forget(connection);
        } else {
            waiting_.push_back(connection);
        }
    }
}

void ChannelListener::Forget(int connection) {
    epoll_ctl(ready_, EPOLL_CTL_DEL, connection, nullptr);
    close(connection);
}

bool ChannelListener::ServePeer(int connection, const Handler& handler) {
    // One byte more than a request, and MSG_TRUNC, so that a longer packet is seen as such.
    unsigned char buffer[sizeof(ChannelRequest) + 1];
    const ssize_t size = recv(connection, buffer, sizeof buffer, MSG_TRUNC | MSG_DONTWAIT);
    if (size < 0) return errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR;
    if (size != static_cast<ssize_t>(sizeof(ChannelRequest))) return true;
    ChannelRequest request;
    std::memcpy(&request, buffer, sizeof request);
    if (!IsHandOverRequest(request)) return true;
    const ChannelReply reply = MakeChannelReply(
        handler(request.message, static_cast<WPARAM>(request.wParam), static_cast<LPARAM>(request.lParam)));
    send(connection, &reply, sizeof reply, MSG_NOSIGNAL | MSG_DONTWAIT);
    return true;
}

}  // namespace platform::internal
