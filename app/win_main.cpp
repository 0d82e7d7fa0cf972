#include "app/win_main.h"

// The program's entry: start up, then run the message loop until the quit
// message. Paint requests keep coming whenever the queue is empty, so the loop
// is also the game loop.
int WinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int showCommand) {
    if (!InitInstance(instance, showCommand)) return 0;
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
