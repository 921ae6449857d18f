// The shipped Ember_Lantern.scr's resources, read from the file itself: the
// version block, the icon, the stored preview picture, the button's state
// pictures and the dialog's marks, and how the preview draws its picture into
// a DC of the host's size.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "common/tests/dib_pixels.h"
#include "common/win32/handles.h"
#include "product_version.h"
#include "saver/shared/resource_ids.h"
#include "saver/shared/tests/file_bytes.h"
#include "saver/startup/preview_window.h"

using namespace startup;

namespace {

// Not black, so a pixel the paint leaves alone shows.
constexpr std::uint32_t kUnpainted = 0x5A5A5A;

template <typename Paint>
Pixels draw(int width, int height, Paint paint) {
    return draw_into_dib(width, height, kUnpainted, paint);
}

class ScrResources : public ::testing::Test {
protected:
    void SetUp() override {
        module_ = LoadLibraryExA(EL_SCR_PATH, nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
        ASSERT_NE(module_, nullptr) << EL_SCR_PATH;
    }
    void TearDown() override {
        if (module_)
            FreeLibrary(module_);
    }
    HMODULE module_ = nullptr;
};

TEST_F(ScrResources, VersionBlockIsJapaneseWithTheProductName) {
    const DWORD size = GetFileVersionInfoSizeA(EL_SCR_PATH, nullptr);
    ASSERT_GT(size, 0u);
    std::vector<char> block(size);
    ASSERT_TRUE(GetFileVersionInfoA(EL_SCR_PATH, 0, size, block.data()));
    struct Translation {
        WORD language, code_page;
    }* translation = nullptr;
    UINT length = 0;
    ASSERT_TRUE(
        VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &length));
    EXPECT_EQ(translation->language, 0x0411);
    EXPECT_EQ(translation->code_page, 932);
    const struct {
        const char* name;
        const char* want;
    } strings[] = {{"ProductName", "Ember_Lantern (ScreenSaver)"}, {"FileVersion", EL_VERSION_TEXT}};
    for (const auto& s : strings) {
        char* value = nullptr;
        const std::string query = std::string("\\StringFileInfo\\041103a4\\") + s.name;
        ASSERT_TRUE(VerQueryValueA(block.data(), query.c_str(), reinterpret_cast<void**>(&value), &length)) << s.name;
        EXPECT_STREQ(value, s.want);
    }
    VS_FIXEDFILEINFO* fixed = nullptr;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, static_cast<DWORD>(EL_VERSION_MAJOR << 16 | EL_VERSION_MINOR));
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
}

TEST_F(ScrResources, IconIsOne32By32Image) {
    HRSRC group = FindResourceExA(module_, MAKEINTRESOURCEA(14) /* RT_GROUP_ICON */,
                                  MAKEINTRESOURCEA(IDI_EMBER_LANTERN), MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT));
    ASSERT_NE(group, nullptr);
    const auto* dir = static_cast<const BYTE*>(LockResource(LoadResource(module_, group)));
    ASSERT_NE(dir, nullptr);
    EXPECT_EQ(dir[4], 1);   // one image
    EXPECT_EQ(dir[6], 32);  // width
    EXPECT_EQ(dir[7], 32);  // height
}

TEST_F(ScrResources, PreviewPictureIsTheCommittedJpeg) {
    HRSRC info = FindResourceA(module_, MAKEINTRESOURCEA(IDR_PREVIEW_JPEG), MAKEINTRESOURCEA(10) /* RT_RCDATA */);
    ASSERT_NE(info, nullptr);
    const char* bytes = static_cast<const char*>(LockResource(LoadResource(module_, info)));
    const std::string stored(bytes, SizeofResource(module_, info));
    const std::string committed = read_bytes(EL_JPEG_PATH);
    ASSERT_FALSE(committed.empty()) << EL_JPEG_PATH;
    EXPECT_TRUE(stored == committed);
}

TEST_F(ScrResources, PreviewDrawsThePictureUnscaledFromTheTopLeftOnBlack) {
    win32::UniqueBitmap picture(load_jpeg_resource(module_, IDR_PREVIEW_JPEG));
    ASSERT_TRUE(picture);
    BITMAP bm{};
    GetObjectA(picture.get(), sizeof bm, &bm);
    ASSERT_EQ(bm.bmWidth, 152);
    ASSERT_EQ(bm.bmHeight, 112);

    const Pixels exact = draw(152, 112, [&](HDC dc) { paint_preview(dc, 152, 112, picture.get()); });
    ASSERT_EQ(exact.width, 152);
    // One sphere, centred, on black: dark corners, a lit centre.
    for (const auto& [x, y] : {std::pair{0, 0}, {151, 0}, {0, 111}, {151, 111}})
        EXPECT_LT(exact.at(x, y), 0x101010u) << x << "," << y;
    std::uint32_t brightest = 0;
    int lit = 0;
    for (int y = 40; y < 72; ++y)
        for (int x = 60; x < 92; ++x) {
            const std::uint32_t c = exact.at(x, y);
            const int sum = static_cast<int>((c >> 16) + ((c >> 8) & 0xFF) + (c & 0xFF));
            lit += sum > 60;
            brightest = std::max<std::uint32_t>(brightest, static_cast<std::uint32_t>(sum));
        }
    EXPECT_GT(lit, 32 * 32 * 9 / 10);
    EXPECT_GT(brightest, 250u);

    struct Size {
        int width, height;
    };
    for (const Size size : {Size{200, 150}, Size{100, 80}, Size{152, 60}, Size{0, 0}}) {
        const Pixels p =
            draw(size.width, size.height, [&](HDC dc) { paint_preview(dc, size.width, size.height, picture.get()); });
        for (int y = 0; y < size.height; ++y)
            for (int x = 0; x < size.width; ++x) {
                const std::uint32_t want = (x < 152 && y < 112) ? exact.at(x, y) : 0u;
                ASSERT_EQ(p.at(x, y), want) << size.width << "x" << size.height << " at " << x << "," << y;
            }
    }
}

TEST_F(ScrResources, ButtonAndMarkPicturesAreTwentyFourBitBitmaps) {
    const struct {
        int id, width, height;
    } pictures[] = {
        {IDB_BUTTON_NORMAL, 64, 25},   {IDB_BUTTON_HIGHLIGHT, 64, 25}, {IDB_BUTTON_HIGHLIGHT_SELECT, 64, 25},
        {IDB_BUTTON_SELECTED, 64, 25}, {IDB_BUTTON_PRESSED, 64, 25},   {IDB_BUTTON_DISABLE, 64, 25},
        {IDB_MARK_CLEAR, 12, 12},      {IDB_MARK_CHOSEN, 12, 12}};
    for (const auto& p : pictures) {
        SCOPED_TRACE(p.id);
        const win32::UniqueBitmap bitmap(
            static_cast<HBITMAP>(LoadImageA(module_, MAKEINTRESOURCEA(p.id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
        ASSERT_TRUE(bitmap);
        BITMAP bm{};
        GetObjectA(bitmap.get(), sizeof bm, &bm);
        EXPECT_EQ(bm.bmWidth, p.width);
        EXPECT_EQ(bm.bmHeight, p.height);
        EXPECT_EQ(bm.bmBitsPixel, 24);
    }
}

}  // namespace
