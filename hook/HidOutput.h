// CHidOutput: the one-way channel to the presenter's receiver. It loads
// hid.dll at run time, finds the first HID interface whose device path begins
// with the receiver's prefix, and sends 9-byte feature reports (report id 0,
// then an 8-byte payload). A failed send closes the device; the next send
// enumerates and opens it again, so a receiver plugged in later is found.
// Sends on one object from several threads go one at a time.
#pragma once

#include <windows.h>

class CHidOutput {
public:
    static const int kPayloadSize = 8;

    CHidOutput();
    ~CHidOutput();
    CHidOutput(const CHidOutput&) = delete;
    CHidOutput& operator=(const CHidOutput&) = delete;

    // Sends one report; 1 when the device accepted it, 0 otherwise.
    int Send(const BYTE payload[kPayloadSize]);

    bool IsOpen() const { return m_device != INVALID_HANDLE_VALUE; }

private:
    typedef BOOLEAN(__stdcall* SetFeatureFn)(HANDLE, PVOID, ULONG);
    typedef void(__stdcall* GetHidGuidFn)(LPGUID);

    void Open(const GUID& hidGuid);
    void Close();

    HMODULE m_hidLibrary = nullptr;
    GetHidGuidFn m_getHidGuid = nullptr;
    SetFeatureFn m_setFeature = nullptr;
    HANDLE m_device = INVALID_HANDLE_VALUE;
    SRWLOCK m_lock = SRWLOCK_INIT;
};

// Payloads the program sends.
namespace HidReports {
const BYTE kCommand80[CHidOutput::kPayloadSize] = {0x79, 0x80, 0, 0, 0, 0, 0, 0};
const BYTE kAlarmPulse[CHidOutput::kPayloadSize] = {0x79, 0x70, 0, 0, 0x80, 0, 0, 0};
}  // namespace HidReports
