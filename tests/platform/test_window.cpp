#include "tests/platform/test_window.h"

namespace platform_test {

std::vector<ReceivedMessage>& Received() {
    static std::vector<ReceivedMessage> messages;
    return messages;
}

std::function<LRESULT(HWND, UINT, WPARAM, LPARAM)>& Reaction() {
    static std::function<LRESULT(HWND, UINT, WPARAM, LPARAM)> reaction;
    return reaction;
}

LRESULT RecordingWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Received().push_back({window, message, wParam, lParam});
    return Reaction() ? Reaction()(window, message, wParam, lParam) : 0;
}

HWND CreateRecordingWindow(DWORD style, const char16_t* className, const char16_t* title) {
    Received().clear();
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = RecordingWindowProc;
    windowClass.lpszClassName = className;
    RegisterClassW(&windowClass);
    return CreateWindowExW(0, className, title, style, CW_USEDEFAULT, CW_USEDEFAULT,
                           CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, nullptr, nullptr);
}

std::vector<UINT> ReceivedMessageNumbers() {
    std::vector<UINT> numbers;
    for (const ReceivedMessage& message : Received()) numbers.push_back(message.message);
    return numbers;
}

}  // namespace platform_test
