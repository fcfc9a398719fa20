#include "Settings.h"

#include "../framework/WinApp.h"

#include <vector>

namespace {

// Owns an open section key for the length of one access.
class CSectionKey {
public:
    explicit CSectionKey(LPCWSTR section)
        : m_key(AfxGetApp() != nullptr ? AfxGetApp()->GetSectionKey(section) : nullptr)
    {
    }
    ~CSectionKey()
    {
        if (m_key != nullptr)
            ::RegCloseKey(m_key);
    }
    CSectionKey(const CSectionKey&) = delete;
    CSectionKey& operator=(const CSectionKey&) = delete;

    HKEY Get() const { return m_key; }

private:
    HKEY m_key;
};

}  // namespace

int ReadSettingInt(LPCWSTR section, LPCWSTR name, int defaultValue)
{
    CSectionKey key(section);
    if (key.Get() == nullptr)
        return defaultValue;
    DWORD type = 0;
    DWORD value = 0;
    DWORD size = sizeof(value);
    if (::RegQueryValueExW(key.Get(), name, nullptr, &type, reinterpret_cast<BYTE*>(&value),
                           &size) != ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof(value))
        return defaultValue;
    return static_cast<int>(value);
}

std::wstring ReadSettingString(LPCWSTR section, LPCWSTR name, LPCWSTR defaultValue)
{
    std::wstring value;
    CSectionKey key(section);
    if (key.Get() != nullptr && ReadRegistryString(key.Get(), name, value))
        return value;
    return defaultValue != nullptr ? defaultValue : L"";
}

BOOL WriteSettingInt(LPCWSTR section, LPCWSTR name, int value)
{
    CSectionKey key(section);
    if (key.Get() == nullptr)
        return FALSE;
    DWORD data = static_cast<DWORD>(value);
    return ::RegSetValueExW(key.Get(), name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data),
                            sizeof(data)) == ERROR_SUCCESS;
}

BOOL WriteSettingString(LPCWSTR section, LPCWSTR name, LPCWSTR value)
{
    CSectionKey key(section);
    if (key.Get() == nullptr || value == nullptr)
        return FALSE;
    DWORD bytes = static_cast<DWORD>((wcslen(value) + 1) * sizeof(wchar_t));
    return ::RegSetValueExW(key.Get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                            bytes) == ERROR_SUCCESS;
}

bool ReadRegistryString(HKEY key, LPCWSTR name, std::wstring& value)
{
    // The value may change between the size query and the read: retry a few times.
    for (int attempt = 0; attempt < 4; ++attempt) {
        DWORD type = 0;
        DWORD size = 0;
        LONG status = ::RegQueryValueExW(key, name, nullptr, &type, nullptr, &size);
        if (status != ERROR_SUCCESS || type != REG_SZ)
            return false;
        // One spare character, zeroed, so that data without a NUL still ends.
        std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 1, L'\0');
        DWORD read = size;
        status = ::RegQueryValueExW(key, name, nullptr, &type,
                                    reinterpret_cast<BYTE*>(buffer.data()), &read);
        if (status == ERROR_MORE_DATA)
            continue;
        if (status != ERROR_SUCCESS || type != REG_SZ)
            return false;
        size_t length = read / sizeof(wchar_t);
        size_t end = 0;
        while (end < length && buffer[end] != L'\0')
            ++end;
        value.assign(buffer.data(), end);
        return true;
    }
    return false;
}
