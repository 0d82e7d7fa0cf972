// The single-instance hand-over between real processes, and a channel that
// nothing a peer, another user or a stopped copy does can block or fool: the
// same tests on Unix (sockets) and Windows (named pipes), with the parts
// that only a socket file has on Unix alone.
#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/coredll/coredll.h"
#include "platform/internal/instance_channel.h"
#include "platform/platform.h"
#include "tests/platform/channel_test_system.h"
#include "tests/platform/test_window.h"
#include "tests/support/fake_host.h"
#include "tests/support/platform_seam.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using platform::HostEvent;
using platform::HostEventKind;
using namespace platform::internal;
using platform_test::ChannelPeer;
using platform_test::ChildProcess;
using platform_test::CountReceived;
using platform_test::CreateRecordingWindow;
using test_support::FakeHost;

constexpr const char16_t* kClass = u"MIRELINK";
constexpr const char16_t* kTitle = u"Mirelink";
constexpr LRESULT kHandOverAnswer = 1234;
constexpr ChannelRequest kValidRequest{kChannelMagic, kChannelVersion, 0, WM_USER, 0, 0, 0};

// Exit codes of a copy run in a child process.
enum : int { kHandedOver = 10, kNoAnswer = 11, kNotFound = 12, kFirst = 14, kCrashed = 15 };

// Another user's program: one the channel is told to take for a stranger,
// and, as root on Unix (which CI is), a peer the test really becomes another
// user for.
#ifdef _WIN32
std::vector<bool> RealStrangers() { return {false}; }
bool BecomeAnotherUser() { return false; }
#else
std::vector<bool> RealStrangers() { return getuid() == 0 ? std::vector{false, true} : std::vector{false}; }
bool BecomeAnotherUser() { return setgid(65534) == 0 && setuid(65534) == 0; }
#endif
void PretendToBeAnotherUser(bool pretend) { PretendChannelIsAnotherUser(pretend); }

std::u16string Utf16(const std::string& text) { return std::u16string(text.begin(), text.end()); }

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

// ---- the parts children play; the first argument is the instance namespace ----

// A start of the program: hands over to a running copy if it finds one.
// A second argument is the window's title.
int StartedCopy(const std::vector<std::string>& args) {
    FakeHost host;
    host.Install();
    platform::SetInstanceNamespace(args.at(0));
    const HWND found = FindWindowW(kClass, args.size() > 1 ? Utf16(args[1]).c_str() : kTitle);
    if (found == nullptr) return kNotFound;
    return SendMessageW(found, WM_USER, 0, 0) == kHandOverAnswer ? kHandedOver : kNoAnswer;
}

// A copy that has made its window and never serves a request; it says 'y'
// once the window is there and ends when told.
int CopyThatNeverServes(const std::vector<std::string>& args) {
    FakeHost host;
    host.Install();
    platform::SetInstanceNamespace(args.at(0));
    platform_test::TellParent(CreateRecordingWindow(WS_VISIBLE, kClass, kTitle) != nullptr ? 'y' : 'n');
    return platform_test::HearParent() != 0 ? 0 : 1;
}

// Another program holding the channel's address (as another user when the
// second argument is "real"); says 'y' once it holds it, ends when told.
int AddressSquatter(const std::vector<std::string>& args) {
    const std::string address = ChannelAddress({args.at(0), kClass, kTitle});  // this user's, as the parent's
    const bool become = args.at(1) == "real";
    const platform_test::AddressHolder holder((!become || BecomeAnotherUser()) ? address : "");
    platform_test::TellParent(holder.holding ? 'y' : 'n');
    return platform_test::HearParent() != 0 ? 0 : 1;
}

// A copy started while the running one is too busy to take a connection:
// kNoAnswer when it found that copy and did not take its channel.
int StarterBesideABusyCopy(const std::vector<std::string>& args) {
    FakeHost host;
    host.Install();
    platform::SetInstanceNamespace(args.at(0));
    if (FindWindowW(kClass, kTitle) == nullptr) return kNotFound;
    return ChannelListener::Listen({args.at(0), kClass, kTitle}) ? kHandedOver : kNoAnswer;
}

