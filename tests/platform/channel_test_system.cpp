// The roles children play, and the program's entry: a child started afresh
// (on Windows) names its role on the command line; anything else runs the tests.
#include <gtest/gtest.h>

#include <map>

#include "tests/platform/channel_test_system.h"
#include "tests/support/platform_seam.h"

namespace platform_test {
namespace {

std::map<std::string, ChildRole>& Roles() {
    static std::map<std::string, ChildRole> roles;
    return roles;
}

}  // namespace

bool AddChildRoles(std::initializer_list<std::pair<const char*, ChildRole>> roles) {
    for (const auto& [name, role] : roles) Roles()[name] = role;
    return true;
}

int PlayChildRole(const std::string& role, const std::vector<std::string>& args) {
    const auto found = Roles().find(role);
    const int exitCode = found == Roles().end() ? 2 : found->second(args);
    platform::ResetForTesting();  // as the process ends: windows, channels and locks go
    return exitCode;
}

}  // namespace platform_test

int main(int argc, char** argv) {
    if (argc >= 3 && std::string(argv[1]) == "--child") {
        return platform_test::PlayChildRole(argv[2], std::vector<std::string>(argv + 3, argv + argc));
    }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
