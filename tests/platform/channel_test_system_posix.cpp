// The channel tests' system on Unix: children are forked, peers are
// sequenced-packet sockets.
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/internal/instance_channel.h"
#include "tests/platform/channel_test_system.h"

namespace platform_test {
namespace {

bool Readable(int fd) {
    pollfd entry{fd, POLLIN, 0};
    return poll(&entry, 1, 0) == 1;
}

int Connected(const std::string& address, bool listen) {
    const int fd = socket(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    sockaddr_un place;
    socklen_t length;
    const auto* raw = reinterpret_cast<const sockaddr*>(&place);
    if (platform::internal::ToSocketAddress(address, &place, &length) &&
        (listen ? bind(fd, raw, length) == 0 && ::listen(fd, 4) == 0 : connect(fd, raw, length) == 0)) {
        return fd;
    }
    close(fd);
    return -1;
}

}  // namespace

ChildProcess::ChildProcess(const std::string& role, const std::vector<std::string>& args) {
    int in[2], out[2];
    if (pipe(in) != 0 || pipe(out) != 0) return;
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(in[0], 0);
        dup2(out[1], 1);
        for (int fd : {in[0], in[1], out[0], out[1]}) close(fd);
        alarm(60);  // a child that hangs ends
        _exit(PlayChildRole(role, args));
    }
    close(in[0]);
    close(out[1]);
    process_ = pid;
    input_ = in[1];
    output_ = out[0];
}

ChildProcess::~ChildProcess() {
    if (process_ > 0 && !ExitCode(false)) {
        kill(static_cast<pid_t>(process_), SIGKILL);
        ExitCode();
    }
    close(static_cast<int>(input_));
    close(static_cast<int>(output_));
}

bool ChildProcess::Tell(char byte) { return write(static_cast<int>(input_), &byte, 1) == 1; }

char ChildProcess::Hear() {
    char byte = 0;
    return read(static_cast<int>(output_), &byte, 1) == 1 ? byte : 0;
}

std::optional<int> ChildProcess::ExitCode(bool wait) {
    int status = 0;
    if (!exitCode_ && process_ > 0 && waitpid(static_cast<pid_t>(process_), &status, wait ? 0 : WNOHANG) > 0) {
        exitCode_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    return exitCode_;
}

bool TellParent(char byte) { return write(1, &byte, 1) == 1; }

char HearParent() {
    char byte = 0;
    return read(0, &byte, 1) == 1 ? byte : 0;
}

bool ParentHasSpoken() { return Readable(0); }

ChannelPeer::ChannelPeer(const std::string& address) : handle_(Connected(address, false)) {
    connected = handle_ >= 0;
}

ChannelPeer::~ChannelPeer() { close(static_cast<int>(handle_)); }

bool ChannelPeer::Send(const void* data, std::size_t size) {
    return send(static_cast<int>(handle_), data, size, MSG_NOSIGNAL) == static_cast<ssize_t>(size);
}

bool ChannelPeer::Reply(void* data, std::size_t size) {
    return recv(static_cast<int>(handle_), data, size, MSG_DONTWAIT) == static_cast<ssize_t>(size);
}

AddressHolder::AddressHolder(const std::string& address) {
    handles_[0] = Connected(address, true);
    holding = handles_[0] >= 0;
}

AddressHolder::~AddressHolder() { close(static_cast<int>(handles_[0])); }

LockKeptInBeing::LockKeptInBeing(const std::string&) : found(true) {}

LockKeptInBeing::~LockKeptInBeing() = default;

bool IsSignalled(std::intptr_t waitable) { return Readable(static_cast<int>(waitable)); }

}  // namespace platform_test
