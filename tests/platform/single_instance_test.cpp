// The single-instance hand-over between real processes, and a channel that
// nothing a peer, another user or a stopped copy does can block or fool.
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/coredll/coredll.h"
#include "platform/internal/instance_channel.h"
#include "platform/platform.h"
#include "tests/platform/test_window.h"
#include "tests/support/fake_host.h"
#include "tests/support/platform_seam.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using platform::HostEvent;
using platform::HostEventKind;
using namespace platform::internal;
using platform_test::CountReceived;
using platform_test::CreateRecordingWindow;
using test_support::FakeHost;
using Clock = std::chrono::steady_clock;

constexpr const char16_t* kClass = u"MIRELINK";
constexpr const char16_t* kTitle = u"Mirelink";
constexpr LRESULT kHandOverAnswer = 1234;

// Exit codes of a copy run in a child process.
enum : int { kHandedOver = 10, kNoAnswer = 11, kNotFound = 12, kNotAnotherUser = 13, kFirst = 14 };

// Another user's program: a peer the test becomes another user for (as
// root, which CI is), or one the channel is told to take for a stranger.
enum class Stranger { kPretended, kRealUser };

std::vector<Stranger> Strangers() {
    if (getuid() == 0) return {Stranger::kPretended, Stranger::kRealUser};
    return {Stranger::kPretended};
}

bool BecomeAnotherUser() { return setgid(65534) == 0 && setuid(65534) == 0; }

void PretendToBeAnotherUser(bool pretend) { SetChannelUserForTesting(pretend ? getuid() + 1 : getuid()); }

// Runs `body` in a forked child that ends with its result; the alarm ends a
// child that hangs. ExitCode is -1 when the child was killed, nothing while
// it still runs and `block` is false.
pid_t StartChild(const std::function<int()>& body) {
    const pid_t pid = fork();
    if (pid == 0) {
        alarm(60);
        const int exitCode = body();
        platform::ResetForTesting();
        _exit(exitCode);
    }
    return pid;
}

std::optional<int> ExitCode(pid_t pid, bool block = true) {
    int status = 0;
    if (waitpid(pid, &status, block ? 0 : WNOHANG) != pid) return std::nullopt;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Runs the message loop in real time until `done` holds or the time is up,
// then has the host close the window, whose procedure quits.
void RunLoopUntil(FakeHost& host, const std::function<bool()>& done) {
    const auto deadline = Clock::now() + 60s;
    host.onWait = [&done, deadline](bool) -> std::optional<HostEvent> {
        std::this_thread::sleep_for(1ms);
        if (done() || Clock::now() > deadline) return HostEvent{HostEventKind::Close, 0, 0};
        return HostEvent{HostEventKind::None, 0, 0};
    };
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0)) DispatchMessageW(&message);
    host.onWait = nullptr;
}

void AnswerHandOverAndQuitOnClose() {
    platform_test::Reaction() = [](HWND, UINT message, WPARAM, LPARAM) -> LRESULT {
        if (message == WM_CLOSE) PostQuitMessage(0);
        return message == WM_USER ? kHandOverAnswer : 0;
    };
}

// A start of the program: hands over to a running copy if it finds one.
int StartedCopy(const std::string& instanceNamespace, const char16_t* title = kTitle) {
    FakeHost host;
    host.Install();
    platform::SetInstanceNamespace(instanceNamespace);
    const HWND found = FindWindowW(kClass, title);
    if (found == nullptr) return kNotFound;
    return SendMessageW(found, WM_USER, 0, 0) == kHandOverAnswer ? kHandedOver : kNoAnswer;
}

// A raw peer on the channel, as a confused or hostile program would be.
class ChannelPeer {
public:
    explicit ChannelPeer(const std::string& place) : fd_(socket(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0)) {
        sockaddr_un address;
        socklen_t length;
        if (ToSocketAddress(place, &address, &length)) connect(fd_, reinterpret_cast<const sockaddr*>(&address), length);
    }
    ~ChannelPeer() { close(fd_); }
    bool Send(const void* data, std::size_t size) { return send(fd_, data, size, MSG_NOSIGNAL) == ssize_t(size); }
    // The reply, or nothing when the receiver has not answered.
    std::optional<ChannelReply> Reply() {
        ChannelReply reply{};
        if (recv(fd_, &reply, sizeof reply, MSG_DONTWAIT) != static_cast<ssize_t>(sizeof reply)) return std::nullopt;
        return reply;
    }

private:
    int fd_;
};

