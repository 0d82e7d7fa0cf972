// What the single-instance tests need from the system, the same on Unix and
// on Windows: copies of this test program playing a child role, and raw peers
// of the channel, as a confused or hostile program would be. Free of the
// platform's Win32 names, so that the Windows side can include the system's.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace platform_test {

// A part a child plays: its arguments in, its exit code out.
using ChildRole = int (*)(const std::vector<std::string>& args);
// Makes roles known by name to the children this program starts.
bool AddChildRoles(std::initializer_list<std::pair<const char*, ChildRole>> roles);
// Plays the named role, in a child: its exit code, or 2 for no such role.
int PlayChildRole(const std::string& role, const std::vector<std::string>& args);

// A copy of this program playing `role`: forked on Unix, started afresh on
// Windows. Parent and child speak single bytes through its standard input
// and output.
class ChildProcess {
public:
    ChildProcess(const std::string& role, const std::vector<std::string>& args);
    ~ChildProcess();  // ends the child if it still runs
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool Tell(char byte);
    // The child's next byte; 0 when it closed its output.
    char Hear();
    // The exit code, -1 when the child was killed or outlived a minute;
    // nothing while it runs and `wait` is false.
    std::optional<int> ExitCode(bool wait = true);

private:
    std::intptr_t process_ = -1;
    std::intptr_t input_ = -1;   // the child's standard input
    std::intptr_t output_ = -1;  // the child's standard output
    std::optional<int> exitCode_;
};

// In a child: a byte to the parent, the parent's next byte (0 when it
// closed), and whether one waits to be read.
bool TellParent(char byte);
char HearParent();
bool ParentHasSpoken();

// A raw client of the channel at `address` (ChannelAddress). Its messages go
// whole, each on its own.
class ChannelPeer {
public:
    explicit ChannelPeer(const std::string& address);
    ~ChannelPeer();
    ChannelPeer(const ChannelPeer&) = delete;
    ChannelPeer& operator=(const ChannelPeer&) = delete;

    bool Send(const void* data, std::size_t size);
    // True when a reply of `size` bytes waited and was read into `data`.
    bool Reply(void* data, std::size_t size);
    bool connected = false;

private:
    std::intptr_t handle_ = -1;
};

// Holds the channel's address, and never answers. On Unix the socket file
// stays behind when the holder goes, as a crashed copy's would.
class AddressHolder {
public:
    explicit AddressHolder(const std::string& address);
    ~AddressHolder();
    AddressHolder(const AddressHolder&) = delete;
    AddressHolder& operator=(const AddressHolder&) = delete;
    bool holding = false;

private:
    // A listening socket; on Windows instances of the pipe, one for each
    // client it can take (it never serves one and takes another).
    std::intptr_t handles_[4] = {-1, -1, -1, -1};
};

// Keeps the start-up lock named `name` (ChannelName and ".lock") in being
// while its holder dies, as a copy waiting for the lock does: on Windows the
// lock is a mutex, gone with its last handle. On Unix the lock file stays by
// itself. `found` when the lock was there to keep.
class LockKeptInBeing {
public:
    explicit LockKeptInBeing(const std::string& name);
    ~LockKeptInBeing();
    LockKeptInBeing(const LockKeptInBeing&) = delete;
    LockKeptInBeing& operator=(const LockKeptInBeing&) = delete;
    bool found = false;

private:
    std::intptr_t handle_ = -1;
};

// True when the hand-over waitable (a descriptor, or an event) says that
// something waits to be served.
bool IsSignalled(std::intptr_t waitable);

}  // namespace platform_test
