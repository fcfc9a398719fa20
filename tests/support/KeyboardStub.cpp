// Stands in for the virtual-keyboard program in tests: each start appends a
// line to %TEMP%\lumoraKeyboard.log and ends.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int)
{
    wchar_t path[MAX_PATH + 32] = {};
    DWORD length = ::GetTempPathW(MAX_PATH, path);
    if (length == 0 || length >= MAX_PATH)
        return 1;
    lstrcatW(path, L"lumoraKeyboard.log");
    HANDLE log = ::CreateFileW(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                               OPEN_ALWAYS, 0, nullptr);
    if (log == INVALID_HANDLE_VALUE)
        return 1;
    DWORD written = 0;
    ::WriteFile(log, "started\n", 8, &written, nullptr);
    ::CloseHandle(log);
    return 0;
}