// A socket listening at `place`, as a copy (or a stranger) holding it.
int ListenAt(const std::string& place) {
    const int fd = socket(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0);
    sockaddr_un address;
    socklen_t length;
    if (!ToSocketAddress(place, &address, &length) || bind(fd, reinterpret_cast<const sockaddr*>(&address), length) != 0 ||
        listen(fd, 4) != 0) {
        close(fd);
        return -1;
    }
    return fd;
}

std::optional<std::pair<dev_t, ino_t>> FileIdentity(const std::string& path) {
    struct stat info;
    if (lstat(path.c_str(), &info) != 0) return std::nullopt;
    return std::pair{info.st_dev, info.st_ino};
}

bool IsReadable(int fd) {
    pollfd entry{fd, POLLIN, 0};
    return poll(&entry, 1, 0) == 1;
}

ChannelRequest ValidRequest() { return {kChannelMagic, kChannelVersion, 0, WM_USER, 0, 0, 0}; }

// Each test runs with a private runtime folder of its own, as a desktop
// session gives the player.
class SingleInstanceTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = ::testing::TempDir() + "mirelink-runtime-XXXXXX";
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        runtime = pattern;
        setenv("XDG_RUNTIME_DIR", pattern.c_str(), 1);
        StartAfresh();
    }
    void TearDown() override {
        platform_test::Reaction() = nullptr;
        PretendToBeAnotherUser(false);
        platform::ResetForTesting();
        fs::remove_all(runtime);
    }
    void StartAfresh() {
        host.Install();
        host.handOvers = 0;
        AnswerHandOverAndQuitOnClose();
    }
    HWND CreateGameWindow() {
        const HWND window = CreateRecordingWindow(WS_VISIBLE, kClass, kTitle);
        EXPECT_NE(window, nullptr);
        return window;
    }
    int ServeUntilEnded(pid_t child) {
        std::optional<int> exitCode;
        RunLoopUntil(host, [&] { return (exitCode = ExitCode(child, false)).has_value(); });
        return exitCode.value_or(-1);
    }
    // One trip through the loop, which serves whatever waits on the channel.
    UINT NextMessage() {
        host.Push({{HostEventKind::Paint, 0, 0}});
        MSG message{};
        GetMessageW(&message, nullptr, 0, 0);
        return message.message;
    }
    InstanceKey KeyOfThisCopy() const { return {platform::InstanceNamespace(), kClass, kTitle}; }
    std::string ChannelOfThisCopy() const { return ChannelAddress(KeyOfThisCopy()); }
    FakeHost host;
    fs::path runtime;
};

TEST_F(SingleInstanceTest, OtherNamespacesAndTitlesFindNothing) {
    CreateGameWindow();
    const std::string instanceNamespace = platform::InstanceNamespace();
    EXPECT_EQ(ExitCode(StartChild([&] { return StartedCopy(instanceNamespace + "x"); })), kNotFound);
    EXPECT_EQ(ExitCode(StartChild([&] { return StartedCopy(instanceNamespace, u"Other"); })), kNotFound);
    // Serving the children's probes must not look like a hand-over.
    NextMessage();
    EXPECT_EQ(host.handOvers, 0);
}

TEST_F(SingleInstanceTest, ASocketLeftByACopyThatCrashedIsTakenOverAndRemovedAtTheEnd) {
    const std::string path = ChannelOfThisCopy();
    ASSERT_NE(path[0], '\0');
    close(ListenAt(path));  // gone without removing its file
    CreateGameWindow();
    const std::string instanceNamespace = platform::InstanceNamespace();
    EXPECT_EQ(ServeUntilEnded(StartChild([&] { return StartedCopy(instanceNamespace); })), kHandedOver);
    platform::ResetForTesting();  // the window and its channel go
    EXPECT_FALSE(fs::exists(path));
}

