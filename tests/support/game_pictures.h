// Every picture the game loads, at the size and frame count it steps through.
#pragma once

#include <cstdint>

namespace test_support {

struct GamePicture {
    int id;
    std::uint32_t width;
    std::uint32_t frameHeight;
    std::uint32_t frames;
    bool packed;
};

inline constexpr GamePicture kGamePictures[] = {
    {136, 20, 20, 1, false},   {138, 240, 80, 1, true},   {141, 60, 35, 1, false},  {143, 60, 35, 1, false},
    {144, 60, 17, 1, false},   {145, 60, 17, 1, false},   {146, 60, 17, 1, false},  {148, 60, 17, 1, false},
    {150, 58, 18, 1, false},   {151, 60, 28, 1, false},   {152, 24, 24, 1, false},  {153, 24, 24, 1, false},
    {154, 24, 24, 1, false},   {155, 24, 24, 1, false},   {156, 230, 234, 1, true}, {158, 230, 60, 1, true},
    {160, 230, 140, 1, true},  {161, 230, 136, 1, true},  {162, 128, 38, 1, true},  {167, 240, 240, 1, true},
    {170, 14, 24, 11, false},  {185, 20, 20, 1, false},   {186, 20, 20, 1, false},  {187, 20, 20, 1, false},
    {188, 20, 20, 1, false},   {189, 20, 20, 1, false},   {250, 60, 35, 1, false},  {251, 60, 35, 1, false},
    {265, 20, 20, 1, false},   {289, 230, 234, 1, true},  {290, 230, 234, 1, true}, {296, 230, 234, 1, true},
    {299, 36, 28, 1, false},   {306, 20, 20, 5, false},   {307, 20, 20, 5, false},  {308, 20, 20, 5, false},
    {309, 20, 20, 5, false},   {310, 20, 20, 5, false},   {311, 20, 20, 5, false},  {315, 20, 20, 1, false},
    {316, 20, 20, 1, false},   {317, 20, 20, 1, false},   {318, 20, 20, 1, false},  {319, 20, 20, 1, false},
    {320, 20, 20, 1, false},   {337, 20, 20, 1, false},   {338, 20, 20, 1, false},  {349, 20, 20, 1, false},
    {350, 20, 20, 1, false},   {353, 40, 18, 1, false},
    // The bog's actors, the balls, the bloom.
    {300, 20, 20, 13, false},  {301, 20, 20, 13, false},  {302, 20, 20, 12, false}, {303, 20, 20, 12, false},
    {304, 20, 20, 20, false},  {305, 20, 20, 16, false},  {312, 20, 20, 7, false},  {313, 20, 20, 7, false},
    {314, 20, 20, 13, false},  {321, 20, 20, 11, false},  {322, 20, 20, 7, false},  {323, 20, 20, 7, false},
    {324, 20, 20, 7, false},   {325, 20, 20, 7, false},   {326, 20, 20, 7, false},  {343, 20, 20, 12, false},
    {344, 20, 20, 13, false},  {345, 20, 20, 10, false},
    // The heroes: walkers, portraits, empty homes; the stones.
    {327, 30, 30, 2, false},   {328, 30, 30, 2, false},   {329, 30, 30, 2, false},  {330, 30, 30, 2, false},
    {331, 30, 30, 2, false},   {332, 30, 30, 2, false},   {335, 30, 30, 2, false},  {336, 30, 30, 2, false},
    {339, 40, 40, 9, true},    {340, 40, 40, 9, true},    {341, 20, 20, 1, false},  {342, 20, 20, 1, false},
    {347, 40, 40, 12, true},   {348, 40, 40, 12, true},
    // The hearts and the intro.
    {351, 200, 180, 1, false}, {352, 200, 180, 15, true}, {354, 106, 113, 1, false}, {355, 104, 113, 1, false},
    {357, 106, 113, 10, true}, {358, 106, 113, 10, true}, {359, 144, 74, 5, true},   {360, 240, 240, 1, true},
};

}  // namespace test_support
