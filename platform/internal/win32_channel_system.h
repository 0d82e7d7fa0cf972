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

// The user this process runs as, as a SID in text; empty when the system
// will not tell.
std::string ProcessUser();

// "<user SID>.<session id>": what makes the names of one user's copies in one
// logon session their own. Empty when the system will not tell.
std::string UserAndSession();

// A named mutex in the session's namespace that only this user may open,
// taken within `waitMs`; one whose owner died without letting go is taken too.
Handle TakeMutex(const std::string& name, std::uint32_t waitMs);
void GiveMutex(Handle mutex);

// A manual-reset event that every end of one pipe signals: raised when any
// end has news, cleared only by its owner.
Handle NewEvent();
void CloseEvent(Handle event);
void ClearEvent(Handle event);
void RaiseEvent(Handle event);

// One instance of the pipe \\.\pipe\<name>, created only if nobody holds the
// name yet (`first`) and opened to this user alone, local clients only. It
// waits for a client, then for the client's one message, never blocking its
// owner; `event` turns signalled when either comes.
struct PipeEnd {
    Handle pipe = kNone;
    Handle event = kNone;  // not the end's own: shared with the other ends
    bool reading = false;  // connected, a read of the request under way
    bool clientFirst = false;  // connected before the end began to wait: nothing under way
    unsigned char buffer[64];
    alignas(8) unsigned char overlapped[64];  // the system's record of the operation under way
};
bool CreatePipeEnd(const std::string& name, bool first, Handle event, PipeEnd* end);
void ClosePipeEnd(PipeEnd* end);

// What a pipe end has for its owner now, never waiting.
enum class PipeNews { kNothing, kRequest, kDone };
// kRequest: `size` bytes of one message in end->buffer, from a client of this
// user in this session. kDone: the client went away, sent too much, or is a
// stranger; the end is to be closed. A client of ours that connected but has
// not spoken is kNothing, with `reading` set.
PipeNews PollPipeEnd(PipeEnd* end, std::size_t* size);
// True when the end's operation under way has finished, without taking its news.
bool HasNews(const PipeEnd& end);
// Puts the answer in the pipe for the client to read after this end is closed.
void AnswerPipeEnd(PipeEnd* end, const void* data, std::size_t size);

// Who holds a pipe's name, found by one connection attempt that never waits.
enum class Reach {
    kNobody,    // no such pipe
    kBusy,      // every instance taken: a copy busy or stopped, there all the same
    kOurs,      // a program of this user in this session
    kStranger,  // another user's program, or one that will not say whose it is
    kFailed,    // anything else; says nothing about who is there
};
Reach WhoHolds(const std::string& name);

// Sends `request` to the pipe's owner, if it runs as this user in this
// session, and waits until `deadlineMs` (a GetTickCount64 time) for `reply`.
bool ExchangeWithPipe(const std::string& name, const void* request, std::size_t requestSize,
                      void* reply, std::size_t replySize, std::uint64_t deadlineMs);
std::uint64_t NowMs();

}  // namespace platform::internal::win32