// A copy too busy to take a connection (its backlog full, or the process
// stopped) is there all the same: a new start must neither open a second
// game nor take its socket. And a copy that ends removes only its own socket.
TEST_F(SingleInstanceTest, ABusyCopyIsNoStaleOneAndACopyRemovesOnlySocketsOfItsOwn) {
    CreateGameWindow();
    const std::string path = ChannelOfThisCopy();
    const auto identity = FileIdentity(path);
    std::vector<int> queued;  // never accepted: the loop does not run meanwhile
    for (bool full = false; !full && queued.size() < 1000;) {
        const int fd = socket(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
        sockaddr_un address;
        socklen_t length;
        ASSERT_TRUE(ToSocketAddress(path, &address, &length));
        full = connect(fd, reinterpret_cast<const sockaddr*>(&address), length) != 0;
        if (full) close(fd);
        else queued.push_back(fd);
    }
    const InstanceKey key = KeyOfThisCopy();
    const pid_t starter = StartChild([&] {
        FakeHost childHost;
        childHost.Install();
        platform::SetInstanceNamespace(key.instanceNamespace);
        if (FindWindowW(kClass, kTitle) == nullptr) return kNotFound;
        return ChannelListener::Listen(key) ? kHandedOver : kNoAnswer;
    });
    EXPECT_EQ(ExitCode(starter), kNoAnswer) << "found, and the socket not taken";
    EXPECT_EQ(FileIdentity(path), identity);
    for (int fd : queued) close(fd);

    // As after this copy was lost for ended: another one made the socket anew.
    ASSERT_EQ(unlink(path.c_str()), 0);
    const int other = ListenAt(path);
    const auto othersIdentity = FileIdentity(path);
    platform::ResetForTesting();  // this copy's window and channel go
    EXPECT_EQ(FileIdentity(path), othersIdentity);
    close(other);
}

TEST_F(SingleInstanceTest, StartingCopyKeepsTheNextOneWaitingUntilItsWindowExists) {
    // This process searched and found nothing: until it has created its
    // window, a copy started now must wait rather than conclude it is first.
    ASSERT_EQ(FindWindowW(kClass, kTitle), nullptr);
    const std::string instanceNamespace = platform::InstanceNamespace();
    const pid_t child = StartChild([&] { return StartedCopy(instanceNamespace); });
    std::this_thread::sleep_for(100ms);  // gives the child every chance to race ahead; decides nothing
    CreateGameWindow();
    EXPECT_EQ(ServeUntilEnded(child), kHandedOver);
    EXPECT_EQ(host.handOvers, 1);
}

// Copies started all at once give one game, wherever the channel lives.
TEST_F(SingleInstanceTest, CopiesStartedTogetherGiveOneGame) {
    constexpr int kCopies = 42;
    for (const bool privateFolder : {true, false}) {
        SCOPED_TRACE(privateFolder ? "private folder" : "abstract name");
        privateFolder ? setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1) : unsetenv("XDG_RUNTIME_DIR");
        StartAfresh();
        const std::string instanceNamespace = platform::InstanceNamespace();
        int go[2], finish[2];
        ASSERT_EQ(pipe(go), 0);
        ASSERT_EQ(pipe(finish), 0);
        for (int i = 0; i < kCopies; ++i) {
            StartChild([&]() -> int {
                char byte;
                if (read(go[0], &byte, 1) != 1) return 1;
                FakeHost copyHost;
                copyHost.Install();
                platform::SetInstanceNamespace(instanceNamespace);
                if (const HWND found = FindWindowW(kClass, kTitle)) {
                    return SendMessageW(found, WM_USER, 0, 0) == kHandOverAnswer ? kHandedOver : kNoAnswer;
                }
                AnswerHandOverAndQuitOnClose();
                CreateRecordingWindow(WS_VISIBLE, kClass, kTitle);
                RunLoopUntil(copyHost, [&] { return IsReadable(finish[0]); });
                return kFirst;
            });
        }
        ASSERT_EQ(write(go[1], std::string(kCopies, 'g').data(), kCopies), kCopies);  // all off at once
        std::map<int, int> copiesEndingWith;
        for (int i = 0; i < kCopies; ++i) {
            if (i == kCopies - 1) {
                ASSERT_EQ(write(finish[1], "f", 1), 1);  // the last one left runs the game
            }
            int status = 0;
            ASSERT_GT(waitpid(-1, &status, 0), 0);
            ++copiesEndingWith[WIFEXITED(status) ? WEXITSTATUS(status) : -1];
        }
        EXPECT_EQ(copiesEndingWith, (std::map<int, int>{{kHandedOver, kCopies - 1}, {kFirst, 1}}));
        for (int fd : {go[0], go[1], finish[0], finish[1]}) close(fd);
    }
}