// One of many copies started at once, each on the parent's 'g': hands over,
// or says '1' and runs the game until the parent speaks again.
int CopyStartedWithOthers(const std::vector<std::string>& args) {
    if (platform_test::HearParent() != 'g') return 1;
    FakeHost host;
    host.Install();
    platform::SetInstanceNamespace(args.at(0));
    if (const HWND found = FindWindowW(kClass, kTitle))
        return SendMessageW(found, WM_USER, 0, 0) == kHandOverAnswer ? kHandedOver : kNoAnswer;
    AnswerHandOverAndQuitOnClose();
    CreateRecordingWindow(WS_VISIBLE, kClass, kTitle);
    platform_test::TellParent('1');
    RunLoopUntil(host, platform_test::ParentHasSpoken);
    return kFirst;
}

// A copy that dies in its start-up, between its search and its window: it
// says 'y' holding the start-up lock, and dies when told.
int CopyDyingWhileStarting(const std::vector<std::string>& args) {
    AcquireStartupLock({args.at(0), kClass, kTitle});
    platform_test::TellParent('y');
    platform_test::HearParent();
    std::_Exit(kCrashed);  // no clean-up: the lock is left as a crash leaves it
}

// Another user sends a well-formed request to the address given.
int StrangersRequest(const std::vector<std::string>& args) {
    if (!BecomeAnotherUser()) return 1;
    ChannelPeer(args.at(0)).Send(&kValidRequest, sizeof kValidRequest);
    return 0;
}

const bool kRolesKnown = platform_test::AddChildRoles({
    {"start", StartedCopy},
    {"never-serves", CopyThatNeverServes},
    {"squat", AddressSquatter},
    {"start-beside-busy", StarterBesideABusyCopy},
    {"start-with-others", CopyStartedWithOthers},
    {"die-while-starting", CopyDyingWhileStarting},
    {"strangers-request", StrangersRequest},
});

#ifndef _WIN32
std::optional<std::pair<dev_t, ino_t>> FileIdentity(const std::string& path) {
    struct stat info;
    if (lstat(path.c_str(), &info) != 0) return std::nullopt;
    return std::pair{info.st_dev, info.st_ino};
}
#endif

// Each test runs with a private runtime folder of its own on Unix, as a
// desktop session gives the player.
class SingleInstanceTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(kRolesKnown);
#ifndef _WIN32
        std::string pattern = ::testing::TempDir() + "mirelink-runtime-XXXXXX";
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        runtime = pattern;
#endif
        StartAfresh(runtime);
    }
    void TearDown() override {
        platform_test::Reaction() = nullptr;
        PretendToBeAnotherUser(false);
        platform::ResetForTesting();
        if (!runtime.empty()) fs::remove_all(runtime);
    }
    // A fresh process whose channel lives in `runtimeFolder`, or under an
    // abstract name when there is none (on Unix; Windows has its pipes).
    void StartAfresh(const fs::path& runtimeFolder) {
#ifndef _WIN32
        runtimeFolder.empty() ? unsetenv("XDG_RUNTIME_DIR") : setenv("XDG_RUNTIME_DIR", runtimeFolder.c_str(), 1);
#endif
        (void)runtimeFolder;
        host.Install();
        host.handOvers = 0;
        AnswerHandOverAndQuitOnClose();
    }
    // The private folder, then no folder; the pipe's one place on Windows.
    std::vector<fs::path> Places() const {
        if (runtime.empty()) return {""};
        return {runtime, ""};
    }
    HWND CreateGameWindow() {
        const HWND window = CreateRecordingWindow(WS_VISIBLE, kClass, kTitle);
        EXPECT_NE(window, nullptr);
        return window;
    }
    // Serves the channel until the child ends.
    int ServeUntilEnd(ChildProcess& child) {
        std::optional<int> exitCode;
        RunLoopUntil(host, [&] { return (exitCode = child.ExitCode(false)).has_value(); });
        return exitCode.value_or(-1);
    }
    // A copy started in a child while this one serves the channel.
    int StartCopyAndServe() {
        ChildProcess child("start", {platform::InstanceNamespace()});
        return ServeUntilEnd(child);
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
    EXPECT_EQ(ChildProcess("start", {instanceNamespace + "x"}).ExitCode(), kNotFound);
    EXPECT_EQ(ChildProcess("start", {instanceNamespace, "Other"}).ExitCode(), kNotFound);
    // Serving the children's probes must not look like a hand-over.
    NextMessage();
    EXPECT_EQ(host.handOvers, 0);

    // A copy that went away after it was found must not hang the one starting.
    platform::ResetForTesting();
    ChildProcess running("never-serves", {instanceNamespace});
    ASSERT_EQ(running.Hear(), 'y');
    StartAfresh(runtime);
    platform::SetInstanceNamespace(instanceNamespace);
    const HWND found = FindWindowW(kClass, kTitle);
    ASSERT_NE(found, nullptr);
    ASSERT_TRUE(running.Tell('f'));
    EXPECT_EQ(running.ExitCode(), 0);
    EXPECT_EQ(SendMessageW(found, WM_USER, 0, 0), 0);
    EXPECT_EQ(SendMessageW(found, WM_CLOSE, 0, 0), 0) << "only the hand-over crosses processes";
}

