// The handheld C runtime's random sequence: a 32-bit linear congruential
// generator whose bits 16-30 are the result.
#include "platform/coredll/coredll.h"
#include "platform/internal/state.h"

namespace crt {

int rand() {
    std::uint32_t& state = platform::internal::TheState().randState;
    state = state * 214013u + 2531011u;
    return static_cast<int>((state >> 16) & 0x7FFF);
}

void srand(unsigned int seed) { platform::internal::TheState().randState = seed; }

}  // namespace crt
