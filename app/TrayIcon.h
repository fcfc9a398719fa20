// CTrayIcon: the program's icon in the notification area. Removing it twice,
// or after it failed to be added, does nothing; the destructor removes it.
#pragma once

#include "framework/Object.h"

#include <windows.h>
#include <shellapi.h>

class CTrayIcon : public CObject {
public:
    CTrayIcon();
    ~CTrayIcon() override;

    // Adds the icon; the shell then sends callbackMessage to wnd. Returns whether it was added.
    BOOL Add(HWND wnd, UINT callbackMessage, LPCWSTR tooltip, HICON icon, UINT id);
    void Remove();
    bool IsAdded() const { return m_added; }

private:
    bool m_added = false;
    NOTIFYICONDATAW m_data;
};
