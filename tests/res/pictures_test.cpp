// What the pictures must keep with the game's own rules, which a change of
// the art that rewrites the golden traces could break unseen: the blocks'
// openings, and the panels' buttons under the rectangles the game listens to.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <map>
#include <vector>

#include "board/board.h"
#include "gfx/image.h"
#include "gfx/layout.h"
#include "res/resources.h"
#include "tools/dbb/embedded_pictures.h"

namespace {

// A picture as the program carries it, unpacked by the game's own decoder;
// its rows are stored bottom-up.
struct Decoded {
    int width = 0;
    int height = 0;
    std::vector<Pixel32> pixels;
    const Pixel32& At(int x, int y) const { return pixels.at(static_cast<std::size_t>(height - 1 - y) * width + x); }
};

const Decoded& Picture(int id) {
    static std::map<int, Decoded> cache;
    if (auto found = cache.find(id); found != cache.end()) return found->second;
    const std::vector<std::uint8_t> raw =
        dbb::EmbeddedPictures(MirelinkResources(), MirelinkPictureCatalogue()).RawBytes(static_cast<std::uint32_t>(id));
    Decoded picture{static_cast<int>(ReadU32(raw.data())), static_cast<int>(ReadU32(raw.data() + 4)),
                    std::vector<Pixel32>((raw.size() - 8) / 4)};
    std::memcpy(picture.pixels.data(), raw.data() + 8, picture.pixels.size() * sizeof(Pixel32));
    return cache.emplace(id, std::move(picture)).first->second;
}

bool PathGold(const Pixel32& p) { return p.red > 180 && p.green > 120 && p.red > p.blue + 80; }

// Each block picture, plain and lit, and each empty home opens where its kind
// opens: an edge is open when both pixels in its middle show the path.
TEST(Blocks, ChannelsOpenWhereTheirKindOpens) {
    std::vector<std::pair<int, std::int32_t>> cells{{kHeroHomeEmptyPicture, RightDown},
                                                    {kHeroineHomeEmptyPicture, LeftUp}};
    for (std::int32_t kind = Vertical; kind <= LeftUp; ++kind) {
        cells.insert(cells.end(), {{kBlockPictureIds[kind - 1], kind}, {kBlockPictureIds[kind + 5], kind}});
    }
    for (const auto& [id, kind] : cells) {
        const Decoded& cell = Picture(id);
        const auto gold = [&](int x1, int y1, int x2, int y2) {
            return PathGold(cell.At(x1, y1)) && PathGold(cell.At(x2, y2));
        };
        EXPECT_EQ(gold(9, 0, 10, 0), OpensToward(kind, Side::Up)) << id;
        EXPECT_EQ(gold(19, 9, 19, 10), OpensToward(kind, Side::Right)) << id;
        EXPECT_EQ(gold(9, 19, 10, 19), OpensToward(kind, Side::Down)) << id;
        EXPECT_EQ(gold(0, 9, 0, 10), OpensToward(kind, Side::Left)) << id;
    }
}

int CountWhite(const Decoded& picture) {
    return static_cast<int>(std::count_if(picture.pixels.begin(), picture.pixels.end(), IsPureWhite));
}

// --- Panels, resting on the screen where the game rolls them in ------------

struct Rect {
    int left, top, right, bottom;  // right and bottom outside
    bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    Rect Grown(int by) const { return {left - by, top - by, right + by, bottom + by}; }
};

// The game's touch rectangles in the coordinates of a panel `panelHeight` high.
std::vector<Rect> OnPanel(const std::vector<RECT>& screen, int panelHeight) {
    const int dy = kPanelBottomY + 1 - panelHeight;
    std::vector<Rect> rects;
    for (const RECT& r : screen) rects.push_back({r.left - kPanelX, r.top - dy, r.right - kPanelX, r.bottom - dy});
    return rects;
}

bool ButtonFace(const Pixel32& p) { return p.red > 150 && p.green > 90 && p.red > p.blue + 80; }

// Round buttons: every button pixel of the bottom band lies in one of the
// touch rectangles, and each rectangle holds its button.
TEST(Panels, HelpAndAboutPagesAreOpaqueWithTheirButtonsUnderTheirRectangles) {
    const std::vector<RECT> helpButtons{kPrevPageRect, kNextPageRect, kHelpCloseRect};
    struct Page {
        int id, bandTop;
        std::vector<RECT> buttons;
    };
    std::vector<Page> pages{{kAboutPage, 198, {kAboutCloseRect}}};
    for (const int id : kHelpPages) pages.push_back({id, 200, helpButtons});
    for (const Page& page : pages) {
        SCOPED_TRACE(page.id);
        const Decoded& panel = Picture(page.id);
        EXPECT_EQ(CountWhite(panel), 0);
        const std::vector<Rect> rects = OnPanel(page.buttons, panel.height);
        std::vector<int> inRect(rects.size(), 0);
        for (int y = page.bandTop; y < panel.height; ++y) {
            for (int x = 0; x < panel.width; ++x) {
                if (!ButtonFace(panel.At(x, y))) continue;
                bool inside = false;
                for (std::size_t i = 0; i < rects.size(); ++i) {
                    if (rects[i].Contains(x, y)) inside = ++inRect[i] > 0;
                }
                EXPECT_TRUE(inside) << "button pixel outside every touch rectangle at " << x << "," << y;
            }
        }
        for (std::size_t i = 0; i < rects.size(); ++i) EXPECT_GT(inRect[i], 120) << "rect " << i;
    }
}

bool Parchment(const Pixel32& p, const Pixel32& ground) {
    return std::abs(p.red - ground.red) < 20 && std::abs(p.green - ground.green) < 20 &&
           std::abs(p.blue - ground.blue) < 20;
}

// Answer buttons: the whole touch rectangle is button, and the ring 4 to 8
// pixels round it is panel.
TEST(Panels, QuestionsAndNewLevelAreOpaqueWithTheirAnswersUnderTheirRectangles) {
    const std::vector<RECT> yesNo{kDialogYesRect, kDialogNoRect};
    for (const auto& [id, buttons] : {std::pair{kExitDialog, yesNo}, std::pair{kStopDialog, yesNo},
                                      std::pair{kLevelCompletePanel, std::vector<RECT>{kNextLevelOkRect}}}) {
        SCOPED_TRACE(id);
        const Decoded& panel = Picture(id);
        EXPECT_EQ(CountWhite(panel), 0);
        const Pixel32 ground = panel.At(20, panel.height / 2);
        const std::vector<Rect> rects = OnPanel(buttons, panel.height);
        for (int y = 0; y < panel.height; ++y) {
            for (int x = 0; x < panel.width; ++x) {
                bool inside = false, near = false, around = false;
                for (const Rect& r : rects) {
                    inside = inside || r.Contains(x, y);
                    near = near || r.Grown(3).Contains(x, y);
                    around = around || r.Grown(8).Contains(x, y);
                }
                ASSERT_FALSE(inside && Parchment(panel.At(x, y), ground)) << "no button at " << x << "," << y;
                ASSERT_FALSE(around && !near && ButtonFace(panel.At(x, y))) << "button at " << x << "," << y;
            }
        }
    }
}

}  // namespace
