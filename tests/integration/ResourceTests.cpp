// The resources of the built Presvia.exe: texts in the UI language, cursors, version.
#include "res/resource.h"

#include <windows.h>
#include <winver.h>

#include <gtest/gtest.h>

#include <string>

namespace {

class ResourceTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_module = ::LoadLibraryExW(L"Presvia.exe", nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(nullptr, m_module);
    }
    void TearDown() override
    {
        if (m_module != nullptr)
            ::FreeLibrary(m_module);
    }

    std::wstring String(UINT id) const
    {
        wchar_t text[256] = {};
        ::LoadStringW(m_module, id, text, 256);
        return text;
    }

    HMODULE m_module = nullptr;
};

// The test runs three times, with LC_ALL and LANG set to English, Japanese or
// Korean; PRESVIA_EXPECT_LANG tells which.
TEST_F(ResourceTest, FinishPromptIsInTheUserInterfaceLanguage)
{
    wchar_t expected[8] = L"en";
    ::GetEnvironmentVariableW(L"PRESVIA_EXPECT_LANG", expected, 8);
    std::wstring language = expected;
    if (language == L"ja")
        EXPECT_EQ(L"終了しますか?", String(IDS_FINISH_PROMPT));
    else if (language == L"ko")
        EXPECT_EQ(L"종료하시겠습니까?", String(IDS_FINISH_PROMPT));
    else
        EXPECT_EQ(L"Do you want to Finish?", String(IDS_FINISH_PROMPT));
    EXPECT_EQ(L"lumora2", String(IDS_APP_TITLE));
}

TEST_F(ResourceTest, CursorsHaveTheirHotSpots)
{
    struct Case {
        UINT id;
        DWORD hotX, hotY;
    };
    const Case cases[] = {{IDC_LASER_CURSOR, 15, 15}, {IDC_PEN_CURSOR, 0, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        HMODULE exe = ::LoadLibraryW(L"Presvia.exe");  // cursors need an image module
        ASSERT_NE(nullptr, exe);
        HCURSOR cursor = ::LoadCursorW(exe, MAKEINTRESOURCEW(c.id));
        ASSERT_NE(nullptr, cursor);
        ICONINFO info = {};
        ASSERT_TRUE(::GetIconInfo(cursor, &info));
        EXPECT_FALSE(info.fIcon);
        EXPECT_EQ(c.hotX, info.xHotspot);
        EXPECT_EQ(c.hotY, info.yHotspot);
        BITMAP mask = {};
        ::GetObjectW(info.hbmMask, sizeof(mask), &mask);
        EXPECT_EQ(32, mask.bmWidth);
        if (info.hbmColor != nullptr)
            ::DeleteObject(info.hbmColor);
        ::DeleteObject(info.hbmMask);
        ::FreeLibrary(exe);
    }
}

TEST_F(ResourceTest, LaserCursorIsTransparentEverywhere)
{
    HMODULE exe = ::LoadLibraryW(L"Presvia.exe");
    ASSERT_NE(nullptr, exe);
    HCURSOR cursor = ::LoadCursorW(exe, MAKEINTRESOURCEW(IDC_LASER_CURSOR));
    ASSERT_NE(nullptr, cursor);
    // Drawn over white and over black, a transparent cursor leaves both unchanged.
    for (COLORREF background : {RGB(255, 255, 255), RGB(0, 0, 0)}) {
        HDC screen = ::GetDC(nullptr);
        HDC dc = ::CreateCompatibleDC(screen);
        HBITMAP bitmap = ::CreateCompatibleBitmap(screen, 32, 32);
        ::ReleaseDC(nullptr, screen);
        HGDIOBJ old = ::SelectObject(dc, bitmap);
        RECT all = {0, 0, 32, 32};
        HBRUSH brush = ::CreateSolidBrush(background);
        ::FillRect(dc, &all, brush);
        ::DeleteObject(brush);
        ::DrawIconEx(dc, 0, 0, cursor, 32, 32, 0, nullptr, DI_NORMAL);
        int changed = 0;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x)
                changed += (::GetPixel(dc, x, y) & 0xFFFFFF) != background;
        EXPECT_EQ(0, changed);
        ::SelectObject(dc, old);
        ::DeleteObject(bitmap);
        ::DeleteDC(dc);
    }
    ::FreeLibrary(exe);
}

TEST_F(ResourceTest, VersionResourcesOfBothDeliverables)
{
    struct Case {
        const wchar_t* file;
        DWORD versionMs, versionLs;
        const wchar_t* description;
    };
    const Case cases[] = {{L"Presvia.exe", MAKELONG(1, 1), 0, L"lumora"},
                          {L"Kivhook.dll", MAKELONG(0, 1), 0, L"Kivhook"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        DWORD handle = 0;
        DWORD size = ::GetFileVersionInfoSizeW(c.file, &handle);
        ASSERT_GT(size, 0u);
        std::string block(size, '\0');
        ASSERT_TRUE(::GetFileVersionInfoW(c.file, 0, size, &block[0]));
        VS_FIXEDFILEINFO* fixed = nullptr;
        UINT length = 0;
        ASSERT_TRUE(::VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
        EXPECT_EQ(c.versionMs, fixed->dwFileVersionMS);
        EXPECT_EQ(c.versionLs, fixed->dwFileVersionLS);
        wchar_t* text = nullptr;
        ASSERT_TRUE(::VerQueryValueW(block.data(), L"\\StringFileInfo\\040904b0\\FileDescription",
                                     reinterpret_cast<void**>(&text), &length));
        EXPECT_STREQ(c.description, text);
        ASSERT_TRUE(::VerQueryValueW(block.data(), L"\\StringFileInfo\\040904b0\\ProductName",
                                     reinterpret_cast<void**>(&text), &length));
        EXPECT_STREQ(c.description, text);
    }
}

}  // namespace
