// The overlay window in this process: placement, states, moves and paints.
#include "app/MainFrame.h"
#include "overlay/LMPen.h"
#include "overlay/LMSpotLight.h"
#include "overlay/LumoraView.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class OverlayViewTest : public testing::Test {
protected:
    void SetUp() override
    {
        ClearSettings();
        m_frame.reset(new CMainFrame);  // the overlay reads the function index from it
        m_frame->SelectFunction(4);
    }
    void TearDown() override
    {
        if (m_view != nullptr) {
            m_view->DestroyWindow();
            delete m_view;
        }
        m_frame.reset();
        ClearSettings();
    }

    CLumoraView& OpenOverlay()
    {
        m_view = new CLumoraView(*m_frame);
        EXPECT_TRUE(m_view->Create());
        PumpMessagesFor(30);
        return *m_view;
    }

    // A mouse move as the window gets it, with the cursor at the same point.
    void MoveTo(int x, int y)
    {
        ::SetCursorPos(x, y);
        ::SendMessageW(m_view->m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
    }

    std::unique_ptr<CMainFrame> m_frame;
    CLumoraView* m_view = nullptr;
};

TEST_F(OverlayViewTest, NewOverlayCoversThePrimaryDisplayIdleAndEmpty)
{
    HWND before = ::GetForegroundWindow();
    CLumoraView& view = OpenOverlay();
    RECT rect = {};
    ::GetWindowRect(view.m_hWnd, &rect);
    EXPECT_EQ(0, rect.left);
    EXPECT_EQ(0, rect.top);
    EXPECT_EQ(::GetSystemMetrics(SM_CXSCREEN), rect.right);
    EXPECT_EQ(::GetSystemMetrics(SM_CYSCREEN), rect.bottom);
    EXPECT_TRUE(::GetWindowLongPtrW(view.m_hWnd, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_TRUE(::IsWindowVisible(view.m_hWnd));
    EXPECT_EQ(CLumoraView::kIdle, view.m_state);
    EXPECT_TRUE(view.IsAnchorUnset());
    EXPECT_TRUE(view.Objects().empty());
    EXPECT_NE(view.m_hWnd, ::GetForegroundWindow());
    EXPECT_EQ(before, ::GetForegroundWindow());
}

TEST_F(OverlayViewTest, MovesRepaintAtMostEveryFiftyMilliseconds)
{
    CLumoraView& view = OpenOverlay();
    ::SetCursorPos(100, 100);
    view.m_state = CLumoraView::kFunctionRunning;
    view.BeginPenStroke();
    MoveTo(200, 100);
    view.EndPenStroke();
    view.ResetToIdle();
    ASSERT_EQ(1u, view.Objects().size());
    RECT start = view.Objects().back()->GetPlacement();

    ::SetCursorPos(150, 105);
    view.BeginMove();
    ASSERT_EQ(CLumoraView::kMoving, view.m_state);
    ::Sleep(60);
    MoveTo(170, 135);  // more than 50 ms after the last permitted move: moves
    RECT first = view.Objects().back()->GetPlacement();
    EXPECT_EQ(start.left + 20, first.left);
    EXPECT_EQ(start.top + 30, first.top);
    ::Sleep(20);
    MoveTo(190, 165);  // 20 ms later: not carried out
    view.EndMove();
    RECT last = view.Objects().back()->GetPlacement();
    EXPECT_EQ(first.left, last.left);
    EXPECT_EQ(first.top, last.top);
    EXPECT_EQ(CLumoraView::kIdle, view.m_state);
}

TEST_F(OverlayViewTest, DragOnAnEmptyOverlayMovesNothing)
{
    CLumoraView& view = OpenOverlay();
    ::SendMessageW(view.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(300, 300));
    ::Sleep(60);
    MoveTo(350, 350);
    ::SendMessageW(view.m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(350, 350));
    EXPECT_TRUE(view.Objects().empty());
    EXPECT_EQ(CLumoraView::kIdle, view.m_state);
}

TEST_F(OverlayViewTest, SwitchBetweenSpotlightAndZoomRelabelsAtTheNextPaint)
{
    m_frame->SelectFunction(2);
    CLumoraView& view = OpenOverlay();
    ::SetCursorPos(400, 300);
    view.AddSpotZoom();
    CLMSpotLight* spot = view.FindSpotZoom();
    ASSERT_NE(nullptr, spot);
    EXPECT_EQ(2, spot->GetFunctionIndex());
    ::UpdateWindow(view.m_hWnd);

    m_frame->SelectFunction(3);
    view.Invalidate();
    ::UpdateWindow(view.m_hWnd);
    EXPECT_EQ(3, spot->GetFunctionIndex());
    // The relabelling paint asked for another one.
    RECT update = {};
    EXPECT_TRUE(::GetUpdateRect(view.m_hWnd, &update, FALSE));
}

TEST_F(OverlayViewTest, UndoRemovesTheNewestObjectFirst)
{
    CLumoraView& view = OpenOverlay();
    view.m_state = CLumoraView::kFunctionRunning;
    for (int i = 0; i < 3; ++i) {
        ::SetCursorPos(100, 100 + 50 * i);
        view.BeginPenStroke();
        MoveTo(200, 100 + 50 * i);
    }
    ASSERT_EQ(3u, view.Objects().size());
    CLMObject* middle = view.Objects()[1];
    EXPECT_EQ(2, view.RemoveLastObject());
    EXPECT_EQ(middle, view.GetLastObject());
    EXPECT_EQ(1, view.RemoveLastObject());
    EXPECT_EQ(0, view.RemoveLastObject());
    EXPECT_EQ(0, view.RemoveLastObject());
}

}  // namespace
