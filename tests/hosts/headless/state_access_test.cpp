// The game's state as the runner reads and writes it: field paths, the
// state as JSON, `expect` and `set`, and the table of fields that names them.
#include "hosts/headless/state_access.h"

#include <algorithm>
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "hosts/headless/field_table.h"

namespace {

FieldPath Path(std::string_view text) {
    auto path = ParseFieldPath(text);
    EXPECT_TRUE(path) << text;
    return path.value_or(FieldPath{});
}

TEST(FieldPaths, RefuseMalformedText) {
    for (const char* text : {"", ".", "a.", ".a", "a..b", "a[", "a[]", "a[x]", "a[-1]", "a[1]b", "1a", "a b",
                             "a[99999999999999999999999]"}) {
        EXPECT_FALSE(ParseFieldPath(text)) << text;
    }
}

class StateAccess : public ::testing::Test {
protected:
    std::unique_ptr<GameState> state = std::make_unique<GameState>();
};

TEST_F(StateAccess, JsonShowsTheFieldsUnderTheirOwnNames) {
    state->score = 17;
    state->kinds[13] = 4;
    state->cells[5].nextAnim = FrogCurl;
    state->yesRect = {1, 2, 3, 4};
    state->route[2] = {30, 50};
    state->titleImage.width = 240;
    const StateDocument json = StateJson(*state, platform::Status{});
    EXPECT_EQ(json["score"], 17);
    EXPECT_EQ(json["kinds"][13], 4);
    EXPECT_EQ(json["cells"][5]["nextAnim"], 5);
    EXPECT_EQ(json["yesRect"], (StateDocument{{"left", 1}, {"top", 2}, {"right", 3}, {"bottom", 4}}));
    EXPECT_EQ(json["route"][2], (StateDocument{{"x", 30}, {"y", 50}}));
    EXPECT_EQ(json["titleImage"], (StateDocument{{"width", 240}, {"height", 0}}));
    for (const char* leftOut : {"decodeBuffer", "introTitleCopy", "instance", "display", "mainWindow"}) {
        EXPECT_FALSE(json.contains(leftOut)) << leftOut;
    }
}

TEST_F(StateAccess, SetWritesExactlyTheNamedField) {
    EXPECT_EQ(SetField(*state, Path("cells[143].turnFrame"), {false, 3}, false), "");
    EXPECT_EQ(state->cells[143].turnFrame, 3);
    EXPECT_EQ(state->cells[142].turnFrame, 0);
    EXPECT_EQ(SetField(*state, Path("kinds[12]"), {false, 99}, false), "");
    EXPECT_EQ(state->kinds[12], CornerStone);
    EXPECT_EQ(SetField(*state, Path("stoneActive[1]"), {false, 1}, false), "");
    EXPECT_TRUE(state->stoneActive[1]);
    EXPECT_FALSE(state->stoneActive[0]);
    EXPECT_EQ(SetField(*state, Path("lastTickTime"), {false, 4294967295}, false), "");
    EXPECT_EQ(state->lastTickTime, 4294967295u);
    EXPECT_EQ(SetField(*state, Path("yesRect.left"), {false, -2147483648LL}, false), "");
    EXPECT_EQ(state->yesRect.left, -2147483647 - 1);
}

// Records where each listed field lies, to prove the list misses none.
class LayoutRecorder {
public:
    explicit LayoutRecorder(const void* record) : base_(static_cast<const char*>(record)) {}

    template <class T>
    void operator()(const char* name, T& field, ValueRule = {}) { Record(name, field); }
    template <class T>
    void ReadOnly(const char* name, T& field) { Record(name, field); }
    template <class T>
    void Omit(const char* name, T& field) { Record(name, field); }

    // Each field starts where the one before ends, give or take the padding
    // its alignment asks for; the last one ends the record.
    void ExpectToCover(std::size_t recordSize, std::size_t recordAlign) {
        std::sort(spans_.begin(), spans_.end());
        std::size_t end = 0;
        for (const auto& [offset, size, align] : spans_) {
            EXPECT_EQ(offset, AlignUp(end, align)) << "a field is missing before offset " << offset;
            end = offset + size;
        }
        EXPECT_EQ(AlignUp(end, recordAlign), recordSize) << "a field is missing at the end";
    }

private:
    static std::size_t AlignUp(std::size_t at, std::size_t align) { return (at + align - 1) / align * align; }

    template <class T>
    void Record(std::string_view name, T& field) {
        // The decode buffer is aligned beyond its element type, for the pictures decoded into it.
        const std::size_t align = name == "decodeBuffer" ? 8 : alignof(std::remove_all_extents_t<T>);
        spans_.emplace_back(static_cast<std::size_t>(reinterpret_cast<const char*>(&field) - base_), sizeof(T), align);
    }

    const char* base_;
    std::vector<std::tuple<std::size_t, std::size_t, std::size_t>> spans_;  // offset, size, alignment
};

TEST_F(StateAccess, FieldTableListsEveryFieldOfTheRecords) {
    LayoutRecorder gameRecorder(state.get());
    VisitFields(*state, gameRecorder);
    gameRecorder.ExpectToCover(sizeof(GameState), alignof(GameState));

    LayoutRecorder cellRecorder(&state->cells[0]);
    VisitFields(state->cells[0], cellRecorder);
    cellRecorder.ExpectToCover(sizeof(Cell), alignof(Cell));
}

}  // namespace
