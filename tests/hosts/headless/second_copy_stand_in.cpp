// Stands in for the runner's second copy in the host's tests, on every
// system: `stand-in CODE --clock MS` exits with CODE when the host added the
// clock of the moment (1093) and nothing else, with 99 when it did not;
// `stand-in forever ...` never ends.
#include <cstdlib>
#include <future>
#include <string>

int main(int argc, char** argv) {
    const std::string what = argc > 1 ? argv[1] : "";
    if (what == "forever") std::promise<void>().get_future().wait();  // nothing ever keeps the promise
    const bool clockOnly = argc == 4 && std::string(argv[2]) == "--clock" && std::string(argv[3]) == "1093";
    return clockOnly ? std::atoi(what.c_str()) : 99;
}
