// A second copy of the runner started as a real process, for `relaunch`.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class ChildProcess {
public:
    // How a child ended: its exit code, or the signal that ended it (Windows
    // has no signals: a crash there is an exit code such as 0xC0000005).
    struct Outcome {
        bool exited = true;
        int code = 0;    // when exited
        int signal = 0;  // otherwise

        bool Succeeded() const { return exited && code == 0; }
        std::string Describe() const;
    };

    // Starts `program` with `arguments` (not counting the program's own name);
    // it shares this process's standard streams and environment. Nothing, and
    // the reason in `error`, when it cannot be started.
    static std::optional<ChildProcess> Start(const std::string& program, const std::vector<std::string>& arguments,
                                             std::string* error);

    ChildProcess(ChildProcess&& other) noexcept : process_(std::exchange(other.process_, kNone)) {}
    ChildProcess& operator=(ChildProcess&& other) noexcept {
        if (this != &other) {
            Kill();
            process_ = std::exchange(other.process_, kNone);
        }
        return *this;
    }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    // A child still running is killed and reaped: no stray copies, no zombies.
    ~ChildProcess() { Kill(); }

    // The outcome once the child has ended; nothing while it runs. Never waits.
    std::optional<Outcome> Poll();
    void Kill();

private:
    // The process id on POSIX systems, the process handle on Windows.
    static constexpr std::intptr_t kNone = -1;
    explicit ChildProcess(std::intptr_t process) : process_(process) {}
    std::intptr_t process_ = kNone;
};