TEST_F(SingleInstanceTest, ACopyStartedBeforeTheWindowExistsOrOverACrashedCopysSocketIsHandedOver) {
    // This process searched and found nothing: until it has created its
    // window, a copy started now must wait rather than conclude it is first.
    ASSERT_EQ(FindWindowW(kClass, kTitle), nullptr);
    ChildProcess child("start", {platform::InstanceNamespace()});
    std::this_thread::sleep_for(100ms);  // gives the child every chance to race ahead; decides nothing
    CreateGameWindow();
    EXPECT_EQ(ServeUntilEnd(child), kHandedOver);
    EXPECT_EQ(host.handOvers, 1);

#ifndef _WIN32
    platform::ResetForTesting();
    StartAfresh(runtime);
    const std::string path = ChannelOfThisCopy();
    ASSERT_NE(path[0], '\0');
    platform_test::AddressHolder{path};  // gone without removing its file
    CreateGameWindow();
    EXPECT_EQ(StartCopyAndServe(), kHandedOver);
    platform::ResetForTesting();  // the window and its channel go
    EXPECT_FALSE(fs::exists(path));
#endif
}

// A copy that died between its search and its window left its start-up lock
// behind: the next start takes it over at once, and holds it as its own.
TEST_F(SingleInstanceTest, ACopyThatDiedStartingHoldsNoLaterStartUp) {
    const std::string instanceNamespace = platform::InstanceNamespace();
    ChildProcess dying("die-while-starting", {instanceNamespace});
    ASSERT_EQ(dying.Hear(), 'y');
    const platform_test::LockKeptInBeing lock(ChannelName(KeyOfThisCopy()) + ".lock");
    ASSERT_TRUE(lock.found);
    ASSERT_TRUE(dying.Tell('d'));
    ASSERT_EQ(dying.ExitCode(), kCrashed);
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(FindWindowW(kClass, kTitle), nullptr);
    ChildProcess copy("start", {instanceNamespace});
    CreateGameWindow();
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(said.find("start-up lock"), std::string::npos) << said;
    EXPECT_EQ(ServeUntilEnd(copy), kHandedOver);
}

// A copy too busy to take a connection (every connection it can hold taken,
// or the process stopped) is there all the same: a new start must neither
// open a second game nor take its channel. On Unix a copy that ends removes
// only its own socket.
TEST_F(SingleInstanceTest, ABusyCopyIsNoStaleOneAndACopyRemovesOnlySocketsOfItsOwn) {
    CreateGameWindow();
    const std::string address = ChannelOfThisCopy();
#ifndef _WIN32
    const auto identity = FileIdentity(address);
#endif
    std::deque<ChannelPeer> queued;  // never served: the loop does not run meanwhile
    while (queued.size() < 1000 && queued.emplace_back(address).connected) {
    }
    EXPECT_EQ(ChildProcess("start-beside-busy", {platform::InstanceNamespace()}).ExitCode(), kNoAnswer)
        << "found, and the channel not taken";
    queued.clear();

#ifndef _WIN32
    EXPECT_EQ(FileIdentity(address), identity);
    // As after this copy was lost for ended: another one made the socket anew.
    ASSERT_EQ(unlink(address.c_str()), 0);
    const platform_test::AddressHolder other(address);
    const auto othersIdentity = FileIdentity(address);
    platform::ResetForTesting();  // this copy's window and channel go
    EXPECT_EQ(FileIdentity(address), othersIdentity);
#endif
}

