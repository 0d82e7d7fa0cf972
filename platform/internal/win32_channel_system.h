// The system calls behind the single-instance channel on Windows, kept apart
// because <windows.h> and the stand-in's own Win32 names cannot meet in one
// file. Handles travel as integers; -1 is none.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace platform::internal::win32 {

using Handle = std::intptr_t;
constexpr Handle kNone = -1;

// "<user SID>.<session id>": what makes the names of one user's copies in one
// logon session their own. Empty when the system will not tell.
std::string UserAndSession();

// A named mutex in the session's namespace that only this user may open,
// taken within `waitMs`; one whose owner died without letting go is taken too.
Handle TakeMutex(const std::string& name, std::uint32_t waitMs);
void GiveMutex(Handle mutex);

// The pipe \\.\pipe\<name>, created only if nobody holds the name yet
// (`first`) and opened to this user alone, local clients only. Its event turns
// signalled while a connection or a message waits.
struct PipeEnd {
    Handle pipe = kNone;
    Handle event = kNone;
    bool reading = false;  // connected, a read of the request under way
    unsigned char buffer[64];
    alignas(8) unsigned char overlapped[64];  // the system's record of the operation under way
};
bool CreatePipeEnd(const std::string& name, bool first, PipeEnd* end);
void ClosePipeEnd(PipeEnd* end);

// What a pipe end has for its owner now, never waiting.
enum class PipeNews { kNothing, kRequest, kDone };
// kRequest: `size` bytes of one message in end->buffer, from a client of this
// user in this session. kDone: the client went away, sent too much, or is a
// stranger; the end is to be replaced.
PipeNews PollPipeEnd(PipeEnd* end, std::size_t* size);
// Puts the answer in the pipe for the client to read after this end is closed.
void AnswerPipeEnd(PipeEnd* end, const void* data, std::size_t size);

// True when a pipe of that name exists, even one busy with another client.
bool PipeExists(const std::string& name);

// Sends `request` to the pipe's owner, if it runs as this user in this
// session, and waits until `deadlineMs` (a GetTickCount64 time) for `reply`.
bool ExchangeWithPipe(const std::string& name, const void* request, std::size_t requestSize,
                      void* reply, std::size_t replySize, std::uint64_t deadlineMs);
std::uint64_t NowMs();

}  // namespace platform::internal::win32
