// The single-instance hand-over between real processes: a second copy finds
// the running one and its WM_USER reaches the running window procedure; copies
// started together agree on who is first; namespaces and users keep copies
// apart; nothing a peer sends on the channel can block or fool the receiver.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "platform/coredll/coredll.h"
#include "platform/internal/instance_channel.h"
#include "platform/platform.h"
#include "tests/platform/test_window.h"
#include "tests/support/fake_host.h"

namespace {

using platform::HostEvent;
using platform::HostEventKind;
using platform::internal::ChannelName;
using platform::internal::ChannelReply;
using platform::internal::ChannelRequest;
using platform::internal::InstanceKey;
using platform::internal::kChannelMagic;
using platform::internal::kChannelVersion;
using platform_test::CreateRecordingWindow;
using test_support::FakeHost;
using Clock = std::chrono::steady_clock;

constexpr const char16_t* kClass = u"MIRELINK";
constexpr const char16_t* kTitle = u"Mirelink";
constexpr LRESULT kHandOverAnswer = 1234;

// Child exit codes.
enum : int {
    kFoundAndHandedOver = 10,
    kFoundButNoAnswer = 11,
    kNotFound = 12,
    kFirstAndGotHandOver = 20,
    kFirstAlone = 21,
    kCouldNotCreate = 22,
};

// Runs `body` in a forked child that ends with its result, leaving behind no
// lock file of its own.
pid_t StartChild(const std::function<int()>& body) {
    const pid_t pid = fork();
    if (pid == 0) {
        const int exitCode = body();
        platform::ResetForTesting();
        _exit(exitCode);
    }
    return pid;
}

// The child's exit code, or -1 if it had to be stopped.
int WaitForChild(pid_t pid, std::chrono::seconds limit = std::chrono::seconds(30)) {
    const auto deadline = Clock::now() + limit;
    int status = 0;
    while (waitpid(pid, &status, WNOHANG) == 0) {
        if (Clock::now() > deadline) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            return -1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool ChildHasEnded(pid_t pid, int* exitCode) {
    int status = 0;
    if (waitpid(pid, &status, WNOHANG) != pid) return false;
    *exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return true;
}

// Makes the host idle in real time (no paints) and close the window once
// `done` holds or the time is up; the window procedure answers WM_USER and
// quits on WM_CLOSE, so GetMessageW's loop runs until then.
void RunLoopUntil(FakeHost& host, const std::function<bool()>& done,
                  std::chrono::seconds limit = std::chrono::seconds(20)) {
    const auto deadline = Clock::now() + limit;
    host.onWait = [&done, deadline](bool) -> std::optional<HostEvent> {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
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

int CountReceived(UINT number) {
    const auto numbers = platform_test::ReceivedMessageNumbers();
    return static_cast<int>(std::count(numbers.begin(), numbers.end(), number));
}

// What a second start of the program does, in a child process.
int SecondCopy(const std::string& instanceNamespace, const char16_t* title = kTitle) {
    FakeHost host;
    host.Install();
    platform::SetInstanceNamespace(instanceNamespace);
    const HWND found = FindWindowW(kClass, title);
    if (found == nullptr) return kNotFound;
    return SendMessageW(found, WM_USER, 0, 0) == kHandOverAnswer ? kFoundAndHandedOver
                                                                  : kFoundButNoAnswer;
}

// A copy started at the same moment as others: it hands over when it finds
// one, and otherwise creates the window and waits a while for a hand-over.
int RacingCopy(const std::string& instanceNamespace, int startSignal) {
    FakeHost host;
    host.Install();
    platform::SetInstanceNamespace(instanceNamespace);
    char go;
    if (read(startSignal, &go, 1) < 0) return kCouldNotCreate;  // returns at EOF: everybody starts
    if (const HWND found = FindWindowW(kClass, kTitle)) {
        return SendMessageW(found, WM_USER, 0, 0) == kHandOverAnswer ? kFoundAndHandedOver
                                                                      : kFoundButNoAnswer;
    }
    AnswerHandOverAndQuitOnClose();
    if (CreateRecordingWindow(0, kClass, kTitle) == nullptr) return kCouldNotCreate;
    RunLoopUntil(host, [&host] { return host.handOvers > 0; }, std::chrono::seconds(10));
    return host.handOvers == 1 ? kFirstAndGotHandOver : kFirstAlone;
}

class SingleInstanceTest : public ::testing::Test {
protected:
    void SetUp() override {
        host.Install();
        AnswerHandOverAndQuitOnClose();
    }
    void TearDown() override { platform_test::Reaction() = nullptr; }
    HWND CreateGameWindow() {
        const HWND window = CreateRecordingWindow(WS_VISIBLE, kClass, kTitle);
        EXPECT_NE(window, nullptr);
        return window;
    }
    FakeHost host;
};

TEST_F(SingleInstanceTest, SecondCopyFindsTheRunningWindowAndHandsOver) {
    CreateGameWindow();
    const std::string instanceNamespace = platform::InstanceNamespace();
    const pid_t child = StartChild([&] { return SecondCopy(instanceNamespace); });
    int exitCode = -1;
    RunLoopUntil(host, [&] { return ChildHasEnded(child, &exitCode); });
    EXPECT_EQ(exitCode, kFoundAndHandedOver);
    EXPECT_EQ(host.handOvers, 1);
    EXPECT_EQ(CountReceived(WM_USER), 1);
}

TEST_F(SingleInstanceTest, HiddenWindowIsFoundToo) {
    const HWND window = CreateGameWindow();
    ShowWindow(window, SW_HIDE);
    const std::string instanceNamespace = platform::InstanceNamespace();
    const pid_t child = StartChild([&] { return SecondCopy(instanceNamespace); });
    int exitCode = -1;
    RunLoopUntil(host, [&] { return ChildHasEnded(child, &exitCode); });
    EXPECT_EQ(exitCode, kFoundAndHandedOver);
    EXPECT_EQ(host.handOvers, 1);
}

TEST_F(SingleInstanceTest, OtherNamespacesAndTitlesFindNothing) {
    CreateGameWindow();
    const std::string instanceNamespace = platform::InstanceNamespace();
    EXPECT_EQ(WaitForChild(StartChild([&] { return SecondCopy(instanceNamespace + "x"); })),
              kNotFound);
    EXPECT_EQ(WaitForChild(StartChild([&] { return SecondCopy(instanceNamespace, u"Other"); })),
              kNotFound);
    // The children's probes are still queued; serving them must not look like a hand-over.
    host.PushPaint();
    MSG message{};
    GetMessageW(&message, nullptr, 0, 0);
    EXPECT_EQ(host.handOvers, 0);
}

TEST_F(SingleInstanceTest, CopiesStartedTogetherAgreeOnWhoIsFirst) {
    for (int round = 0; round < 3; ++round) {
        const std::string instanceNamespace =
            platform::InstanceNamespace() + "-race" + std::to_string(round);
        int startSignal[2];
        ASSERT_EQ(pipe(startSignal), 0);
        std::vector<pid_t> copies;
        for (int i = 0; i < 2; ++i) {
            copies.push_back(StartChild([&] {
                close(startSignal[1]);
                return RacingCopy(instanceNamespace, startSignal[0]);
            }));
        }
        close(startSignal[0]);
        close(startSignal[1]);  // both copies start now
        std::vector<int> exitCodes;
        for (pid_t copy : copies) exitCodes.push_back(WaitForChild(copy));
        std::sort(exitCodes.begin(), exitCodes.end());
        EXPECT_EQ(exitCodes, (std::vector<int>{kFoundAndHandedOver, kFirstAndGotHandOver}))
            << "round " << round;
    }
}

TEST_F(SingleInstanceTest, StartingCopyKeepsTheNextOneWaitingUntilItsWindowExists) {
    // This process searched and found nothing: until it has created its
    // window, a copy started now must wait rather than conclude it is first.
    ASSERT_EQ(FindWindowW(kClass, kTitle), nullptr);
    const std::string instanceNamespace = platform::InstanceNamespace();
    const pid_t child = StartChild([&] { return SecondCopy(instanceNamespace); });
    std::this_thread::sleep_for(std::chrono::milliseconds(100));  // give the child every chance to race ahead
    CreateGameWindow();
    int exitCode = -1;
    RunLoopUntil(host, [&] { return ChildHasEnded(child, &exitCode); });
    EXPECT_EQ(exitCode, kFoundAndHandedOver);
    EXPECT_EQ(host.handOvers, 1);
}

// Raw peers on the channel, as a confused or hostile program would be.
class ChannelPeer {
public:
    explicit ChannelPeer(const InstanceKey& key) : ChannelPeer(ChannelName(key)) {}
    explicit ChannelPeer(const std::string& name) {
        fd_ = socket(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::memcpy(address.sun_path + 1, name.data(), name.size());
        const auto length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + name.size());
        connected_ = connect(fd_, reinterpret_cast<const sockaddr*>(&address), length) == 0;
    }
    ~ChannelPeer() { close(fd_); }
    bool connected() const { return connected_; }
    int fd() const { return fd_; }
    void Send(const void* data, std::size_t size) {
        ASSERT_EQ(send(fd_, data, size, MSG_NOSIGNAL), static_cast<ssize_t>(size));
    }
    // The reply, or nothing when the receiver hung up without one.
    std::optional<ChannelReply> Reply() {
        ChannelReply reply{};
        const ssize_t size = recv(fd_, &reply, sizeof reply, MSG_DONTWAIT);
        if (size != static_cast<ssize_t>(sizeof reply)) return std::nullopt;
        return reply;
    }

private:
    int fd_ = -1;
    bool connected_ = false;
};

ChannelRequest ValidRequest() {
    ChannelRequest request{};
    request.magic = kChannelMagic;
    request.version = kChannelVersion;
    request.message = WM_USER;
    return request;
}

TEST_F(SingleInstanceTest, MalformedRequestsAndSilentPeersAreIgnoredWithoutBlocking) {
    CreateGameWindow();
    const InstanceKey key{platform::InstanceNamespace(), kClass, kTitle};

    ChannelPeer tooShort(key), tooLong(key), wrongMagic(key), wrongVersion(key),
        otherMessage(key), silent(key), valid(key);
    ASSERT_TRUE(tooShort.connected() && silent.connected() && valid.connected());
    tooShort.Send("hello", 5);
    unsigned char longer[sizeof(ChannelRequest) + 1] = {};
    std::memcpy(longer, &kChannelMagic, sizeof kChannelMagic);
    tooLong.Send(longer, sizeof longer);
    ChannelRequest request = ValidRequest();
    request.magic ^= 1;
    wrongMagic.Send(&request, sizeof request);
    request = ValidRequest();
    request.version = kChannelVersion + 1;
    wrongVersion.Send(&request, sizeof request);
    request = ValidRequest();
    request.message = WM_CLOSE;
    otherMessage.Send(&request, sizeof request);
    request = ValidRequest();
    valid.Send(&request, sizeof request);

    // One trip through the loop serves them all and still yields the paint.
    MSG message{};
    ASSERT_TRUE(GetMessageW(&message, nullptr, 0, 0));
    EXPECT_EQ(message.message, WM_PAINT);
    EXPECT_EQ(CountReceived(WM_USER), 1);
    EXPECT_EQ(CountReceived(WM_CLOSE), 0);
    EXPECT_EQ(host.handOvers, 1);

    for (ChannelPeer* ignored : {&tooShort, &tooLong, &wrongMagic, &wrongVersion, &otherMessage, &silent}) {
        EXPECT_FALSE(ignored->Reply().has_value());
    }
    const std::optional<ChannelReply> reply = valid.Reply();
    ASSERT_TRUE(reply.has_value());
    EXPECT_EQ(reply->magic, kChannelMagic);
    EXPECT_EQ(reply->result, kHandOverAnswer);
}

TEST_F(SingleInstanceTest, RequestsFromAnotherUserAreIgnored) {
    if (getuid() != 0) GTEST_SKIP() << "needs root to run a peer as another user";
    CreateGameWindow();
    // The name is this user's; the stranger knocks on it all the same.
    const std::string name = ChannelName({platform::InstanceNamespace(), kClass, kTitle});
    const pid_t stranger = StartChild([&] {
        if (setgid(65534) != 0 || setuid(65534) != 0) return 2;
        ChannelPeer peer(name);
        if (!peer.connected()) return 3;
        const ChannelRequest request = ValidRequest();
        if (send(peer.fd(), &request, sizeof request, MSG_NOSIGNAL) != sizeof request) return 4;
        return 0;
    });
    EXPECT_EQ(WaitForChild(stranger), 0);
    host.PushPaint();
    MSG message{};
    GetMessageW(&message, nullptr, 0, 0);
    EXPECT_EQ(message.message, WM_PAINT);
    EXPECT_EQ(CountReceived(WM_USER), 0);
    EXPECT_EQ(host.handOvers, 0);
}

TEST_F(SingleInstanceTest, SendingToACopyThatHasEndedReturnsZero) {
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
    close(ready[1]);
    close(finish[0]);
    char go;
    ASSERT_EQ(read(ready[0], &go, 1), 1);
    platform::SetInstanceNamespace(instanceNamespace);
    const HWND found = FindWindowW(kClass, kTitle);
    ASSERT_NE(found, nullptr);
    ASSERT_EQ(write(finish[1], &go, 1), 1);
    EXPECT_EQ(WaitForChild(running), 0);
    EXPECT_EQ(SendMessageW(found, WM_USER, 0, 0), 0);
    EXPECT_EQ(SendMessageW(found, WM_CLOSE, 0, 0), 0) << "only the hand-over crosses processes";
    close(ready[0]);
    close(finish[1]);
}

}  // namespace
