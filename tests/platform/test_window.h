// A window for platform tests: a procedure that records what it receives,
// created with a fake host installed.
#pragma once

#include <functional>
#include <vector>

#include "platform/coredll/coredll.h"
#include "tests/support/fake_host.h"

namespace platform_test {

struct ReceivedMessage {
    HWND window;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// Everything the recording procedure saw, and an optional reaction to it.
std::vector<ReceivedMessage>& Received();
std::function<LRESULT(HWND, UINT, WPARAM, LPARAM)>& Reaction();
LRESULT RecordingWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Registers the recording class and creates a window of it.
HWND CreateRecordingWindow(DWORD style = WS_VISIBLE, const char16_t* className = u"TESTCLASS",
                           const char16_t* title = u"Test");

std::vector<UINT> ReceivedMessageNumbers();

}  // namespace platform_test