// Without a private runtime folder the channel is a name no file can stand
// in the way of, whatever another user left where the folder would be.
TEST_F(SingleInstanceTest, WithNoPrivateFolderThereIsStillOneGame) {
    const fs::path shared = runtime / "shared";
    const fs::path taken = shared / "mirelink";
    const fs::path tooLong = runtime / std::string(100, 'd');
    const struct {
        const char* what;
        fs::path runtimeFolder;
        std::function<void()> leave;
    } cases[] = {
        {"no runtime folder", "", [] {}},
        {"a folder anyone may write", shared, [&] { fs::create_directory(taken), fs::permissions(taken, fs::perms::all); }},
        {"a file", shared, [&] { std::ofstream{taken}; }},
        {"a FIFO", shared, [&] { mkfifo(taken.c_str(), 0600); }},
        {"a link to a private folder", shared, [&] { fs::create_directory_symlink(runtime, taken); }},
        {"a dangling link", shared, [&] { fs::create_symlink(runtime / "none", taken); }},
        {"a path too long for a socket", tooLong, [&] { fs::create_directory(tooLong), fs::permissions(tooLong, fs::perms::owner_all); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove_all(shared);
        fs::create_directory(shared);
        c.leave();
        c.runtimeFolder.empty() ? unsetenv("XDG_RUNTIME_DIR") : setenv("XDG_RUNTIME_DIR", c.runtimeFolder.c_str(), 1);
        StartAfresh();
        CreateGameWindow();
        const std::string instanceNamespace = platform::InstanceNamespace();
        EXPECT_EQ(ServeUntilEnded(StartChild([&] { return StartedCopy(instanceNamespace); })), kHandedOver);
    }
}

TEST_F(SingleInstanceTest, AnotherUsersRequestNeverReachesTheGame) {
    for (const bool privateFolder : {true, false}) {
        for (const Stranger stranger : Strangers()) {
            SCOPED_TRACE(std::string(privateFolder ? "private folder, " : "abstract name, ") +
                         (stranger == Stranger::kRealUser ? "real user" : "pretended"));
            privateFolder ? setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1) : unsetenv("XDG_RUNTIME_DIR");
            StartAfresh();
            CreateGameWindow();
            const std::string place = ChannelOfThisCopy();
            const ChannelRequest request = ValidRequest();
            std::optional<ChannelPeer> peer;
            if (stranger == Stranger::kRealUser) {
                EXPECT_EQ(ExitCode(StartChild([&]() -> int {
                              if (!BecomeAnotherUser()) return kNotAnotherUser;
                              ChannelPeer(place).Send(&request, sizeof request);
                              return 0;
                          })),
                          0);
            } else {
                ASSERT_TRUE(peer.emplace(place).Send(&request, sizeof request));
                PretendToBeAnotherUser(true);
            }
            EXPECT_EQ(NextMessage(), WM_PAINT);
            PretendToBeAnotherUser(false);
            EXPECT_EQ(host.handOvers, 0);
        }
    }
}

// Another user can take the abstract name first; that program is no copy of
// ours to hand over to, and the player is told single-instance is off.
TEST_F(SingleInstanceTest, AStrangerHoldingTheNameIsNeitherHandedOverToNorKeptQuiet) {
    unsetenv("XDG_RUNTIME_DIR");
    for (const Stranger stranger : Strangers()) {
        SCOPED_TRACE(stranger == Stranger::kRealUser ? "real user" : "pretended");
        StartAfresh();
        const std::string place = ChannelOfThisCopy();
        int ready[2], finish[2];
        ASSERT_EQ(pipe(ready), 0);
        ASSERT_EQ(pipe(finish), 0);
        const pid_t holder = StartChild([&]() -> int {
            if (stranger == Stranger::kRealUser && !BecomeAnotherUser()) return kNotAnotherUser;
            const int fd = ListenAt(place);
            char go = fd >= 0;
            if (write(ready[1], &go, 1) != 1) return 1;
            return read(finish[0], &go, 1) == 1 ? 0 : 1;
        });
        char held = 0;
        ASSERT_EQ(read(ready[0], &held, 1), 1);
        ASSERT_TRUE(held);
        PretendToBeAnotherUser(stranger == Stranger::kPretended);
        ::testing::internal::CaptureStderr();
        EXPECT_EQ(FindWindowW(kClass, kTitle), nullptr);
        CreateGameWindow();
        const std::string said = ::testing::internal::GetCapturedStderr();
        EXPECT_NE(said.find("single-instance is off"), std::string::npos) << said;
        EXPECT_NE(said.find("another user holds"), std::string::npos) << said;
        PretendToBeAnotherUser(false);
        ASSERT_EQ(write(finish[1], &held, 1), 1);
        EXPECT_EQ(ExitCode(holder), 0);
        for (int fd : {ready[0], ready[1], finish[0], finish[1]}) close(fd);
    }
}

TEST_F(SingleInstanceTest, MalformedRequestsAndSilentPeersAreIgnoredWithoutBlocking) {
    CreateGameWindow();
    const ChannelRequest valid = ValidRequest();
    ChannelRequest wrongMagic = valid, wrongVersion = valid, otherMessage = valid;
    wrongMagic.magic ^= 1;
    wrongVersion.version += 1;
    otherMessage.message = WM_CLOSE;
    std::vector<unsigned char> tooLong(sizeof valid + 1);
    std::memcpy(tooLong.data(), &valid, sizeof valid);
    const std::pair<const void*, std::size_t> garbage[] = {
        {"hello", 5}, {tooLong.data(), tooLong.size()}, {&wrongMagic, sizeof valid},
        {&wrongVersion, sizeof valid}, {&otherMessage, sizeof valid},
    };
    std::deque<ChannelPeer> ignored;
    for (const auto& [data, size] : garbage) EXPECT_TRUE(ignored.emplace_back(ChannelOfThisCopy()).Send(data, size));
    ChannelPeer silent(ChannelOfThisCopy());  // connects and says nothing yet
    ChannelPeer sound(ChannelOfThisCopy());
    ASSERT_TRUE(sound.Send(&valid, sizeof valid));

    EXPECT_EQ(NextMessage(), WM_PAINT) << "one trip serves them all and still yields the paint";
    EXPECT_EQ(CountReceived(WM_USER), 1);
    EXPECT_EQ(CountReceived(WM_CLOSE), 0);
    EXPECT_EQ(host.handOvers, 1);
    for (ChannelPeer& peer : ignored) EXPECT_FALSE(peer.Reply().has_value());
    const std::optional<ChannelReply> reply = sound.Reply();
    ASSERT_TRUE(reply.has_value());
    EXPECT_EQ(reply->magic, kChannelMagic);
    EXPECT_EQ(reply->result, kHandOverAnswer);

    // The silent peer was kept without waiting for it: once it speaks, the
    // loop is woken (a hidden game sleeps on the descriptor) and answers.
    EXPECT_FALSE(silent.Reply().has_value());
    EXPECT_FALSE(IsReadable(platform::HandOverDescriptor()));
    ASSERT_TRUE(silent.Send(&valid, sizeof valid));
    EXPECT_TRUE(IsReadable(platform::HandOverDescriptor()));
    EXPECT_EQ(NextMessage(), WM_PAINT);
    EXPECT_EQ(host.handOvers, 2);
    EXPECT_TRUE(silent.Reply().has_value());
}

TEST_F(SingleInstanceTest, SendingToACopyThatHasEndedReturnsZeroAtOnce) {
    // A copy that crashed after it was found must not hang the one starting.
    const std::string instanceNamespace = platform::InstanceNamespace();
    int ready[2];
    int finish[2];
    ASSERT_EQ(pipe(ready), 0);
    ASSERT_EQ(pipe(finish), 0);
    const pid_t running = StartChild([&] {
        FakeHost childHost;
        childHost.Install();
        platform::SetInstanceNamespace(instanceNamespace);
        if (CreateRecordingWindow(WS_VISIBLE, kClass, kTitle) == nullptr) return 1;
        char go = 1;
        if (write(ready[1], &go, 1) != 1) return 1;
        return read(finish[0], &go, 1) == 1 ? 0 : 1;  // never serves a request
    });
    char go = 0;
    ASSERT_EQ(read(ready[0], &go, 1), 1);
    platform::SetInstanceNamespace(instanceNamespace);
    const HWND found = FindWindowW(kClass, kTitle);
    ASSERT_NE(found, nullptr);
    ASSERT_EQ(write(finish[1], &go, 1), 1);
    EXPECT_EQ(ExitCode(running), 0);
    EXPECT_EQ(SendMessageW(found, WM_USER, 0, 0), 0);
    EXPECT_EQ(SendMessageW(found, WM_CLOSE, 0, 0), 0) << "only the hand-over crosses processes";
    for (int fd : {ready[0], ready[1], finish[0], finish[1]}) close(fd);
}

}  // namespace
