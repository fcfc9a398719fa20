// CPresviaApp: the application object. It refuses a second instance, turns
// on the common controls, names the registry root of the settings and
// creates the hidden main frame.
#pragma once

#include "framework/WinApp.h"

class CPresviaApp : public CWinApp {
public:
    BOOL InitInstance() override;
    int ExitInstance() override;

private:
    HANDLE m_instanceMutex = nullptr;  // open for the life of the process
};
