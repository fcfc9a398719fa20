// Test-side control of the simulated receiver (tools/simreceiver): plugs and
// unplugs HID interfaces, makes the receiver refuse reports, and reads back
// every report it accepted, in order. Starts and ends with no device present.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

class CSimulatedReceiver {
public:
    struct Report {
        std::wstring device;
        std::vector<BYTE> bytes;
    };

    CSimulatedReceiver();
    ~CSimulatedReceiver();

    // Device path of a receiver interface named by instance, such as L"sim&0001".
    static std::wstring ReceiverPath(const std::wstring& instance);

    // Makes an interface present (after those present already); returns its path.
    std::wstring Plug(const std::wstring& path);
    std::wstring PlugReceiver(const std::wstring& instance = L"sim&0001")
    {
        return Plug(ReceiverPath(instance));
    }
    void Unplug(const std::wstring& path);
    void SetRefusing(bool refusing);

    std::vector<Report> Reports() const;
    // Polls until at least count reports arrived or the timeout passed.
    std::vector<Report> WaitForReports(size_t count, DWORD timeoutMs) const;

private:
    void WriteDevices() const;
    void Reset();

    std::vector<std::wstring> m_devices;
};
