// Resources of the program: pictures by type and id, the string table, the
// icon, and the answers for ids, types and instances that are not there.
#include <gtest/gtest.h>

#include <string>

#include "platform/coredll/coredll.h"
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
            .AddPicture(167, 3, 2)
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
    const auto* data = static_cast<const std::uint8_t*>(LoadResource(instance, found));
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(SizeofResource(instance, found), 8u + 20u * 20u * 4u);
    EXPECT_EQ(data[0], 20);
    EXPECT_EQ(data[4], 20);
    EXPECT_EQ(data, resources.Table().entries[0].data) << "no copy: the table's own bytes";

    const HRSRC other = FindResourceW(instance, MAKEINTRESOURCEW(500), u"DBB");
    EXPECT_EQ(SizeofResource(instance, other), 3u);
    EXPECT_EQ(FindResourceW(instance, u"#500", u"DBB"), other) << "the string form of an id";
}

TEST_F(ResourcesTest, MissingIdsTypesAndInstancesFindNothing) {
    EXPECT_EQ(FindResourceW(instance, MAKEINTRESOURCEW(137), u"DBB"), nullptr);
    EXPECT_EQ(FindResourceW(instance, MAKEINTRESOURCEW(1), u"DBB"), nullptr) << "a string is not a picture";
    EXPECT_EQ(FindResourceW(instance, MAKEINTRESOURCEW(136), u"dbb"), nullptr);
    EXPECT_EQ(FindResourceW(instance, MAKEINTRESOURCEW(136), MAKEINTRESOURCEW(10)), nullptr);
    EXPECT_EQ(FindResourceW(instance, u"TITLE", u"DBB"), nullptr);
    EXPECT_EQ(FindResourceW(instance, u"#", u"DBB"), nullptr);
    EXPECT_EQ(FindResourceW(instance, u"#99999999999", u"DBB"), nullptr);
    EXPECT_EQ(FindResourceW(instance, u"#13x", u"DBB"), nullptr);
    const auto stranger = reinterpret_cast<HINSTANCE>(std::uintptr_t{0x5000});
    EXPECT_EQ(FindResourceW(stranger, MAKEINTRESOURCEW(136), u"DBB"), nullptr);
}

TEST_F(ResourcesTest, LoadAndSizeAnswerNothingForForeignHandles) {
    const HRSRC found = FindResourceW(instance, MAKEINTRESOURCEW(136), u"DBB");
    EXPECT_EQ(LoadResource(instance, nullptr), nullptr);
    EXPECT_EQ(SizeofResource(instance, nullptr), 0u);
    const auto forged = reinterpret_cast<HRSRC>(reinterpret_cast<std::uintptr_t>(found) + 1);
    EXPECT_EQ(LoadResource(instance, forged), nullptr);
    EXPECT_EQ(SizeofResource(instance, forged), 0u);

    ResourceBuilder otherModule;
    otherModule.AddPicture(136, 1, 1);
    const HINSTANCE other = otherModule.Register();
    EXPECT_EQ(LoadResource(other, found), nullptr) << "a handle belongs to its own module";
    EXPECT_NE(FindResourceW(other, MAKEINTRESOURCEW(136), u"DBB"), found);
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

TEST_F(ResourcesTest, IconsAndStockObjects) {
    EXPECT_NE(LoadIconW(instance, MAKEINTRESOURCEW(101)), nullptr);
    EXPECT_EQ(LoadIconW(instance, MAKEINTRESOURCEW(102)), nullptr);
    EXPECT_EQ(LoadIconW(instance, MAKEINTRESOURCEW(136)), nullptr) << "a picture is not an icon";
    EXPECT_NE(GetStockObject(WHITE_BRUSH), nullptr);
}

TEST_F(ResourcesTest, MessageBoxTextsReachTheHostAsUtf8) {
    host.messageBoxResult = IDOK;
    EXPECT_EQ(MessageBoxW(nullptr, u"Could not modify the window.", u"Error", MB_OK), IDOK);
    const char16_t loneSurrogate[] = {u'a', 0xD800, u'b', 0};
    host.messageBoxResult = 0;
    EXPECT_EQ(MessageBoxW(nullptr, u"\u00e9\u20ac\U0001F338", loneSurrogate, MB_OK), 0);
    EXPECT_EQ(MessageBoxW(nullptr, nullptr, nullptr, MB_OK), 0);
    ASSERT_EQ(host.messageBoxes.size(), 3u);
    EXPECT_EQ(host.messageBoxes[0].caption, "Error");
    EXPECT_EQ(host.messageBoxes[0].text, "Could not modify the window.");
    EXPECT_EQ(host.messageBoxes[1].text, "\xC3\xA9\xE2\x82\xAC\xF0\x9F\x8C\xB8");
    EXPECT_EQ(host.messageBoxes[1].caption, "a\xEF\xBF\xBD" "b");
    EXPECT_EQ(host.messageBoxes[2].caption, "Error");
    EXPECT_EQ(host.messageBoxes[2].text, "");
}

TEST(PointInRect, EdgesBelongToTheLeftAndTopOnly) {
    const RECT rect{10, 20, 30, 40};
    EXPECT_TRUE(PtInRect(&rect, {10, 20}));
    EXPECT_TRUE(PtInRect(&rect, {29, 39}));
    EXPECT_FALSE(PtInRect(&rect, {30, 39}));
    EXPECT_FALSE(PtInRect(&rect, {29, 40}));
    EXPECT_FALSE(PtInRect(&rect, {9, 25}));
    EXPECT_FALSE(PtInRect(nullptr, {15, 25}));
}

}  // namespace
