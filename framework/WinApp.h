// CWinApp: the one application object of a program. WinMain (AppMain.cpp)
// runs InitInstance, then the message loop (Run) when it returns TRUE, then
// ExitInstance. The object also names the program's registry root:
// HKCU\Software\<registry key>\<application name>, whose keys GetAppRegistryKey
// and GetSectionKey open, creating what is missing.
#pragma once

#include "Object.h"

#include <windows.h>

#include <string>

class CWnd;

class CWinApp : public CObject {
public:
    // The application name; null loads string resource 57344.
    explicit CWinApp(LPCWSTR appName = nullptr);
    ~CWinApp() override;

    static CWinApp* Get() { return s_app; }

    HINSTANCE m_hInstance = nullptr;
    std::wstring m_appName;
    std::wstring m_registryKey;
    CWnd* m_pMainWnd = nullptr;

    virtual BOOL InitInstance();
    // Runs the message loop until WM_QUIT and returns its exit code.
    virtual int Run();
    // Destroys the main window if it still exists, deletes it and returns the exit code.
    virtual int ExitInstance();

    void SetRegistryKey(LPCWSTR company);
    // Open keys that the caller closes, or null when they cannot be opened or created.
    HKEY GetAppRegistryKey() const;
    HKEY GetSectionKey(LPCWSTR section) const;

    int m_exitCode = 0;

private:
    static CWinApp* s_app;
};

inline CWinApp* AfxGetApp()
{
    return CWinApp::Get();
}
