// The settings store against the real registry of the throwaway prefix.
#include "options/Settings.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const wchar_t kAppKey[] = L"Software\\KVX\\lumora2";

class SettingsTest : public testing::Test {
protected:
    void SetUp() override { ClearSettings(); }
    void TearDown() override { ClearSettings(); }

    static void SetRaw(LPCWSTR subKey, LPCWSTR name, DWORD type, const void* data, DWORD size)
    {
        HKEY key = nullptr;
        ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExW(HKEY_CURRENT_USER, subKey, 0, nullptr, 0,
                                                   KEY_WRITE, nullptr, &key, nullptr));
        ASSERT_EQ(ERROR_SUCCESS, ::RegSetValueExW(key, name, 0, type,
                                                  static_cast<const BYTE*>(data), size));
        ::RegCloseKey(key);
    }

    static bool KeyExists(LPCWSTR subKey)
    {
        HKEY key = nullptr;
        if (::RegOpenKeyExW(HKEY_CURRENT_USER, subKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
            return false;
        ::RegCloseKey(key);
        return true;
    }

    static std::wstring SectionKey(LPCWSTR section) { return std::wstring(kAppKey) + L"\\" + section; }
};

TEST_F(SettingsTest, EmptyStoreGivesEveryDefault)
{
    struct IntCase {
        LPCWSTR section;
        LPCWSTR name;
        int defaultValue;
    };
    const IntCase ints[] = {
        {L"", L"PresentMode", -1},     {L"LaserBeam", L"Type", 3}, {L"LaserBeam", L"Color", 255},
        {L"Pen", L"Style", 5},         {L"FPen", L"Trans", 70},    {L"Haptic", L"Volume", 2},
        {L"General", L"TotalFavorite", 0},
    };
    for (const IntCase& c : ints) {
        SCOPED_TRACE(testing::Message() << "section '" << c.section << "' value " << c.name);
        EXPECT_EQ(c.defaultValue, ReadSettingInt(c.section, c.name, c.defaultValue));
    }
    EXPECT_EQ(L"2.0", ReadSettingString(L"Zoom", L"Rate", L"2.0"));
    EXPECT_EQ(L"", ReadSettingString(L"ClipArt", L"ImgPath", L""));
}

TEST_F(SettingsTest, ReadCreatesTheKeysOfItsSection)
{
    ASSERT_FALSE(KeyExists(kAppKey));
    ReadSettingInt(L"LaserBeam", L"Size", 20);
    EXPECT_TRUE(KeyExists(SectionKey(L"LaserBeam").c_str()));
    ReadSettingString(L"Zoom", L"Rate", L"2.0");
    EXPECT_TRUE(KeyExists(SectionKey(L"Zoom").c_str()));
}

TEST_F(SettingsTest, IntegersRoundTripSignedAndTheEmptySectionIsTheAppKey)
{
    ASSERT_TRUE(WriteSettingInt(L"", L"PresentMode", 4));
    DWORD data = 0;
    DWORD size = sizeof(data);
    ASSERT_EQ(ERROR_SUCCESS, ::RegGetValueW(HKEY_CURRENT_USER, kAppKey, L"PresentMode",
                                            RRF_RT_REG_DWORD, nullptr, &data, &size));
    EXPECT_EQ(4u, data);

    DWORD all = 0xFFFFFFFF;
    SetRaw(SectionKey(L"Pen").c_str(), L"Style", REG_DWORD, &all, sizeof(all));
    EXPECT_EQ(-1, ReadSettingInt(L"Pen", L"Style", 5));

    ASSERT_TRUE(WriteSettingInt(L"LaserBeam", L"Color", -2));
    EXPECT_EQ(-2, ReadSettingInt(L"LaserBeam", L"Color", 255));
}

TEST_F(SettingsTest, StringsRoundTripWithTheirNul)
{
    const wchar_t japanese[] = L"日本語のクリップアート\\絵.png";
    ASSERT_TRUE(WriteSettingString(L"ClipArt", L"ImgPath", japanese));
    EXPECT_EQ(japanese, ReadSettingString(L"ClipArt", L"ImgPath", L""));

    DWORD type = 0;
    DWORD size = 0;
    ASSERT_EQ(ERROR_SUCCESS, ::RegGetValueW(HKEY_CURRENT_USER, SectionKey(L"ClipArt").c_str(),
                                            L"ImgPath", RRF_RT_ANY | RRF_NOEXPAND, &type,
                                            nullptr, &size));
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), type);
    EXPECT_EQ((wcslen(japanese) + 1) * sizeof(wchar_t), size);
}

TEST_F(SettingsTest, StringWithoutNulReadsBackExactly)
{
    const std::wstring path(L"C:\\pictures\\stamp.png");
    SetRaw(SectionKey(L"ClipArt").c_str(), L"ImgPath", REG_SZ, path.data(),
           static_cast<DWORD>(path.size() * sizeof(wchar_t)));
    EXPECT_EQ(path, ReadSettingString(L"ClipArt", L"ImgPath", L"default"));
}

TEST_F(SettingsTest, LongStringReadsWhole)
{
    const std::wstring rate(70000, L'7');
    ASSERT_TRUE(WriteSettingString(L"Zoom", L"Rate", rate.c_str()));
    EXPECT_EQ(rate, ReadSettingString(L"Zoom", L"Rate", L"2.0"));
}

TEST_F(SettingsTest, ValueOfAnotherTypeReadsAsTheDefault)
{
    const wchar_t text[] = L"12";
    SetRaw(SectionKey(L"LaserBeam").c_str(), L"Size", REG_SZ, text, sizeof(text));
    EXPECT_EQ(20, ReadSettingInt(L"LaserBeam", L"Size", 20));

    DWORD number = 3;
    SetRaw(SectionKey(L"Zoom").c_str(), L"Rate", REG_DWORD, &number, sizeof(number));
    EXPECT_EQ(L"2.0", ReadSettingString(L"Zoom", L"Rate", L"2.0"));

    const BYTE shortBinary[2] = {1, 2};
    SetRaw(SectionKey(L"Pen").c_str(), L"Color", REG_BINARY, shortBinary, sizeof(shortBinary));
    EXPECT_EQ(255, ReadSettingInt(L"Pen", L"Color", 255));

    const BYTE eightBytes[8] = {1, 0, 0, 0, 0, 0, 0, 0};
    SetRaw(SectionKey(L"Pen").c_str(), L"Type", REG_QWORD, eightBytes, sizeof(eightBytes));
    EXPECT_EQ(1, ReadSettingInt(L"Pen", L"Type", 1));
}

TEST_F(SettingsTest, OddByteCountStringNeverReadsPastItsData)
{
    const BYTE data[5] = {'A', 0, 'B', 0, 'C'};
    SetRaw(SectionKey(L"Zoom").c_str(), L"Rate", REG_SZ, data, sizeof(data));
    EXPECT_EQ(L"AB", ReadSettingString(L"Zoom", L"Rate", L"2.0"));
}

}  // namespace
