#include "framework/FrameWnd.h"
#include "framework/WinApp.h"

namespace {

class CPresviaApp : public CWinApp {
public:
    BOOL InitInstance() override
    {
        auto* frame = new CFrameWnd;
        m_pMainWnd = frame;
        frame->Create(nullptr, L"lumora2_kvx", WS_BORDER);
        return TRUE;
    }
};

CPresviaApp theApp;

}  // namespace
