// The resource table built into the program: every resource of the script is
// there, in its form and size, and is exactly the picture drawn.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>

#include "gfx/image.h"
#include "res/resources.h"
#include "state/game_state.h"
#include "tests/support/game_pictures.h"
#include "tools/dbb/embedded_pictures.h"
#include "tools/dbb/packer.h"
#include "tools/dbb/raw_picture.h"

namespace {

const dbb::ResourceScript& Script() {
    static const dbb::ResourceScript script = dbb::LoadResourceScript(MIRELINK_RESOURCE_SCRIPT);
    return script;
}

const platform::ResourceEntry* Find(const char* type, std::uint32_t id) {
    const platform::ResourceTable& table = MirelinkResources();
    for (std::size_t i = 0; i < table.count; ++i) {
        if (std::strcmp(table.entries[i].type, type) == 0 && table.entries[i].id == id) return &table.entries[i];
    }
    return nullptr;
}

TEST(EmbeddedTable, PicturesAreTheScriptsAndTheOnesDrawn) {
    const dbb::EmbeddedPictures embedded(MirelinkResources(), MirelinkPictureCatalogue());
    std::vector<dbb::PictureLine> expected = Script().pictures;
    std::sort(expected.begin(), expected.end(), [](const auto& a, const auto& b) { return a.id < b.id; });
    const std::vector<dbb::PictureRow> rows = embedded.List();
    ASSERT_EQ(rows.size(), expected.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const dbb::PictureLine& line = expected[i];
        SCOPED_TRACE("picture " + std::to_string(line.id));
        EXPECT_EQ(rows[i].id, line.id);
        EXPECT_EQ(rows[i].form, line.form);
        EXPECT_EQ(rows[i].width, line.width);
        EXPECT_EQ(rows[i].height, line.height);
        EXPECT_EQ(rows[i].frames, line.frames);
        const auto drawn = dbb::ReadFileBytes(std::string(MIRELINK_ART_DIR) + "/" + std::to_string(line.id) + ".dbb");
        EXPECT_TRUE(embedded.RawBytes(line.id) == drawn);
        if (line.form == dbb::PictureForm::Raw) {
            EXPECT_EQ(rows[i].storedBytes, line.Bytes());
        }
    }
}

// Every picture the game loads is there, in the form and with the frames the
// game steps through.
TEST(EmbeddedTable, PicturesAreTheOnesTheGameSteps) {
    for (const test_support::GamePicture& picture : test_support::kGamePictures) {
        const auto& lines = Script().pictures;
        const auto line = std::find_if(lines.begin(), lines.end(), [&](const auto& l) { return l.id == static_cast<std::uint32_t>(picture.id); });
        ASSERT_NE(line, lines.end()) << picture.id;
        EXPECT_EQ((std::array{line->width, line->height, line->frames}),
                  (std::array{picture.width, picture.frameHeight * picture.frames, picture.frames})) << picture.id;
        EXPECT_EQ(line->form == dbb::PictureForm::Packed, picture.packed) << picture.id;
    }
}

TEST(EmbeddedTable, PackedPicturesUnpackToExactlyTheirSize) {
    for (const dbb::PictureLine& line : Script().pictures) {
        if (line.form != dbb::PictureForm::Packed) continue;
        SCOPED_TRACE("picture " + std::to_string(line.id));
        const platform::ResourceEntry* entry = Find("DBB", line.id);
        ASSERT_NE(entry, nullptr);
        const dbb::LayoutCheck check = dbb::CheckPackedLayout({entry->data, entry->size});
        ASSERT_TRUE(check.layout) << check.problem;
        EXPECT_EQ(check.layout->unpackedSize, line.Bytes());
        // The game's own decoder, into the game's buffer size.
        std::vector<std::uint8_t> unpacked(kDecodeBufferBytes);
        EXPECT_EQ(UnpackImage(entry->data, entry->size, unpacked.data(), kDecodeBufferBytes), line.Bytes());
        EXPECT_EQ(ReadU32(unpacked.data()), line.width);
        EXPECT_EQ(ReadU32(unpacked.data() + 4), line.height);
    }
}

TEST(EmbeddedTable, IconAndStringsAreThere) {
    for (const dbb::IconLine& line : Script().icons) {
        const platform::ResourceEntry* icon = Find("ICON", line.id);
        ASSERT_NE(icon, nullptr) << line.id;
        const auto header = dbb::WholePictureHeader({icon->data, icon->size});
        ASSERT_TRUE(header) << line.id;
        EXPECT_EQ(header->width, line.width);
        EXPECT_EQ(header->height, line.height);
    }
    for (const dbb::StringLine& line : Script().strings) {
        const platform::ResourceEntry* text = Find("STRING", line.id);
        ASSERT_NE(text, nullptr) << line.id;
        const std::u16string stored(reinterpret_cast<const char16_t*>(text->data), text->size / 2);
        EXPECT_EQ(text->size % 2, 0u);
        EXPECT_TRUE(stored == line.text) << line.id;
    }
}

}  // namespace
