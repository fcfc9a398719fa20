#include "PresviaApp.h"

#include "MainFrame.h"

#include <commctrl.h>
#include <ole2.h>

#include <cwchar>

namespace {

const wchar_t kCompany[] = L"KVX";
const wchar_t kApplication[] = L"lumora2";

CPresviaApp theApp;

}  // namespace

BOOL CPresviaApp::InitInstance()
{
    wchar_t mutexName[64];
    swprintf(mutexName, 64, L"%ls_%ls_App_Mutex", kCompany, kApplication);
    m_instanceMutex = ::CreateMutexW(nullptr, TRUE, mutexName);
    if (::GetLastError() == ERROR_ALREADY_EXISTS)
        return FALSE;

    INITCOMMONCONTROLSEX controls = {};
    controls.dwSize = sizeof(controls);
    controls.dwICC = 0xFF;
    ::InitCommonControlsEx(&controls);

    // ActiveX controls (the clip-art movies) are hosted in single-threaded COM.
    ::OleInitialize(nullptr);

    SetRegistryKey(kCompany);

    auto* frame = new CMainFrame;
    m_pMainWnd = frame;
    frame->Create(nullptr, L"lumora2_kvx", WS_BORDER);
    return TRUE;
}

int CPresviaApp::ExitInstance()
{
    if (auto* frame = static_cast<CMainFrame*>(m_pMainWnd)) {
        if (frame->m_hWnd != nullptr)
            frame->RemoveTrayIcon();
    }
    int code = CWinApp::ExitInstance();
    ::OleUninitialize();
    return code;
}
