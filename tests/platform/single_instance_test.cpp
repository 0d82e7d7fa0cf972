// The single-instance hand-over between real processes, and a channel that
// nothing a peer sends can block or fool.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <deque>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>

#include "platform/coredll/coredll.h"
#include "platform/internal/instance_channel.h"
#include "platform/platform.h"
#include "tests/platform/test_window.h"
#include "tests/support/fake_host.h"

namespace {

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
enum : int { kHandedOver = 10, kNoAnswer = 11, kNotFound = 12 };

// Runs `body` in a forked child that ends with its result; the alarm ends a
// child that hangs. ExitCode is -1 when the child was killed, nothing while
// it still runs and `block` is false.
pid_t StartChild(const std::function<int()>& body) {
    const pid_t pid = fork();
    if (pid == 0) {
        alarm(30);
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
    const auto deadline = Clock::now() + 20s;
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

sockaddr_un AddressOf(const std::string& path) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.data(), path.size());
    return address;
}

// A raw peer on the channel, as a confused or hostile program would be.
class ChannelPeer {
public:
    explicit ChannelPeer(const std::string& path) : fd_(socket(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0)) {
        const sockaddr_un address = AddressOf(path);
        connect(fd_, reinterpret_cast<const sockaddr*>(&address), sizeof address);
    }
    ~ChannelPeer() { close(fd_); }
    bool Send(const void* data, std::size_t size) { return send(fd_, data, size, MSG_NOSIGNAL) == ssize_t(size); }
    // The reply, or nothing when the receiver hung up without one.
    std::optional<ChannelReply> Reply() {
        ChannelReply reply{};
        if (recv(fd_, &reply, sizeof reply, MSG_DONTWAIT) != static_cast<ssize_t>(sizeof reply)) return std::nullopt;
        return reply;
    }

private:
    int fd_;
};

ChannelRequest ValidRequest() { return {kChannelMagic, kChannelVersion, 0, WM_USER, 0, 0, 0}; }

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
    std::string ChannelOfThisCopy() const { return ChannelPath({platform::InstanceNamespace(), kClass, kTitle}); }
    FakeHost host;
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
    const int stale = socket(AF_UNIX, SOCK_SEQPACKET, 0);
    const sockaddr_un address = AddressOf(path);
    ASSERT_EQ(bind(stale, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    close(stale);  // gone without removing its file
    CreateGameWindow();
    const std::string instanceNamespace = platform::InstanceNamespace();
    EXPECT_EQ(ServeUntilEnded(StartChild([&] { return StartedCopy(instanceNamespace); })), kHandedOver);
    platform::ResetForTesting();  // the window and its channel go
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(SingleInstanceTest, StartingCopyKeepsTheNextOneWaitingUntilItsWindowExists) {
    // This process searched and found nothing: until it has created its
    // window, a copy started now must wait rather than conclude it is first.
    ASSERT_EQ(FindWindowW(kClass, kTitle), nullptr);
    const std::string instanceNamespace = platform::InstanceNamespace();
    const pid_t child = StartChild([&] { return StartedCopy(instanceNamespace); });
    std::this_thread::sleep_for(100ms);  // give the child every chance to race ahead
    CreateGameWindow();
    EXPECT_EQ(ServeUntilEnded(child), kHandedOver);
    EXPECT_EQ(host.handOvers, 1);
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
    ignored.emplace_back(ChannelOfThisCopy());  // connects and says nothing
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
}

// Another user's program is turned away at the private folder's door, or
// else by the copy itself. Needs root to be another user, as CI has.
TEST_F(SingleInstanceTest, RequestsFromAnotherUserAreIgnored) {
    if (getuid() != 0) GTEST_SKIP() << "needs root to run a peer as another user";
    CreateGameWindow();
    const std::string path = ChannelOfThisCopy();
    const pid_t stranger = StartChild([&] {
        if (setgid(65534) != 0 || setuid(65534) != 0) return 2;
        const ChannelRequest request = ValidRequest();
        ChannelPeer(path).Send(&request, sizeof request);
        return 0;
    });
    EXPECT_EQ(ExitCode(stranger), 0);
    EXPECT_EQ(NextMessage(), WM_PAINT);
    EXPECT_EQ(host.handOvers, 0);
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
