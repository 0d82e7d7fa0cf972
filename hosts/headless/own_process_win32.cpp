#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>

#include "hosts/headless/own_process.h"
#include "hosts/headless/utf8_win32.h"

namespace own_process {

std::string ProgramPath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            return Narrow(path);
        }
        path.resize(path.size() * 2);  // cut short: try a longer buffer
    }
}

unsigned long Number() { return GetCurrentProcessId(); }

void MakeOutputBinary() {
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
}

}  // namespace own_process
