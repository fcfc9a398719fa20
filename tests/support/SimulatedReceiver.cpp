#include "SimulatedReceiver.h"

#include "tools/simreceiver/SimReceiverState.h"

#include <cwctype>
#include <string>

namespace {

const wchar_t kHidInterfaceSuffix[] = L"#{4d1e55b2-f16f-11cf-88cb-001111000030}";

// Wine opens \\?\name as the file "name", in lower case, in the prefix's
// dosdevices folder; the test reaches that folder through drive Z:.
std::wstring DosDevicesFile(const std::wstring& devicePath)
{
    wchar_t prefix[MAX_PATH] = {};
    DWORD length = ::GetEnvironmentVariableW(L"WINEPREFIX", prefix, MAX_PATH);
    if (length == 0 || length >= MAX_PATH || devicePath.compare(0, 4, L"\\\\?\\") != 0)
        return std::wstring();
    std::wstring folder = std::wstring(L"Z:") + prefix + L"/dosdevices/";
    for (wchar_t& c : folder)
        if (c == L'/')
            c = L'\\';
    std::wstring name = devicePath.substr(4);
    for (wchar_t& c : name)
        c = static_cast<wchar_t>(towlower(c));
    return folder + name;
}

void WriteWholeFile(const std::wstring& path, const std::string& text)
{
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    ::WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    ::CloseHandle(file);
}

}  // namespace

CSimulatedReceiver::CSimulatedReceiver()
{
    ::CreateDirectoryW(SimReceiver::StateFolder().c_str(), nullptr);
    Reset();
}

CSimulatedReceiver::~CSimulatedReceiver()
{
    Reset();
}

void CSimulatedReceiver::Reset()
{
    m_devices.clear();
    WriteDevices();
    ::DeleteFileW(SimReceiver::StateFile(L"refuse").c_str());
    WriteWholeFile(SimReceiver::StateFile(L"reports.log"), std::string());
}

std::wstring CSimulatedReceiver::ReceiverPath(const std::wstring& instance)
{
    return L"\\\\?\\hid#vid_3a5d&pid_5101#" + instance + kHidInterfaceSuffix;
}

std::wstring CSimulatedReceiver::Plug(const std::wstring& path)
{
    std::wstring file = DosDevicesFile(path);
    if (!file.empty())
        WriteWholeFile(file, std::string());
    m_devices.push_back(path);
    WriteDevices();
    return path;
}

void CSimulatedReceiver::Unplug(const std::wstring& path)
{
    for (auto it = m_devices.begin(); it != m_devices.end(); ++it) {
        if (*it == path) {
            m_devices.erase(it);
            break;
        }
    }
    WriteDevices();
}

void CSimulatedReceiver::SetRefusing(bool refusing)
{
    if (refusing)
        WriteWholeFile(SimReceiver::StateFile(L"refuse"), "refuse\n");
    else
        ::DeleteFileW(SimReceiver::StateFile(L"refuse").c_str());
}

void CSimulatedReceiver::WriteDevices() const
{
    std::string text;
    for (const std::wstring& path : m_devices) {
        text.append(path.begin(), path.end());
        text += '\n';
    }
    WriteWholeFile(SimReceiver::StateFile(L"devices.txt"), text);
}

std::vector<CSimulatedReceiver::Report> CSimulatedReceiver::Reports() const
{
    std::vector<Report> reports;
    std::string text = SimReceiver::ReadWholeFile(SimReceiver::StateFile(L"reports.log"));
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            break;  // a line still being written
        std::string line = text.substr(start, end - start);
        start = end + 1;
        size_t space = line.rfind(' ');
        if (space == std::string::npos)
            continue;
        Report report;
        report.device.assign(line.begin(), line.begin() + static_cast<long>(space));
        for (size_t i = space + 1; i + 1 < line.size(); i += 2)
            report.bytes.push_back(static_cast<BYTE>(std::stoi(line.substr(i, 2), nullptr, 16)));
        reports.push_back(report);
    }
    return reports;
}

std::vector<CSimulatedReceiver::Report> CSimulatedReceiver::WaitForReports(size_t count,
                                                                           DWORD timeoutMs) const
{
    DWORD start = ::GetTickCount();
    std::vector<Report> reports = Reports();
    while (reports.size() < count && ::GetTickCount() - start < timeoutMs) {
        ::Sleep(10);
        reports = Reports();
    }
    return reports;
}
