#include "board/random.h"

#include "platform/coredll/coredll.h"

namespace {
// Very nearly 1 / 32767: the largest draw scales to n itself.
constexpr float kDrawScale = 3.0518509e-5f;
}  // namespace

std::int32_t RandomBelow(std::int32_t n) {
    const int draw = crt::rand();
    if (n < 1) return 0;
    // Both products in single precision, as the levels depend on their rounding.
    const float unit = static_cast<float>(draw) * kDrawScale;
    const float scaled = unit * static_cast<float>(n);
    const auto result = static_cast<std::int32_t>(scaled);
    return result >= n ? n - 1 : result;
}
