// setupapi.dll of the simulated receiver: the four calls that find HID
// interfaces, answering from devices.txt the way the system's setupapi
// answers (buffer sizes, cbSize checks, error codes).
#define _SETUPAPI_
#include <windows.h>
#include <setupapi.h>

#include <cstddef>
#include <string>
#include <vector>

#include "SimReceiverState.h"

namespace {

const GUID kHidInterfaceGuid = {0x4d1e55b2, 0xf16f, 0x11cf,
                                {0x88, 0xcb, 0x00, 0x11, 0x11, 0x00, 0x00, 0x30}};
const DWORD kSnapshotMagic = 0x53494d52;  // 'SIMR'

struct Snapshot {
    DWORD magic = kSnapshotMagic;
    std::vector<std::wstring> paths;
};

Snapshot* FromHandle(HDEVINFO handle)
{
    auto* snapshot = static_cast<Snapshot*>(handle);
    if (snapshot == nullptr || handle == INVALID_HANDLE_VALUE || snapshot->magic != kSnapshotMagic)
        return nullptr;
    return snapshot;
}

}  // namespace

extern "C" {

HDEVINFO WINAPI SetupDiGetClassDevsW(const GUID* classGuid, PCWSTR, HWND, DWORD flags)
{
    auto* snapshot = new Snapshot;
    if (classGuid != nullptr && IsEqualGUID(*classGuid, kHidInterfaceGuid) &&
        (flags & DIGCF_DEVICEINTERFACE) != 0)
        snapshot->paths = SimReceiver::ListedDevices();
    return snapshot;
}

BOOL WINAPI SetupDiEnumDeviceInterfaces(HDEVINFO handle, PSP_DEVINFO_DATA, const GUID* guid,
                                        DWORD index, PSP_DEVICE_INTERFACE_DATA data)
{
    Snapshot* snapshot = FromHandle(handle);
    if (snapshot == nullptr) {
        ::SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (data == nullptr || data->cbSize != sizeof(SP_DEVICE_INTERFACE_DATA)) {
        ::SetLastError(ERROR_INVALID_USER_BUFFER);
        return FALSE;
    }
    if (guid == nullptr || !IsEqualGUID(*guid, kHidInterfaceGuid) ||
        index >= snapshot->paths.size()) {
        ::SetLastError(ERROR_NO_MORE_ITEMS);
        return FALSE;
    }
    data->InterfaceClassGuid = kHidInterfaceGuid;
    data->Flags = SPINT_ACTIVE;
    data->Reserved = index;
    return TRUE;
}

BOOL WINAPI SetupDiGetDeviceInterfaceDetailW(HDEVINFO handle, PSP_DEVICE_INTERFACE_DATA data,
                                             PSP_DEVICE_INTERFACE_DETAIL_DATA_W detail,
                                             DWORD detailSize, PDWORD requiredSize,
                                             PSP_DEVINFO_DATA)
{
    Snapshot* snapshot = FromHandle(handle);
    if (snapshot == nullptr) {
        ::SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (data == nullptr || data->Reserved >= snapshot->paths.size()) {
        ::SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const std::wstring& path = snapshot->paths[data->Reserved];
    DWORD needed = static_cast<DWORD>(offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_W, DevicePath) +
                                      (path.size() + 1) * sizeof(wchar_t));
    if (requiredSize != nullptr)
        *requiredSize = needed;
    if (detail == nullptr || detailSize < needed) {
        ::SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    if (detail->cbSize != sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W)) {
        ::SetLastError(ERROR_INVALID_USER_BUFFER);
        return FALSE;
    }
    memcpy(detail->DevicePath, path.c_str(), (path.size() + 1) * sizeof(wchar_t));
    return TRUE;
}

BOOL WINAPI SetupDiDestroyDeviceInfoList(HDEVINFO handle)
{
    Snapshot* snapshot = FromHandle(handle);
    if (snapshot == nullptr) {
        ::SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    snapshot->magic = 0;
    delete snapshot;
    return TRUE;
}

}  // extern "C"
