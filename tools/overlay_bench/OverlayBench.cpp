// Times the overlay's work at the screen's size and prints the figures beside
// a plain full-screen BitBlt measured in the same run:
//   - the screen capture (building an overlay),
//   - one full paint of the plain picture,
//   - one full spotlight paint and one full zoom paint,
//   - one mouse move while drawing a pen stroke (the move and its repaint),
//     for strokes of growing length.
// Run on demand: tools/bench.sh overlay
#include "app/MainFrame.h"
#include "framework/WinApp.h"
#include "overlay/LMSpotLight.h"
#include "overlay/LumoraView.h"
#include "options/Settings.h"
#include "tools/bench/Clock.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

CWinApp g_app(L"lumora2");

// The best of several runs, in milliseconds.
double Best(int runs, const std::function<void()>& work)
{
    double best = 1e9;
    for (int i = 0; i < runs; ++i) {
        double start = NowMs();
        work();
        best = std::min(best, NowMs() - start);
    }
    return best;
}

void Pump()
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        ::DispatchMessageW(&msg);
}

double PlainBitBlt(int width, int height)
{
    HDC screen = ::GetDC(nullptr);
    HDC a = ::CreateCompatibleDC(screen);
    HDC b = ::CreateCompatibleDC(screen);
    HBITMAP ba = ::CreateCompatibleBitmap(screen, width, height);
    HBITMAP bb = ::CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ oa = ::SelectObject(a, ba);
    HGDIOBJ ob = ::SelectObject(b, bb);
    double ms = Best(30, [&] { ::BitBlt(a, 0, 0, width, height, b, 0, 0, SRCCOPY); ::GdiFlush(); });
    ::SelectObject(a, oa);
    ::SelectObject(b, ob);
    ::DeleteObject(ba);
    ::DeleteObject(bb);
    ::DeleteDC(a);
    ::DeleteDC(b);
    ::ReleaseDC(nullptr, screen);
    return ms;
}

double FullPaint(CLumoraView& view)
{
    return Best(20, [&] {
        ::RedrawWindow(view.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        ::GdiFlush();
    });
}

}  // namespace

int wmain()
{
    g_app.SetRegistryKey(L"KVX");
    int width = ::GetSystemMetrics(SM_CXSCREEN);
    int height = ::GetSystemMetrics(SM_CYSCREEN);
    std::printf("screen %d x %d\n", width, height);
    std::printf("plain full-screen BitBlt        %8.3f ms\n", PlainBitBlt(width, height));

    CMainFrame frame;  // the overlay reads the function and the layered-window flag from it
    frame.SelectFunction(4);
    // Only the construction is timed: closing an overlay waits 200 ms on purpose.
    double capture = 1e9;
    for (int i = 0; i < 5; ++i) {
        double start = NowMs();
        auto* view = new CLumoraView(frame);
        capture = std::min(capture, NowMs() - start);
        delete view;
    }
    std::printf("screen capture (new overlay)    %8.3f ms\n", capture);

    auto* view = new CLumoraView(frame);
    if (!view->Create()) {
        std::printf("overlay window could not be created\n");
        return 1;
    }
    Pump();
    std::printf("full paint, plain picture       %8.3f ms\n", FullPaint(*view));

    frame.SelectFunction(3);
    ::SetCursorPos(width / 2 - 200, height / 2 - 150);
    view->AddSpotZoom();
    CLMSpotLight* spot = view->FindSpotZoom();
    RECT shape = {width / 2 - 200, height / 2 - 150, width / 2 + 200, height / 2 + 150};
    spot->SetPlacement(shape);
    std::printf("full paint, spotlight           %8.3f ms\n", FullPaint(*view));
    frame.SelectFunction(2);
    ::RedrawWindow(view->m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);  // relabel
    RECT lens = {width / 2, height / 2, width / 2 + 200, height / 2 + 112};
    spot->SetPlacement(lens);
    std::printf("full paint, zoom (rate 2.0)     %8.3f ms\n", FullPaint(*view));
    view->RemoveSpotZoom();

    // A straight pen stroke growing to many vertices; each move is timed with its repaint.
    WriteSettingInt(L"Pen", L"Type", 0);
    frame.SelectFunction(4);
    ::SetCursorPos(100, 100);
    view->m_state = CLumoraView::kFunctionRunning;
    view->BeginPenStroke();
    Pump();
    const int checkpoints[] = {10, 100, 1000, 10000};
    int added = 0;
    for (int target : checkpoints) {
        double total = 0;
        int timed = 0;
        while (added < target) {
            // A zig-zag within a band, so the stroke stays on screen however long it gets.
            int x = 100 + (added * 7) % (width - 200);
            int y = 100 + (added % 2) * 40 + (added / ((width - 200) / 7)) % (height - 300);
            double start = NowMs();
            view->ContinuePenStroke(x, y);
            ::UpdateWindow(view->m_hWnd);
            ::GdiFlush();
            double elapsed = NowMs() - start;
            if (added >= target - std::min(target, 50)) {
                total += elapsed;
                ++timed;
            }
            ++added;
        }
        std::printf("pen move at %5d vertices       %8.3f ms (mean of the last %d moves)\n", target,
                    total / timed, timed);
    }
    view->DestroyWindow();
    delete view;
    return 0;
}
