// Damaged packed data, many thousand ways: the decoder must never read past
// the data nor write past its destination (ASan watches both), and never
// report more bytes than it had room for.
#include <gtest/gtest.h>

#include <memory>
#include <random>

#include "gfx/image.h"
#include "tests/codec/test_pictures.h"
#include "tools/dbb/packer.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

class Mutator {
  public:
    explicit Mutator(unsigned seed) : random_(seed) {}

    std::uint32_t Below(std::size_t bound) { return bound == 0 ? 0 : static_cast<std::uint32_t>(random_() % bound); }

    void Mutate(Bytes& data) {
        for (int round = 1 + static_cast<int>(Below(4)); round > 0 && !data.empty(); --round) {
            switch (Below(5)) {
                case 0: data[Below(data.size())] ^= static_cast<std::uint8_t>(1 << Below(8)); break;
                case 1: data.resize(Below(data.size() + 1)); break;
                case 2: data[Below(data.size())] = static_cast<std::uint8_t>(random_()); break;
                case 3: Splice(data); break;
                default: SetSizeField(data); break;
            }
        }
    }

  private:
    // A run of the data copied over another place, as damaged files do.
    void Splice(Bytes& data) {
        const std::size_t from = Below(data.size());
        const std::size_t to = Below(data.size());
        const std::size_t length = Below(data.size() - std::max(from, to) + 1);
        std::copy(data.begin() + from, data.begin() + from + length, data.begin() + to);
    }

    // The literal count or the unpacked size set near a boundary.
    void SetSizeField(Bytes& data) {
        if (data.size() < 8) return;
        const std::uint32_t values[] = {0, 1, static_cast<std::uint32_t>(data.size()), 0x7FFFFFFF, 0xFFFFFFFF};
        const std::uint32_t value = values[Below(std::size(values))];
        const std::size_t count = data[0] | data[1] << 8 | data[2] << 16 | std::size_t{data[3]} << 24;
        const std::size_t at = Below(2) == 0 || count > data.size() - 8 ? 0 : 4 + count;
        for (int i = 0; i < 4; ++i) data[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
    }

    std::mt19937 random_;
};

TEST(UnpackImageFuzz, DamagedDataNeverLeavesItsBounds) {
    constexpr std::size_t kGuardBytes = 256;
    const Bytes raw = codec_test::CartoonPicture(60, 70);
    const Bytes packed = dbb::Pack(raw);
    const auto fullSize = static_cast<std::uint32_t>(raw.size());
    for (unsigned seed = 1; seed <= 20000; ++seed) {
        Mutator mutator(seed);
        Bytes damaged = packed;
        mutator.Mutate(damaged);
        // Mostly the real size; sometimes less room than the data asks for.
        const std::uint32_t capacity = mutator.Below(4) == 0 ? mutator.Below(fullSize) : fullSize;
        // Exactly the data's size, so that ASan sees any read past it.
        auto source = std::make_unique<std::uint8_t[]>(damaged.size());
        std::copy(damaged.begin(), damaged.end(), source.get());
        Bytes destination(capacity + kGuardBytes, 0xA5);
        const std::uint32_t written =
            UnpackImage(source.get(), static_cast<std::uint32_t>(damaged.size()), destination.data(), capacity);
        ASSERT_LE(written, capacity) << "seed " << seed;
        ASSERT_TRUE(std::all_of(destination.begin() + capacity, destination.end(), [](auto b) { return b == 0xA5; }))
            << "seed " << seed;
    }
}

}  // namespace