// Copies started all at once give one game, wherever the channel lives.
TEST_F(SingleInstanceTest, CopiesStartedTogetherGiveOneGame) {
    constexpr int kCopies = 42;
    for (const fs::path& place : Places()) {
        SCOPED_TRACE(place);
        StartAfresh(place);
        std::vector<std::unique_ptr<ChildProcess>> copies;
        for (int i = 0; i < kCopies; ++i) {
            copies.push_back(std::make_unique<ChildProcess>("start-with-others",
                                                            std::vector{platform::InstanceNamespace()}));
        }
        for (const auto& copy : copies) ASSERT_TRUE(copy->Tell('g'));  // all off at once
        std::map<int, int> copiesEndingWith;
        ChildProcess* game = nullptr;
        for (const auto& copy : copies) {
            if (copy->Hear() == '1' && game == nullptr) {
                game = copy.get();  // runs until the others have ended
                continue;
            }
            ++copiesEndingWith[copy->ExitCode().value_or(-1)];
        }
        ASSERT_NE(game, nullptr);
        ASSERT_TRUE(game->Tell('f'));
        ++copiesEndingWith[game->ExitCode().value_or(-1)];
        EXPECT_EQ(copiesEndingWith, (std::map<int, int>{{kHandedOver, kCopies - 1}, {kFirst, 1}}));
    }
}

#ifndef _WIN32
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
#endif

TEST_F(SingleInstanceTest, AnotherUsersRequestNeverReachesTheGame) {
    for (const fs::path& place : Places()) {
        for (const bool real : RealStrangers()) {
            SCOPED_TRACE(place.string() + (real ? ", real user" : ", pretended"));
            StartAfresh(place);
            CreateGameWindow();
            std::optional<ChannelPeer> peer;
            if (real) {
                // The request may not even get through: a private folder keeps strangers out.
                EXPECT_EQ(ChildProcess("strangers-request", {ChannelOfThisCopy()}).ExitCode(), 0);
            } else {
                ASSERT_TRUE(peer.emplace(ChannelOfThisCopy()).Send(&kValidRequest, sizeof kValidRequest));
                PretendToBeAnotherUser(true);
            }
            EXPECT_EQ(NextMessage(), WM_PAINT);
            PretendToBeAnotherUser(false);
            EXPECT_EQ(host.handOvers, 0);
        }
    }
}

// Another user can take the channel's name first; that program is no copy of
// ours to hand over to, and the player is told single-instance is off.
TEST_F(SingleInstanceTest, AStrangerHoldingTheNameIsNeitherHandedOverToNorKeptQuiet) {
    for (const bool real : RealStrangers()) {
        SCOPED_TRACE(real ? "real user" : "pretended");
        StartAfresh("");
        ChildProcess holder("squat", {platform::InstanceNamespace(), real ? "real" : "pretended"});
        ASSERT_EQ(holder.Hear(), 'y');
        PretendToBeAnotherUser(!real);
        ::testing::internal::CaptureStderr();
        EXPECT_EQ(FindWindowW(kClass, kTitle), nullptr);
        CreateGameWindow();
        const std::string said = ::testing::internal::GetCapturedStderr();
        EXPECT_NE(said.find("single-instance is off"), std::string::npos) << said;
        EXPECT_NE(said.find("another user holds"), std::string::npos) << said;
        PretendToBeAnotherUser(false);
        ASSERT_TRUE(holder.Tell('f'));
        EXPECT_EQ(holder.ExitCode(), 0);
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
    ChannelReply reply{};
    for (ChannelPeer& peer : ignored) EXPECT_FALSE(peer.Reply(&reply, sizeof reply));
    ASSERT_TRUE(sound.Reply(&reply, sizeof reply));
    EXPECT_EQ(reply.magic, kChannelMagic);
    EXPECT_EQ(reply.result, kHandOverAnswer);

    // The silent peer was kept without waiting for it, and a later start is
    // answered meanwhile. Once it speaks, the loop is woken (a hidden game
    // sleeps on the hand-over waitable) and answers.
    EXPECT_EQ(StartCopyAndServe(), kHandedOver);
    EXPECT_FALSE(silent.Reply(&reply, sizeof reply));
    EXPECT_FALSE(platform_test::IsSignalled(platform::HandOverWaitable()));
    ASSERT_TRUE(silent.Send(&valid, sizeof valid));
    EXPECT_TRUE(platform_test::IsSignalled(platform::HandOverWaitable()));
    EXPECT_EQ(NextMessage(), WM_PAINT);
    EXPECT_EQ(host.handOvers, 3);
    EXPECT_TRUE(silent.Reply(&reply, sizeof reply));
}

}  // namespace
