// The settings store: values kept per section under the application's registry
// key (CWinApp::GetSectionKey), read with a default at the point of use.
// Section "" is the application key itself. Every call opens the keys anew,
// creating them when missing, so even a read leaves the section key behind.
// Integers are REG_DWORD read back signed; strings are REG_SZ written with
// their terminating NUL. A missing key or value, or a value of another
// registry type, reads as the default; a failed write changes nothing.
#pragma once

#include <windows.h>

#include <string>

int ReadSettingInt(LPCWSTR section, LPCWSTR name, int defaultValue);
std::wstring ReadSettingString(LPCWSTR section, LPCWSTR name, LPCWSTR defaultValue);
BOOL WriteSettingInt(LPCWSTR section, LPCWSTR name, int value);
BOOL WriteSettingString(LPCWSTR section, LPCWSTR name, LPCWSTR value);

// Reads a REG_SZ value of an open key whole, with or without a terminating
// NUL, never past its data. False when the value is missing or of another type.
bool ReadRegistryString(HKEY key, LPCWSTR name, std::wstring& value);
