// The shell's full-screen call.
#include "platform/aygshell/aygshell.h"

#include "platform/internal/state.h"
#include "platform/internal/system_answers.h"

using namespace platform::internal;

BOOL SHFullScreen(HWND window, DWORD state) {
    State& platformState = TheState();
    if (!SystemHasResourcesFor(SystemCall::kFullScreen) || FindWindowByHandle(window) == nullptr) return FALSE;
    if (state & SHFS_HIDETASKBAR) platformState.fullScreen = true;
    if (state & SHFS_SHOWTASKBAR) platformState.fullScreen = false;
    return TRUE;
}
