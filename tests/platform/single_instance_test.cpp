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

constexpr const char16_t* kClass = u"MIRELINK";
constexpr const char16_t* kTitle = u"Mirelink";
constexpr LRESULT kHandOverAnswer = 1234;

// Exit codes of a copy run in a child process.
enum : int { kHandedOver = 10, kNoAnswer = 11, kNotFound = 12, kFirst = 14 };

// Another user's program: one the channel is told to take for a stranger,
// and, as root (which CI is), a peer the test really becomes another user for.
std::vector<bool> RealStrangers() { return getuid() == 0 ? std::vector{false, true} : std::vector{false}; }
bool BecomeAnotherUser() { return setgid(65534) == 0 && setuid(65534) == 0; }
void PretendToBeAnotherUser(bool pretend) { SetChannelUserForTesting(pretend ? getuid() + 1 : getuid()); }

// Runs `body` in a forked child that ends with its result; the alarm ends a
// child that hangs.
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

// -1 when the child was killed; nothing while it still runs and `block` is false.
std::optional<int> ExitCode(pid_t pid, bool block = true) {
    int status = 0;
    if (waitpid(pid, &status, block ? 0 : WNOHANG) != pid) return std::nullopt;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool IsReadable(int fd) {
    pollfd entry{fd, POLLIN, 0};
    return poll(&entry, 1, 0) == 1;
}

// A child that does `setUp`, tells the test whether it could, and stays
// until the test lets it go.
class HeldChild {
public:
    explicit HeldChild(const std::function<bool()>& setUp) {
        EXPECT_EQ(pipe(ready_), 0);
        EXPECT_EQ(pipe(finish_), 0);
        pid_ = StartChild([&] {
            char done = setUp();
            return write(ready_[1], &done, 1) == 1 && read(finish_[0], &done, 1) == 1 ? 0 : 1;
        });
        char done = 0;
        ready = read(ready_[0], &done, 1) == 1 && done;
    }
    ~HeldChild() {
        for (int fd : {ready_[0], ready_[1], finish_[0], finish_[1]}) close(fd);
    }
    int Release() { return write(finish_[1], "f", 1) == 1 ? ExitCode(pid_).value_or(-1) : -1; }
    bool ready = false;

private:
    int ready_[2], finish_[2];
    pid_t pid_;
};

// Runs the message loop in real time until `done` holds or the time is up,
// then has the host close the window, whose procedure quits.
void RunLoopUntil(FakeHost& host, const std::function<bool()>& done) {
    const auto deadline = std::chrono::steady_clock::now() + 60s;
    host.onWait = [&done, deadline](bool) -> std::optional<HostEvent> {
        std::this_thread::sleep_for(1ms);
        if (done() || std::chrono::steady_clock::now() > deadline) return HostEvent{HostEventKind::Close, 0, 0};
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
    explicit ChannelPeer(const std::string& place, int flags = 0)
        : fd_(socket(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC | flags, 0)) {
        sockaddr_un address;
        socklen_t length;
        connected = ToSocketAddress(place, &address, &length) &&
                    connect(fd_, reinterpret_cast<const sockaddr*>(&address), length) == 0;
    }
    ~ChannelPeer() { close(fd_); }
    bool Send(const void* data, std::size_t size) { return send(fd_, data, size, MSG_NOSIGNAL) == ssize_t(size); }
    // The reply, or nothing when the receiver has not answered.
    std::optional<ChannelReply> Reply() {
        ChannelReply reply{};
        if (recv(fd_, &reply, sizeof reply, MSG_DONTWAIT) != static_cast<ssize_t>(sizeof reply)) return std::nullopt;
        return reply;
    }
    bool connected = false;

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

constexpr ChannelRequest kValidRequest{kChannelMagic, kChannelVersion, 0, WM_USER, 0, 0, 0};

// Each test runs with a private runtime folder of its own, as a desktop
// session gives the player.
class SingleInstanceTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = ::testing::TempDir() + "mirelink-runtime-XXXXXX";
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        runtime = pattern;
        StartAfresh(runtime);
    }
    void TearDown() override {
        platform_test::Reaction() = nullptr;
        PretendToBeAnotherUser(false);
        platform::ResetForTesting();
        fs::remove_all(runtime);
    }
    // A fresh process whose channel lives in `runtimeFolder`, or under an
    // abstract name when there is none.
    void StartAfresh(const fs::path& runtimeFolder) {
        runtimeFolder.empty() ? unsetenv("XDG_RUNTIME_DIR") : setenv("XDG_RUNTIME_DIR", runtimeFolder.c_str(), 1);
        host.Install();
        host.handOvers = 0;
        AnswerHandOverAndQuitOnClose();
    }
    // The private folder, then no folder.
    std::vector<fs::path> Places() const { return {runtime, ""}; }
    HWND CreateGameWindow() {
        const HWND window = CreateRecordingWindow(WS_VISIBLE, kClass, kTitle);
        EXPECT_NE(window, nullptr);
        return window;
    }
    // A copy started in a child while this one serves the channel.
    int StartCopyAndServe() {
        const std::string instanceNamespace = platform::InstanceNamespace();
        const pid_t child = StartChild([&] { return StartedCopy(instanceNamespace); });
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

TEST_F(SingleInstanceTest, OtherNamespacesAndTitlesFindNothingAndACopyThatEndedAnswersZeroAtOnce) {
    CreateGameWindow();
    const std::string instanceNamespace = platform::InstanceNamespace();
    EXPECT_EQ(ExitCode(StartChild([&] { return StartedCopy(instanceNamespace + "x"); })), kNotFound);
    EXPECT_EQ(ExitCode(StartChild([&] { return StartedCopy(instanceNamespace, u"Other"); })), kNotFound);
    // Serving the children's probes must not look like a hand-over.
    NextMessage();
    EXPECT_EQ(host.handOvers, 0);

    // A copy that crashed after it was found must not hang the one starting.
    platform::ResetForTesting();
    HeldChild running([&] {
        FakeHost childHost;
        childHost.Install();
        platform::SetInstanceNamespace(instanceNamespace);
        return CreateRecordingWindow(WS_VISIBLE, kClass, kTitle) != nullptr;  // never serves a request
    });
    ASSERT_TRUE(running.ready);
    StartAfresh(runtime);
    platform::SetInstanceNamespace(instanceNamespace);
    const HWND found = FindWindowW(kClass, kTitle);
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(running.Release(), 0);
    EXPECT_EQ(SendMessageW(found, WM_USER, 0, 0), 0);
    EXPECT_EQ(SendMessageW(found, WM_CLOSE, 0, 0), 0) << "only the hand-over crosses processes";
}

TEST_F(SingleInstanceTest, ACopyStartedBeforeTheWindowExistsOrOverACrashedCopysSocketIsHandedOver) {
    // This process searched and found nothing: until it has created its
    // window, a copy started now must wait rather than conclude it is first.
    ASSERT_EQ(FindWindowW(kClass, kTitle), nullptr);
    const std::string instanceNamespace = platform::InstanceNamespace();
    const pid_t child = StartChild([&] { return StartedCopy(instanceNamespace); });
    std::this_thread::sleep_for(100ms);  // gives the child every chance to race ahead; decides nothing
    CreateGameWindow();
    std::optional<int> exitCode;
    RunLoopUntil(host, [&] { return (exitCode = ExitCode(child, false)).has_value(); });
    EXPECT_EQ(exitCode, kHandedOver);
    EXPECT_EQ(host.handOvers, 1);

    platform::ResetForTesting();
    StartAfresh(runtime);
    const std::string path = ChannelOfThisCopy();
    ASSERT_NE(path[0], '\0');
    close(ListenAt(path));  // gone without removing its file
    CreateGameWindow();
    EXPECT_EQ(StartCopyAndServe(), kHandedOver);
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
    std::deque<ChannelPeer> queued;  // never accepted: the loop does not run meanwhile
    while (queued.size() < 1000 && queued.emplace_back(path, SOCK_NONBLOCK).connected) {
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
    queued.clear();

    // As after this copy was lost for ended: another one made the socket anew.
    ASSERT_EQ(unlink(path.c_str()), 0);
    const int other = ListenAt(path);
    const auto othersIdentity = FileIdentity(path);
    platform::ResetForTesting();  // this copy's window and channel go
    EXPECT_EQ(FileIdentity(path), othersIdentity);
    close(other);
}

// Copies started all at once give one game, wherever the channel lives.
TEST_F(SingleInstanceTest, CopiesStartedTogetherGiveOneGame) {
    constexpr int kCopies = 42;
    for (const fs::path& place : Places()) {
        SCOPED_TRACE(place);
        StartAfresh(place);
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
                if (const HWND found = FindWindowW(kClass, kTitle))
                    return SendMessageW(found, WM_USER, 0, 0) == kHandOverAnswer ? kHandedOver : kNoAnswer;
                AnswerHandOverAndQuitOnClose();
                CreateRecordingWindow(WS_VISIBLE, kClass, kTitle);
                RunLoopUntil(copyHost, [&] { return IsReadable(finish[0]); });
                return kFirst;
            });
        }
        ASSERT_EQ(write(go[1], std::string(kCopies, 'g').data(), kCopies), kCopies);  // all off at once
        std::map<int, int> copiesEndingWith;
        for (int i = 0; i < kCopies; ++i) {
            ASSERT_TRUE(i < kCopies - 1 || write(finish[1], "f", 1) == 1);  // the last one left runs the game
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
        StartAfresh(c.runtimeFolder);
        CreateGameWindow();
        EXPECT_EQ(StartCopyAndServe(), kHandedOver);
    }
}

TEST_F(SingleInstanceTest, AnotherUsersRequestNeverReachesTheGame) {
    for (const fs::path& place : Places()) {
        for (const bool real : RealStrangers()) {
            SCOPED_TRACE(place.string() + (real ? ", real user" : ", pretended"));
            StartAfresh(place);
            CreateGameWindow();
            const std::string channel = ChannelOfThisCopy();
            std::optional<ChannelPeer> peer;
            if (real) {
                // The request may not even get through: a private folder keeps strangers out.
                EXPECT_EQ(ExitCode(StartChild([&] {
                              if (!BecomeAnotherUser()) return 1;
                              ChannelPeer(channel).Send(&kValidRequest, sizeof kValidRequest);
                              return 0;
                          })),
                          0);
            } else {
                ASSERT_TRUE(peer.emplace(channel).Send(&kValidRequest, sizeof kValidRequest));
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
    for (const bool real : RealStrangers()) {
        SCOPED_TRACE(real ? "real user" : "pretended");
        StartAfresh("");
        const std::string place = ChannelOfThisCopy();
        HeldChild holder([&] { return (!real || BecomeAnotherUser()) && ListenAt(place) >= 0; });
        ASSERT_TRUE(holder.ready);
        PretendToBeAnotherUser(!real);
        ::testing::internal::CaptureStderr();
        EXPECT_EQ(FindWindowW(kClass, kTitle), nullptr);
        CreateGameWindow();
        const std::string said = ::testing::internal::GetCapturedStderr();
        EXPECT_NE(said.find("single-instance is off"), std::string::npos) << said;
        EXPECT_NE(said.find("another user holds"), std::string::npos) << said;
        PretendToBeAnotherUser(false);
        EXPECT_EQ(holder.Release(), 0);
    }
}

TEST_F(SingleInstanceTest, MalformedRequestsAndSilentPeersAreIgnoredWithoutBlocking) {
    CreateGameWindow();
    const ChannelRequest valid = kValidRequest;
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
    EXPECT_FALSE(IsReadable(static_cast<int>(platform::HandOverWaitable())));
    ASSERT_TRUE(silent.Send(&valid, sizeof valid));
    EXPECT_TRUE(IsReadable(static_cast<int>(platform::HandOverWaitable())));
    EXPECT_EQ(NextMessage(), WM_PAINT);
    EXPECT_EQ(host.handOvers, 2);
    EXPECT_TRUE(silent.Reply().has_value());
}

}  // namespace
