// Resources of the program (pictures by type and id, the string table, the
// icon, and what is not there), message boxes, PtInRect and the game display
// interface.
#include <gtest/gtest.h>

#include <string>

#include "platform/coredll/coredll.h"
#include "platform/gx/gx.h"
#include "platform/platform.h"
#include "tests/support/fake_host.h"
#include "tests/support/resource_builder.h"

namespace {

using test_support::FakeHost;
using test_support::ResourceBuilder;

class ResourcesTest : public ::testing::Test {
protected:
    void SetUp() override {
        host.Install();
        resources.AddPicture(136, 20, 20, 0x00FF0000)
            .AddString(1, u"Mirelink")
            .AddString(2, u"MIRELINK")
            .AddString(3, u"\u00e9t\u00e9 \U0001F338")
            .AddIcon(101, 2, 2)
            .Add("DBB", 500, {1, 2, 3});
        instance = resources.Register();
    }
    FakeHost host;
    ResourceBuilder resources;
    HINSTANCE instance = nullptr;
};

TEST_F(ResourcesTest, PictureIsFoundByTypeAndIdAndLoadsInPlace) {
    const HRSRC found = FindResourceW(instance, MAKEINTRESOURCEW(136), u"DBB");
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(SizeofResource(instance, found), 8u + 20u * 20u * 4u);
    EXPECT_EQ(LoadResource(instance, found), resources.Table().entries[0].data) << "no copy: the table's own bytes";
    const HRSRC other = FindResourceW(instance, MAKEINTRESOURCEW(500), u"DBB");
    EXPECT_EQ(SizeofResource(instance, other), 3u);
    EXPECT_EQ(FindResourceW(instance, u"#500", u"DBB"), other) << "the string form of an id";
}

TEST_F(ResourcesTest, MissingIdsTypesInstancesAndHandlesFindNothing) {
    const std::pair<LPCWSTR, LPCWSTR> missing[] = {
        {MAKEINTRESOURCEW(137), u"DBB"}, {MAKEINTRESOURCEW(1), u"DBB"}, {MAKEINTRESOURCEW(136), u"dbb"},
        {MAKEINTRESOURCEW(136), MAKEINTRESOURCEW(10)}, {u"TITLE", u"DBB"}, {u"#", u"DBB"}, {u"#99999999999", u"DBB"}};
    for (const auto& [name, type] : missing) EXPECT_EQ(FindResourceW(instance, name, type), nullptr);
    EXPECT_EQ(FindResourceW(reinterpret_cast<HINSTANCE>(std::uintptr_t{0x5000}), MAKEINTRESOURCEW(136), u"DBB"),
              nullptr);
    EXPECT_EQ(LoadIconW(instance, MAKEINTRESOURCEW(136)), nullptr) << "a picture is not an icon";
    EXPECT_NE(LoadIconW(instance, MAKEINTRESOURCEW(101)), nullptr);
    const HRSRC found = FindResourceW(instance, MAKEINTRESOURCEW(136), u"DBB");
    const auto forged = reinterpret_cast<HRSRC>(reinterpret_cast<std::uintptr_t>(found) + 1);
    EXPECT_EQ(LoadResource(instance, forged), nullptr);
    EXPECT_EQ(SizeofResource(instance, nullptr), 0u);
    ResourceBuilder otherModule;
    otherModule.AddPicture(136, 1, 1);
    EXPECT_EQ(LoadResource(otherModule.Register(), found), nullptr) << "a handle belongs to its own module";
}

TEST_F(ResourcesTest, StringsAreCopiedTerminatedAndTruncated) {
    WCHAR buffer[100];
    EXPECT_EQ(LoadStringW(instance, 1, buffer, 100), 8);
    EXPECT_EQ(std::u16string(buffer), u"Mirelink");
    WCHAR small[5] = {u'x', u'x', u'x', u'x', u'x'};
    EXPECT_EQ(LoadStringW(instance, 2, small, 5), 4);
    EXPECT_EQ(std::u16string(small), u"MIRE");
    EXPECT_EQ(LoadStringW(instance, 3, buffer, 100), 6) << "code units, not characters";

    buffer[0] = u'x';
    EXPECT_EQ(LoadStringW(instance, 77, buffer, 100), 0);
    EXPECT_EQ(buffer[0], 0) << "a missing string leaves an empty buffer";
    EXPECT_EQ(LoadStringW(instance, 1, buffer, 0), 0);
    EXPECT_EQ(LoadStringW(instance, 1, nullptr, 100), 0);
    EXPECT_EQ(LoadStringW(instance, 1, buffer, 1), 0);
    EXPECT_EQ(buffer[0], 0);
}

TEST_F(ResourcesTest, MessageBoxTextsReachTheHostAsUtf8) {
    const char16_t loneSurrogate[] = {u'a', 0xD800, u'b', 0};
    MessageBoxW(nullptr, u"\u00e9\u20ac\U0001F338", loneSurrogate, MB_OK);
    MessageBoxW(nullptr, nullptr, nullptr, MB_OK);
    ASSERT_EQ(host.messageBoxes.size(), 2u);
    EXPECT_EQ(host.messageBoxes[0].text, "\xC3\xA9\xE2\x82\xAC\xF0\x9F\x8C\xB8");
    EXPECT_EQ(host.messageBoxes[0].caption, "a\xEF\xBF\xBD" "b");
    EXPECT_EQ(host.messageBoxes[1].caption, "Error");
    EXPECT_EQ(host.messageBoxes[1].text, "");
}

TEST(PointInRect, EdgesBelongToTheLeftAndTopOnly) {
    const RECT rect{10, 20, 30, 40};
    const std::pair<POINT, bool> cases[] = {
        {{10, 20}, true}, {{29, 39}, true}, {{30, 39}, false}, {{29, 40}, false}, {{9, 25}, false}};
    for (const auto& [point, inside] : cases) EXPECT_EQ(bool(PtInRect(&rect, point)), inside) << point.x << "," << point.y;
    EXPECT_FALSE(PtInRect(nullptr, {15, 25}));
}

TEST(GxDisplay, OnlyAFrameBegunOnAnOpenDisplayIsPresentedAndTheHostLearnsWhichChanged) {
    FakeHost host;
    host.Install();
    EXPECT_EQ(GXBeginDraw(), nullptr);
    EXPECT_EQ(GXOpenDisplay(nullptr, GX_FULLSCREEN), 1);
    EXPECT_EQ(GXEndDraw(), 0) << "no frame was begun";
    ASSERT_NE(GXBeginDraw(), nullptr);
    EXPECT_EQ(GXCloseDisplay(), 1);
    EXPECT_EQ(GXBeginDraw(), nullptr);
    GXOpenDisplay(nullptr, GX_FULLSCREEN);
    EXPECT_EQ(GXEndDraw(), 0) << "a frame begun before the close presents nothing";
    for (const std::uint8_t firstByte : {0, 0, 7, 7, 0}) {  // the first frame is news even when black
        static_cast<std::uint8_t*>(GXBeginDraw())[0] = firstByte;
        GXEndDraw();
    }
    EXPECT_EQ(host.framesPresented * 10 + host.framesChanged, 53u) << "five frames, three of them changed";
    host.Install({.width = 480, .height = 640, .xPitch = 4, .yPitch = 1920, .bitsPerPixel = 32, .format = kfDirect888});
    EXPECT_GE(platform::DisplayMemorySize(), 1920u * 640u) << "the memory covers the whole configured geometry";
}

}  // namespace
