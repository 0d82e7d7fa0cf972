// Every picture of the resource script, at the size and frame count the game steps through.
#pragma once

#include <cstdint>
#include <vector>

#include "res/picture_ids.h"

namespace test_support {

struct GamePicture {
    int id;
    std::uint32_t width, frameHeight, frames;
    bool packed;
};

inline std::vector<GamePicture> GamePictures() {
    std::vector<GamePicture> all;
    for (const pictures::Entry& entry : pictures::kAll) {
        all.push_back({entry.id, static_cast<std::uint32_t>(entry.width), static_cast<std::uint32_t>(entry.height),
                       static_cast<std::uint32_t>(entry.frames), entry.packed});
    }
    return all;
}

}  // namespace test_support
