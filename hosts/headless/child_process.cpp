#include "hosts/headless/child_process.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <cstring>

extern char** environ;

std::string ChildProcess::Outcome::Describe() const {
    if (exited) return "exited with code " + std::to_string(code);
    return "was ended by signal " + std::to_string(signal) + " (" + strsignal(signal) + ")";
}

std::optional<ChildProcess> ChildProcess::Start(const std::string& program, const std::vector<std::string>& arguments,
                                                std::string* error) {
    std::vector<std::string> words;
    words.reserve(arguments.size() + 1);
    words.push_back(program);
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);

    pid_t pid = -1;
    const int result = posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv.data(), environ);
    if (result != 0) {
        *error = "cannot start '" + program + "': " + std::strerror(result);
        return std::nullopt;
    }
    return ChildProcess(static_cast<std::intptr_t>(pid));
}

std::optional<ChildProcess::Outcome> ChildProcess::Poll() {
    if (process_ == kNone) return std::nullopt;
    int status = 0;
    pid_t ended = 0;
    do {
        ended = waitpid(static_cast<pid_t>(process_), &status, WNOHANG);
    } while (ended < 0 && errno == EINTR);
    if (ended == 0) return std::nullopt;
    process_ = kNone;
    if (ended < 0) return Outcome{true, 127, 0};  // lost track of it: count it as failed
    if (WIFEXITED(status)) return Outcome{true, WEXITSTATUS(status), 0};
    return Outcome{false, 0, WTERMSIG(status)};
}

void ChildProcess::Kill() {
    if (process_ == kNone) return;
    const auto pid = static_cast<pid_t>(process_);
    kill(pid, SIGKILL);
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    process_ = kNone;
}
