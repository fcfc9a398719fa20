// The program's entry point: runs the one CWinApp object the program defines.
#include "WinApp.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int)
{
    CWinApp* app = AfxGetApp();
    if (app == nullptr)
        return 1;
    app->m_hInstance = instance;
    if (!app->InitInstance()) {
        app->ExitInstance();
        return 0;
    }
    return app->Run();
}
