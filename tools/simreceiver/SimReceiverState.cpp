#include "SimReceiverState.h"

#include <string>

namespace SimReceiver {

std::wstring StateFolder()
{
    wchar_t folder[MAX_PATH] = {};
    DWORD length = ::GetEnvironmentVariableW(L"SIMRECEIVER_DIR", folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return L"C:\\simreceiver";
    return folder;
}

std::wstring StateFile(const wchar_t* name)
{
    return StateFolder() + L"\\" + name;
}

std::string ReadWholeFile(const std::wstring& path)
{
    std::string text;
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return text;
    char buffer[4096];
    DWORD read = 0;
    while (::ReadFile(file, buffer, sizeof(buffer), &read, nullptr) && read > 0)
        text.append(buffer, read);
    ::CloseHandle(file);
    return text;
}

std::vector<std::wstring> ListedDevices()
{
    std::vector<std::wstring> devices;
    std::string text = ReadWholeFile(StateFile(L"devices.txt"));

    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty())
            devices.emplace_back(line.begin(), line.end());  // paths are ASCII
        start = end + 1;
    }
    return devices;
}

}  // namespace SimReceiver
