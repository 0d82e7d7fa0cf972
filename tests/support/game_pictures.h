// Every picture the game loads, at the size and frame count it steps through.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <vector>

namespace test_support {

struct GamePicture {
    int id;
    std::uint32_t width, frameHeight, frames;
    bool packed;
};

inline std::vector<GamePicture> GamePictures() {
    struct Group {
        std::uint32_t width, frameHeight, frames;
        bool packed;
        std::initializer_list<int> ids;
    };
    const Group groups[] = {
        // Blocks, lit blocks, homes, corners; the control strip, its boxes and digits.
        {20, 20, 1, false, {136, 185, 186, 187, 188, 189, 265, 315, 316, 317, 318, 319, 320, 337, 338, 341, 342, 349, 350}},
        {240, 80, 1, true, {138}}, {60, 35, 1, false, {141, 143, 250, 251}}, {60, 17, 1, false, {144, 145, 146, 148}},
        {58, 18, 1, false, {150}}, {60, 28, 1, false, {151}}, {24, 24, 1, false, {152, 153, 154, 155}},
        {128, 38, 1, true, {162}}, {14, 24, 11, false, {170}}, {36, 28, 1, false, {299}}, {40, 18, 1, false, {353}},
        // The title and its mask, the pages and panels, the turning strips.
        {240, 240, 1, true, {167, 360}}, {230, 234, 1, true, {156, 289, 290, 296}}, {230, 60, 1, true, {158}},
        {230, 140, 1, true, {160}}, {230, 136, 1, true, {161}}, {20, 20, 5, false, {306, 307, 308, 309, 310, 311}},
        // The bog's actors, the balls, the bloom.
        {20, 20, 13, false, {300, 301, 314, 344}}, {20, 20, 12, false, {302, 303, 343}}, {20, 20, 20, false, {304}},
        {20, 20, 16, false, {305}}, {20, 20, 7, false, {312, 313, 322, 323, 324, 325, 326}},
        {20, 20, 11, false, {321}}, {20, 20, 10, false, {345}},
        // The heroes: walkers, portraits; the stones.
        {30, 30, 2, false, {327, 328, 329, 330, 331, 332, 335, 336}}, {40, 40, 9, true, {339, 340}},
        {40, 40, 12, true, {347, 348}},
        // The hearts and the intro.
        {200, 180, 1, false, {351}}, {200, 180, 15, true, {352}}, {106, 113, 1, false, {354}},
        {104, 113, 1, false, {355}}, {106, 113, 10, true, {357, 358}}, {144, 74, 5, true, {359}},
    };
    std::vector<GamePicture> pictures;
    for (const Group& group : groups) {
        for (int id : group.ids) pictures.push_back({id, group.width, group.frameHeight, group.frames, group.packed});
    }
    return pictures;
}

}  // namespace test_support
