// Time, message boxes, stock objects and rectangles.
#include "platform/coredll/coredll.h"
#include "platform/internal/state.h"

using namespace platform::internal;

DWORD GetTickCount() {
    ActiveHost().ClockWatched();
    return ActiveHost().TickCount();
}

void Sleep(DWORD milliseconds) { ActiveHost().Sleep(milliseconds); }

HGDIOBJ GetStockObject(int object) {
    static char whiteBrush;
    return object == WHITE_BRUSH ? &whiteBrush : nullptr;
}

int MessageBoxW(HWND, LPCWSTR text, LPCWSTR caption, UINT type) {
    // The device shows "Error" for a box without a caption.
    const std::string captionText = caption ? WideToUtf8(caption) : "Error";
    return ActiveHost().ShowMessageBox(captionText, WideToUtf8(CopyWide(text)), type);
}

BOOL PtInRect(const RECT* rect, POINT point) {
    if (rect == nullptr) return FALSE;
    return point.x >= rect->left && point.x < rect->right && point.y >= rect->top &&
                   point.y < rect->bottom
               ? TRUE
               : FALSE;
}
