#include "WinApp.h"

#include "Wnd.h"

namespace {

// String resource 57344 is the application's title.
const UINT kAppTitleString = 0xE000;

HKEY CreateKey(HKEY parent, LPCWSTR name)
{
    HKEY key = nullptr;
    if (::RegCreateKeyExW(parent, name, 0, nullptr, REG_OPTION_NON_VOLATILE,
                          KEY_READ | KEY_WRITE, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return nullptr;
    return key;
}

}  // namespace

CWinApp* CWinApp::s_app = nullptr;

CWinApp::CWinApp(LPCWSTR appName)
{
    s_app = this;
    m_hInstance = ::GetModuleHandleW(nullptr);
    if (appName != nullptr) {
        m_appName = appName;
    } else {
        const wchar_t* text = nullptr;
        int length = ::LoadStringW(m_hInstance, kAppTitleString,
                                   reinterpret_cast<LPWSTR>(&text), 0);
        if (length > 0)
            m_appName.assign(text, static_cast<size_t>(length));
    }
}

CWinApp::~CWinApp()
{
    if (s_app == this)
        s_app = nullptr;
}

BOOL CWinApp::InitInstance()
{
    return TRUE;
}

int CWinApp::Run()
{
    MSG msg;
    for (;;) {
        BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0 || got == -1)
            break;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    m_exitCode = (msg.message == WM_QUIT) ? static_cast<int>(msg.wParam) : 0;
    return ExitInstance();
}

int CWinApp::ExitInstance()
{
    if (m_pMainWnd != nullptr) {
        // Destroying the window runs its WM_DESTROY clean-up before the object goes.
        m_pMainWnd->DestroyWindow();
        delete m_pMainWnd;
        m_pMainWnd = nullptr;
    }
    return m_exitCode;
}

void CWinApp::SetRegistryKey(LPCWSTR company)
{
    m_registryKey = company != nullptr ? company : L"";
}

HKEY CWinApp::GetAppRegistryKey() const
{
    if (m_registryKey.empty() || m_appName.empty())
        return nullptr;
    HKEY software = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, L"Software", 0, KEY_READ | KEY_WRITE, &software) !=
        ERROR_SUCCESS)
        return nullptr;
    HKEY company = CreateKey(software, m_registryKey.c_str());
    ::RegCloseKey(software);
    if (company == nullptr)
        return nullptr;
    HKEY app = CreateKey(company, m_appName.c_str());
    ::RegCloseKey(company);
    return app;
}

HKEY CWinApp::GetSectionKey(LPCWSTR section) const
{
    HKEY app = GetAppRegistryKey();
    if (app == nullptr || section == nullptr || *section == L'\0')
        return app;
    HKEY key = CreateKey(app, section);
    ::RegCloseKey(app);
    return key;
}
