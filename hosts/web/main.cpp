// The game in a web page: the same program as on the handheld, on the browser
// host. It starts when the page has loaded and ends with "X" and "Yes".
#include <emscripten.h>

#include <string>

#include "app/win_main.h"
#include "hosts/web/web_host.h"
#include "platform/platform.h"
#include "res/resources.h"

int main() {
    webhost::WebHost host(webhost::PageStartClock());
    platform::SetHost(&host, platform::DisplayConfig{});
    std::u16string commandLine;
    const int result = WinMain(platform::RegisterModule(MirelinkResources()), nullptr, commandLine.data(), SW_SHOW);
    webhost::ShowProgramEnded();
    return result;
}
