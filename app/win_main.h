// The program's entry, start-up and window procedure.
#pragma once

#include "platform/coredll/coredll.h"

int WinMain(HINSTANCE instance, HINSTANCE previousInstance, LPWSTR commandLine, int showCommand);
BOOL InitInstance(HINSTANCE instance, int showCommand);
ATOM RegisterMainClass(HINSTANCE instance, LPCWSTR className);
LRESULT MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
