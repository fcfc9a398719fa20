#include "TrayIcon.h"

#include <cwchar>

CTrayIcon::CTrayIcon()
{
    ZeroMemory(&m_data, sizeof(m_data));
}

CTrayIcon::~CTrayIcon()
{
    Remove();
}

BOOL CTrayIcon::Add(HWND wnd, UINT callbackMessage, LPCWSTR tooltip, HICON icon, UINT id)
{
    if (LOBYTE(LOWORD(::GetVersion())) < 4)
        return FALSE;
    if (wnd == nullptr || !::IsWindow(wnd))
        return FALSE;
    m_data.cbSize = sizeof(m_data);
    m_data.hWnd = wnd;
    m_data.uID = id;
    m_data.hIcon = icon;
    m_data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    m_data.uCallbackMessage = callbackMessage;
    wcsncpy(m_data.szTip, tooltip != nullptr ? tooltip : L"", ARRAYSIZE(m_data.szTip) - 1);
    m_data.szTip[ARRAYSIZE(m_data.szTip) - 1] = L'\0';
    m_added = ::Shell_NotifyIconW(NIM_ADD, &m_data) != FALSE;
    return m_added;
}

void CTrayIcon::Remove()
{
    if (!m_added)
        return;
    m_data.uFlags = 0;
    ::Shell_NotifyIconW(NIM_DELETE, &m_data);
    m_added = false;
}
