// hid.dll of the simulated receiver: the HID class GUID and feature reports.
// A report is accepted only on a handle to a device that is still listed in
// devices.txt (an unplugged receiver refuses), only with the receiver's report
// length of 9 bytes, and only while the "refuse" file is absent. Accepted
// reports are appended to reports.log.
#include <windows.h>

#include <cstdio>
#include <string>

#include "SimReceiverState.h"

namespace {

const ULONG kFeatureReportLength = 9;

bool SameFile(HANDLE handle, const std::wstring& path)
{
    BY_HANDLE_FILE_INFORMATION mine = {};
    if (!::GetFileInformationByHandle(handle, &mine))
        return false;
    HANDLE other = ::CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                 OPEN_EXISTING, 0, nullptr);
    if (other == INVALID_HANDLE_VALUE)
        return false;
    BY_HANDLE_FILE_INFORMATION theirs = {};
    bool same = ::GetFileInformationByHandle(other, &theirs) &&
                theirs.dwVolumeSerialNumber == mine.dwVolumeSerialNumber &&
                theirs.nFileIndexHigh == mine.nFileIndexHigh &&
                theirs.nFileIndexLow == mine.nFileIndexLow;
    ::CloseHandle(other);
    return same;
}

void AppendReport(const std::wstring& path, const BYTE* report, ULONG length)
{
    std::string line(path.begin(), path.end());
    line += ' ';
    char hex[3];
    for (ULONG i = 0; i < length; ++i) {
        snprintf(hex, sizeof(hex), "%02x", report[i]);
        line += hex;
    }
    line += '\n';
    HANDLE log = ::CreateFileW(SimReceiver::StateFile(L"reports.log").c_str(), FILE_APPEND_DATA,
                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                               OPEN_ALWAYS, 0, nullptr);
    if (log == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    ::WriteFile(log, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    ::CloseHandle(log);
}

}  // namespace

extern "C" {

__declspec(dllexport) void __stdcall HidD_GetHidGuid(LPGUID guid)
{
    if (guid != nullptr)
        *guid = {0x4d1e55b2, 0xf16f, 0x11cf, {0x88, 0xcb, 0x00, 0x11, 0x11, 0x00, 0x00, 0x30}};
}

__declspec(dllexport) BOOLEAN __stdcall HidD_SetFeature(HANDLE device, PVOID report,
                                                        ULONG length)
{
    if (device == nullptr || device == INVALID_HANDLE_VALUE) {
        ::SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (report == nullptr || length != kFeatureReportLength) {
        ::SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    for (const std::wstring& path : SimReceiver::ListedDevices()) {
        if (!SameFile(device, path))
            continue;
        if (::GetFileAttributesW(SimReceiver::StateFile(L"refuse").c_str()) !=
            INVALID_FILE_ATTRIBUTES) {
            ::SetLastError(ERROR_GEN_FAILURE);
            return FALSE;
        }
        AppendReport(path, static_cast<const BYTE*>(report), length);
        return TRUE;
    }
    ::SetLastError(ERROR_DEVICE_NOT_CONNECTED);
    return FALSE;
}

}  // extern "C"
