// Stands in for the runner's second copy in the host's tests, on every
// system: `stand-in CODE --clock MS` exits with CODE when the host added the
// clock of the moment (1093) and nothing else, with 99 when it did not;
// `stand-in forever ...` never ends.
#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

int main(int argc, char** argv) {
    const std::string what = argc > 1 ? argv[1] : "";
    while (what == "forever") std::this_thread::sleep_for(std::chrono::seconds(1));
    const bool clockOnly = argc == 4 && std::string(argv[2]) == "--clock" && std::string(argv[3]) == "1093";
    return clockOnly ? std::atoi(what.c_str()) : 99;
}
