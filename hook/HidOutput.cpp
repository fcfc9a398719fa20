#include "HidOutput.h"

#include <setupapi.h>

#include <cstdlib>
#include <cstring>
#include <cwchar>

namespace {

const wchar_t kReceiverPathPrefix[] = L"\\\\?\\hid#vid_3a5d&pid_5101";
const size_t kReceiverPathPrefixLength = sizeof(kReceiverPathPrefix) / sizeof(wchar_t) - 1;
const DWORD kPauseAfterReportMs = 5;

}  // namespace

CHidOutput::CHidOutput()
{
    m_hidLibrary = ::LoadLibraryW(L"hid.dll");
    if (m_hidLibrary != nullptr) {
        m_setFeature = reinterpret_cast<SetFeatureFn>(
            reinterpret_cast<void*>(::GetProcAddress(m_hidLibrary, "HidD_SetFeature")));
        m_getHidGuid = reinterpret_cast<GetHidGuidFn>(
            reinterpret_cast<void*>(::GetProcAddress(m_hidLibrary, "HidD_GetHidGuid")));
    }
    if (m_getHidGuid != nullptr) {
        GUID guid;
        m_getHidGuid(&guid);
        Open(guid);
    }
}

CHidOutput::~CHidOutput()
{
    Close();
    if (m_hidLibrary != nullptr)
        ::FreeLibrary(m_hidLibrary);
}

void CHidOutput::Open(const GUID& hidGuid)
{
    HDEVINFO devices = ::SetupDiGetClassDevsW(&hidGuid, nullptr, nullptr,
                                              DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
    if (devices == INVALID_HANDLE_VALUE)
        return;
    m_device = INVALID_HANDLE_VALUE;

    SP_DEVICE_INTERFACE_DATA data = {};
    data.cbSize = sizeof(data);
    for (DWORD index = 0;
         ::SetupDiEnumDeviceInterfaces(devices, nullptr, &hidGuid, index, &data); ++index) {
        DWORD required = 0;
        ::SetupDiGetDeviceInterfaceDetailW(devices, &data, nullptr, 0, &required, nullptr);
        if (required < sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W))
            continue;
        // One spare character, zeroed, so that the path always ends.
        auto* detail = static_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_W*>(
            std::calloc(1, required + sizeof(wchar_t)));
        if (detail == nullptr)
            continue;
        detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W);
        bool matched = ::SetupDiGetDeviceInterfaceDetailW(devices, &data, detail, required,
                                                          nullptr, nullptr) &&
                       _wcsnicmp(detail->DevicePath, kReceiverPathPrefix,
                                 kReceiverPathPrefixLength) == 0;
        if (matched) {
            m_device = ::CreateFileW(detail->DevicePath, GENERIC_WRITE,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                     0, nullptr);
        }
        std::free(detail);
        if (matched)
            break;
    }
    ::SetupDiDestroyDeviceInfoList(devices);
}

void CHidOutput::Close()
{
    if (m_device != INVALID_HANDLE_VALUE)
        ::CloseHandle(m_device);
    m_device = INVALID_HANDLE_VALUE;
}

int CHidOutput::Send(const BYTE payload[kPayloadSize])
{
    if (m_setFeature == nullptr)
        return 0;
    ::AcquireSRWLockExclusive(&m_lock);
    if (m_device == INVALID_HANDLE_VALUE && m_getHidGuid != nullptr) {
        GUID guid;
        m_getHidGuid(&guid);
        Open(guid);
    }
    BYTE report[1 + kPayloadSize] = {0};
    std::memcpy(report + 1, payload, kPayloadSize);
    // With the device still closed the call fails and the send reports 0.
    BYTE result = static_cast<BYTE>(m_setFeature(m_device, report, sizeof(report)));
    ::Sleep(kPauseAfterReportMs);
    if (result == 0)
        Close();
    ::ReleaseSRWLockExclusive(&m_lock);
    return result;
}
