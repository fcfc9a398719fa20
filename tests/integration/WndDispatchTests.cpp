// Message-map dispatch of the framework on real windows.
#include "framework/FrameWnd.h"
#include "framework/Wnd.h"
#include "support/TestEnvironment.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const UINT WM_PING = WM_USER + 1;
const UINT WM_PASS = WM_USER + 2;

class CBaseProbe : public CWnd {
public:
    std::vector<std::string> m_log;

    BEGIN_MSG_MAP(CBaseProbe)
        MESSAGE_HANDLER(WM_PING, OnBasePing)
        MESSAGE_HANDLER(WM_PASS, OnBasePass)
    END_MSG_MAP()

    LRESULT OnBasePing(UINT, WPARAM, LPARAM, BOOL&)
    {
        m_log.push_back("base ping");
        return 1;
    }
    LRESULT OnBasePass(UINT, WPARAM, LPARAM, BOOL&)
    {
        m_log.push_back("base pass");
        return 20;
    }
};

class CProbe : public CBaseProbe {
public:
    bool m_sawNcCreate = false;
    std::wstring m_titleAtCreate;
    HWND m_finalHandle = nullptr;
    bool* m_deletedFlag = nullptr;
    bool m_deleteSelf = false;

    ~CProbe() override
    {
        if (m_deletedFlag != nullptr)
            *m_deletedFlag = true;
    }

    BEGIN_MSG_MAP(CProbe)
        MESSAGE_HANDLER(WM_NCCREATE, OnNcCreate)
        MSG_WM_CREATE(OnCreate)
        MESSAGE_HANDLER(WM_PING, OnPing)
        MESSAGE_HANDLER(WM_PASS, OnPass)
        COMMAND_ID_HANDLER(32772, OnCommand)
        CHAIN_MSG_MAP(CBaseProbe)
    END_MSG_MAP()

    LRESULT OnNcCreate(UINT, WPARAM, LPARAM, BOOL& handled)
    {
        m_sawNcCreate = true;
        handled = FALSE;  // default processing must still set the title
        return 0;
    }
    int OnCreate(LPCREATESTRUCTW cs)
    {
        m_titleAtCreate = cs->lpszName != nullptr ? cs->lpszName : L"";
        return static_cast<int>(Default());
    }
    LRESULT OnPing(UINT, WPARAM wParam, LPARAM lParam, BOOL&)
    {
        m_log.push_back("derived ping");
        return static_cast<LRESULT>(wParam + lParam);
    }
    LRESULT OnPass(UINT, WPARAM, LPARAM, BOOL& handled)
    {
        m_log.push_back("derived pass");
        handled = FALSE;
        return 0;
    }
    LRESULT OnCommand(WORD, WORD id, HWND, BOOL&)
    {
        m_log.push_back("command " + std::to_string(id));
        return 0;
    }

protected:
    void OnFinalMessage(HWND hWnd) override
    {
        m_finalHandle = hWnd;
        if (m_deleteSelf)
            delete this;
    }
};

HWND CreateProbe(CWnd& wnd, LPCWSTR title = L"probe")
{
    wnd.CreateEx(0, CWnd::RegisterWndClass(0), title, WS_POPUP, 0, 0, 10, 10, nullptr, nullptr);
    return wnd.m_hWnd;
}

TEST(WndDispatch, ObjectReceivesMessagesFromTheFirstOne)
{
    CProbe probe;
    ASSERT_NE(nullptr, CreateProbe(probe, L"first"));
    EXPECT_TRUE(probe.m_sawNcCreate);
    EXPECT_EQ(L"first", probe.m_titleAtCreate);
    wchar_t title[32] = {};
    ::GetWindowTextW(probe.m_hWnd, title, 32);
    EXPECT_STREQ(L"first", title);
    EXPECT_EQ(&probe, CWnd::FromHandlePermanent(probe.m_hWnd));
}

TEST(WndDispatch, DerivedEntriesComeFirstAndUnhandledOnesChainToTheBase)
{
    CProbe probe;
    ASSERT_NE(nullptr, CreateProbe(probe));
    EXPECT_EQ(7, probe.SendMessage(WM_PING, 3, 4));
    EXPECT_EQ(20, probe.SendMessage(WM_PASS));
    ::SendMessageW(probe.m_hWnd, WM_COMMAND, MAKEWPARAM(32772, 0), 0);
    std::vector<std::string> expected = {"derived ping", "derived pass", "base pass",
                                         "command 32772"};
    EXPECT_EQ(expected, probe.m_log);
}

TEST(WndDispatch, UnmappedMessagesGetDefaultProcessing)
{
    CProbe probe;
    ASSERT_NE(nullptr, CreateProbe(probe));
    ::SendMessageW(probe.m_hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"renamed"));
    wchar_t title[32] = {};
    ::GetWindowTextW(probe.m_hWnd, title, 32);
    EXPECT_STREQ(L"renamed", title);
}

TEST(WndDispatch, SelfDeletingWindowGoesInItsFinalMessage)
{
    bool deleted = false;
    auto* probe = new CProbe;
    probe->m_deleteSelf = true;
    probe->m_deletedFlag = &deleted;
    HWND hWnd = CreateProbe(*probe);
    ASSERT_NE(nullptr, hWnd);
    ::DestroyWindow(hWnd);
    EXPECT_TRUE(deleted);
    EXPECT_FALSE(::IsWindow(hWnd));
}

TEST(WndDispatch, DestroyedWindowClearsItsHandleBeforeTheFinalMessage)
{
    CProbe probe;
    HWND hWnd = CreateProbe(probe);
    ASSERT_NE(nullptr, hWnd);
    probe.DestroyWindow();
    EXPECT_EQ(nullptr, probe.m_hWnd);
    EXPECT_EQ(hWnd, probe.m_finalHandle);
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));
}

TEST(WndDispatch, SubclassedControlKeepsItsOwnBehaviourForUnmappedMessages)
{
    HWND edit = ::CreateWindowExW(0, L"EDIT", L"text", WS_POPUP, 0, 0, 50, 20, nullptr, nullptr,
                                  ::GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(nullptr, edit);
    {
        CProbe probe;
        ASSERT_TRUE(probe.SubclassWindow(edit));
        EXPECT_EQ(5, ::SendMessageW(edit, WM_PING, 2, 3));
        EXPECT_EQ(4, ::SendMessageW(edit, WM_GETTEXTLENGTH, 0, 0));
        EXPECT_EQ(edit, probe.UnsubclassWindow());
        EXPECT_EQ(0, ::SendMessageW(edit, WM_PING, 2, 3));  // the edit control's own answer
    }
    EXPECT_TRUE(::IsWindow(edit));  // a control that was only subclassed is not destroyed
    ::DestroyWindow(edit);
}

TEST(WndDispatch, RegisteredClassesAreSharedByTheirAttributes)
{
    LPCWSTR a = CWnd::RegisterWndClass(0);
    LPCWSTR b = CWnd::RegisterWndClass(0);
    LPCWSTR c = CWnd::RegisterWndClass(CS_DBLCLKS);
    EXPECT_EQ(a, b);
    EXPECT_STRNE(a, c);
    EXPECT_STRNE(a, CFrameWnd::DefaultFrameClass());
}

}  // namespace
