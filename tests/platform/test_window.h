// A window for platform tests: a procedure that records what it receives and
// answers through an optional reaction.
#pragma once

#include <algorithm>
#include <functional>
#include <vector>

#include "platform/coredll/coredll.h"

namespace platform_test {

// The messages the window received, in order.
inline std::vector<UINT>& Received() {
    static std::vector<UINT> messages;
    return messages;
}

inline std::function<LRESULT(HWND, UINT, WPARAM, LPARAM)>& Reaction() {
    static std::function<LRESULT(HWND, UINT, WPARAM, LPARAM)> reaction;
    return reaction;
}

inline LRESULT RecordingWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Received().push_back(message);
    return Reaction() ? Reaction()(window, message, wParam, lParam) : 0;
}

inline int CountReceived(UINT message) {
    return static_cast<int>(std::count(Received().begin(), Received().end(), message));
}

// Registers the recording class and creates a window of it.
inline HWND CreateRecordingWindow(DWORD style = WS_VISIBLE, const char16_t* className = u"TESTCLASS",
                                  const char16_t* title = u"Test") {
    Received().clear();
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = RecordingWindowProc;
    windowClass.lpszClassName = className;
    RegisterClassW(&windowClass);
    return CreateWindowExW(0, className, title, style, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                           CW_USEDEFAULT, nullptr, nullptr, nullptr, nullptr);
}

}  // namespace platform_test
