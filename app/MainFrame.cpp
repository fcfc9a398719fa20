#include "MainFrame.h"

#include "Favorites.h"
#include "overlay/LMIndicator.h"
#include "overlay/LMSpotLight.h"
#include "overlay/LumoraView.h"
#include "framework/WinApp.h"
#include "options/Settings.h"
#include "res/resource.h"

#include <shellapi.h>

#include <cwchar>

namespace {

const int kLastFunction = 5;
const UINT kTimerPeriodMs = 1000;
const DWORD kIndicatorGoneWaitMs = 500;
const wchar_t kKeyboardProgram[] = L"lumoraKeyboard.exe";

APPBARDATA TaskbarData(HWND wnd, UINT state)
{
    APPBARDATA data = {};
    data.cbSize = sizeof(data);
    data.hWnd = wnd;
    data.lParam = state;
    return data;
}

// The folder of this program, ending in a backslash.
std::wstring ProgramFolder()
{
    wchar_t path[MAX_PATH] = {};
    DWORD length = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return std::wstring();
    wchar_t drive[_MAX_DRIVE] = {};
    wchar_t folder[_MAX_DIR] = {};
    _wsplitpath_s(path, drive, _MAX_DRIVE, folder, _MAX_DIR, nullptr, 0, nullptr, 0);
    return std::wstring(drive) + folder;
}

}  // namespace

CMainFrame* CMainFrame::s_mainFrame = nullptr;

CMainFrame::CMainFrame()
{
    s_mainFrame = this;
    OSVERSIONINFOW version = {};
    version.dwOSVersionInfoSize = sizeof(version);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    m_layeredSupport = ::GetVersionExW(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_NT;
#pragma GCC diagnostic pop
    if (m_layeredSupport) {
        m_user32 = ::LoadLibraryW(L"USER32.DLL");
        if (m_user32 != nullptr)
            m_setLayeredAttributes = reinterpret_cast<SetLayeredWindowAttributesFn>(
                reinterpret_cast<void*>(::GetProcAddress(m_user32, "SetLayeredWindowAttributes")));
    }
}

CMainFrame::~CMainFrame()
{
    if (m_user32 != nullptr)
        ::FreeLibrary(m_user32);
    delete m_overlay;
    if (s_mainFrame == this)
        s_mainFrame = nullptr;
}

int CMainFrame::OnCreate(LPCREATESTRUCTW cs)
{
    if (CFrameWnd::OnCreate(cs) == -1)
        return -1;
    ModifyStyleEx(WS_EX_APPWINDOW, 0);

    SelectFunction(ReadSettingInt(L"", L"PresentMode", -1));

    APPBARDATA taskbar = TaskbarData(nullptr, 0);
    m_initialTaskbarState = static_cast<UINT>(::SHAppBarMessage(ABM_GETSTATE, &taskbar));
    m_appliedTaskbarState = m_initialTaskbarState;

    m_alarm.Load();
    SetTimer(kAlarmTimer, kTimerPeriodMs);
    SetTimer(kTaskbarTimer, kTimerPeriodMs);

    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    m_trayIcon.Add(m_hWnd, WM_TRAY_NOTIFY, L"lumora2",
                   ::LoadIconW(instance, MAKEINTRESOURCEW(IDR_MAINFRAME)), IDR_MAINFRAME);

    m_laserCursor = ::LoadCursorW(instance, MAKEINTRESOURCEW(IDC_LASER_CURSOR));
    m_classCursor = ::GetCursor();

    m_laserBeam.CreateEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW,
                         CWnd::RegisterWndClass(0, m_classCursor), L"", WS_POPUP, 1, 1, 1, 1,
                         nullptr, nullptr);

    JLOD_SetHWND(m_hWnd);
    ApplyHapticSettings();
    JLOD_HookMouse();
    return 0;
}

void CMainFrame::OnDestroy()
{
    CFrameWnd::OnDestroy();
    RestoreTaskbar();
    JLOD_UnHookMouse();
}

void CMainFrame::RestoreTaskbar()
{
    APPBARDATA taskbar = TaskbarData(m_hWnd, m_initialTaskbarState);
    ::SHAppBarMessage(ABM_SETSTATE, &taskbar);
    m_appliedTaskbarState = m_initialTaskbarState;
}

void CMainFrame::ApplyHapticSettings()
{
    SetHMData(ReadSettingInt(L"Haptic", L"EnableHaptic", 1),
              ReadSettingInt(L"Haptic", L"EnableIENavigate", 1),
              ReadSettingInt(L"Haptic", L"EnableNewWindow", 1),
              ReadSettingInt(L"Haptic", L"EnableCloseWindow", 0),
              ReadSettingInt(L"Haptic", L"EnableResizeWindow", 0),
              ReadSettingInt(L"Haptic", L"Volume", 2), ReadSettingInt(L"Haptic", L"Time", 50));
}

void CMainFrame::OnTimer(UINT_PTR id)
{
    if (id == kAlarmTimer) {
        m_alarm.OnTimer(m_hapticOutput);
    } else if (id == kTaskbarTimer) {
        const UINT alwaysOnTop = ABS_ALWAYSONTOP;
        HWND fullScreen = FindFullScreenWindow();
        HWND overlay = m_overlay != nullptr ? m_overlay->m_hWnd : nullptr;
        if (m_appliedTaskbarState == m_initialTaskbarState) {
            if (fullScreen != nullptr && fullScreen != overlay) {
                m_appliedTaskbarState = m_initialTaskbarState & ~alwaysOnTop;
                if (m_appliedTaskbarState != m_initialTaskbarState) {
                    APPBARDATA taskbar = TaskbarData(m_hWnd, m_appliedTaskbarState);
                    ::SHAppBarMessage(ABM_SETSTATE, &taskbar);
                }
            }
        } else if (fullScreen == nullptr && !IsToolActive()) {
            RestoreTaskbar();
        }
    }
}

LRESULT CMainFrame::OnExit(WORD, WORD, HWND, BOOL&)
{
    CloseTools();
    const wchar_t* text = nullptr;
    int length = ::LoadStringW(::GetModuleHandleW(nullptr), IDS_FINISH_PROMPT,
                               reinterpret_cast<LPWSTR>(&text), 0);
    std::wstring prompt = length > 0 ? std::wstring(text, static_cast<size_t>(length))
                                     : std::wstring(L"Do you want to Finish?");
    HWND sheet = nullptr;  // the options sheet, while it is open
    if (sheet != nullptr)
        ::SetWindowPos(sheet, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    const wchar_t* title = AfxGetApp() != nullptr ? AfxGetApp()->m_appName.c_str() : L"";
    if (::MessageBoxW(m_hWnd, prompt.c_str(), title, MB_YESNO) == IDYES) {
        m_trayIcon.Remove();
        ::PostQuitMessage(0);
    } else if (sheet != nullptr) {
        ::SetWindowPos(sheet, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    }
    return 0;
}

void CMainFrame::SelectFunction(int function)
{
    m_function = (function >= 1 && function <= kLastFunction) ? function : 0;
    WriteSettingInt(L"", L"PresentMode", m_function);
}

bool CMainFrame::IsToolActive() const
{
    return (m_laserBeam.m_hWnd != nullptr && m_laserBeam.IsWindowVisible()) ||
           m_overlay != nullptr || m_selector != nullptr;
}

void CMainFrame::CloseTools()
{
    // The selector closes itself once it exists; the overlay goes here.
    DestroyOverlay();
    ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
}

void CMainFrame::OpenSelector()
{
    if (m_selector != nullptr)
        return;
    m_laserBeam.StopMoving();
    // The function selector is not part of the program yet.
}

LRESULT CMainFrame::OnShowSelector(UINT, WPARAM, LPARAM, BOOL&)
{
    if (!IsToolActive() && ReadSettingInt(L"General", L"DisplaySelect_MousePos", 0) != 0)
        OpenSelector();
    return 0;
}

LRESULT CMainFrame::OnDeviceCommand(UINT, WPARAM wParam, LPARAM lParam, BOOL&)
{
    auto actions = m_decoder.Decode(static_cast<int>(wParam), static_cast<int>(lParam));
    for (size_t i = 0; i < actions.count; ++i)
        Perform(actions.steps[i]);
    return 0;
}

void CMainFrame::Perform(const CDeviceCommandDecoder::Step& step)
{
    switch (step.action) {
    case DeviceAction::AcknowledgeAlarms:
        m_alarm.Acknowledge();
        break;
    case DeviceAction::SendCommandReport:
        m_hapticOutput.Send(HidReports::kCommand80);
        break;
    case DeviceAction::CloseTools:
        CloseTools();
        break;
    case DeviceAction::UndoOrClose:
        UndoOrClose();
        break;
    case DeviceAction::SelectFunction:
        SelectFunction(step.argument);
        break;
    case DeviceAction::LaunchKeyboard:
        LaunchKeyboard();
        break;
    case DeviceAction::ToggleBlackScreen:
        ToggleBlackScreen();
        break;
    case DeviceAction::ShowIndicatorEmblem:
        ShowIndicator(-1);
        break;
    case DeviceAction::StartFunction:
        StartFunction();
        break;
    case DeviceAction::StopFunction:
        StopFunction();
        break;
    case DeviceAction::NextPage:
        PageKey(VK_NEXT);
        break;
    case DeviceAction::PreviousPage:
        PageKey(VK_PRIOR);
        break;
    case DeviceAction::BeginMoving:
        BeginMoving();
        break;
    case DeviceAction::EndMoving:
        EndMoving();
        break;
    case DeviceAction::Back:
        if (m_selector != nullptr)
            CloseTools();
        else
            UndoOrClose();
        break;
    case DeviceAction::FavoriteStep:
        FavoriteStep();
        break;
    }
}

void CMainFrame::StartFunction()
{
    m_laserBeam.StopMoving();
    if (m_overlay != nullptr && m_overlay->m_state == CLumoraView::kBlackScreen)
        return;
    if (m_optionSheet != nullptr || m_selector != nullptr)
        return;
    if (!IsToolActive() && m_function != 0) {
        if (m_indicator != nullptr) {
            DestroyIndicator();
            ::Sleep(kIndicatorGoneWaitMs);  // the screen picture must not show the indicator
        }
        CreateOverlay();
    }
    if (m_function != 0 && m_overlay != nullptr)
        m_overlay->FreezeStamps();

    POINT cursor = {};
    switch (m_function) {
    case 0:
        m_laserBeam.StartMoving();
        ::SetCursor(m_laserCursor);
        break;
    case 1:
        if (m_overlay != nullptr)
            m_overlay->AddStamp();
        ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
        break;
    case 2:
    case 3:
        if (m_overlay != nullptr) {
            CLMSpotLight* spot = m_overlay->FindSpotZoom();
            if (spot != nullptr && spot->GetFunctionIndex() != m_function)
                m_overlay->RemoveSpotZoom();
            m_overlay->AddSpotZoom();
            if (m_overlay->m_state == CLumoraView::kIdle) {
                if (m_overlay->IsAnchorUnset() && ::GetCursorPos(&cursor))
                    m_overlay->m_anchorPoint = cursor;
                if (CLMSpotLight* current = m_overlay->FindSpotZoom())
                    m_overlay->m_anchorRect = current->GetPlacement();
            }
        }
        ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
        break;
    case 4:
        if (m_overlay != nullptr)
            m_overlay->BeginPenStroke();
        break;
    case 5:
        if (m_overlay != nullptr)
            m_overlay->BeginHighlightStroke();
        break;
    }
    if (m_overlay != nullptr && m_overlay->m_state == CLumoraView::kIdle)
        m_overlay->m_state = CLumoraView::kFunctionRunning;
}

void CMainFrame::StopFunction()
{
    m_laserBeam.StopMoving();
    if (m_optionSheet != nullptr || m_selector != nullptr)
        return;
    if (m_overlay != nullptr) {
        if (m_function == 4)
            m_overlay->EndPenStroke();
        else if (m_function == 5)
            m_overlay->EndHighlightStroke();
    }
    if (m_overlay != nullptr) {
        m_overlay->ThawStamps();
        m_overlay->ResetToIdle();
    }
}

void CMainFrame::BeginMoving()
{
    if (m_optionSheet == nullptr && m_selector == nullptr && m_overlay != nullptr)
        m_overlay->BeginMove();
}

void CMainFrame::EndMoving()
{
    if (m_optionSheet == nullptr && m_selector == nullptr && m_overlay != nullptr)
        m_overlay->EndMove();
}

void CMainFrame::UndoOrClose()
{
    if (m_overlay != nullptr && m_overlay->RemoveLastObject() == 0)
        DestroyOverlay();
}

LRESULT CMainFrame::OnUndoAnnotation(UINT, WPARAM, LPARAM, BOOL&)
{
    UndoOrClose();
    return 0;
}

void CMainFrame::PageKey(int virtualKey)
{
    if (m_overlay != nullptr) {
        m_overlay->m_pendingKey = virtualKey;
        CloseTools();
    } else {
        PostMessage(WM_INJECT_KEY, static_cast<WPARAM>(virtualKey));
    }
}

LRESULT CMainFrame::OnInjectKey(UINT, WPARAM wParam, LPARAM, BOOL&)
{
    BYTE key = static_cast<BYTE>(wParam);
    BYTE scan = static_cast<BYTE>(::MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
    ::keybd_event(key, scan, 0, 0);
    ::keybd_event(key, scan, KEYEVENTF_KEYUP, 0);
    return 0;
}

void CMainFrame::LaunchKeyboard()
{
    if (!IsToolActive()) {
        m_savedForeground = ::GetForegroundWindow();
        DWORD foregroundThread = ::GetWindowThreadProcessId(m_savedForeground, nullptr);
        DWORD ownThread = ::GetCurrentThreadId();
        if (foregroundThread != 0 && foregroundThread != ownThread) {
            ::AttachThreadInput(ownThread, foregroundThread, TRUE);
            m_savedFocus = ::GetFocus();
            ::AttachThreadInput(ownThread, foregroundThread, FALSE);
        } else {
            m_savedFocus = ::GetFocus();
        }
        std::wstring folder = ProgramFolder();
        if (!folder.empty()) {
            std::wstring program = folder + kKeyboardProgram;
            ::ShellExecuteW(nullptr, L"open", program.c_str(), L"", L"", SW_HIDE);
        }
    }
    CloseTools();
}

void CMainFrame::ToggleBlackScreen()
{
    m_hapticOutput.Send(HidReports::kCommand80);
    if (m_overlay == nullptr)
        CreateOverlay();
    if (m_overlay == nullptr)
        return;
    if (m_overlay->m_state == CLumoraView::kBlackScreen)
        CloseTools();
    else
        m_overlay->EnterBlackScreen();
}

void CMainFrame::FavoriteStep()
{
    if (m_selector != nullptr)
        return;
    if (m_indicator != nullptr) {
        int total = ReadSettingInt(L"General", L"TotalFavorite", 0);
        SelectFunction(NextFavorite(m_function, total, [](int n, int defaultValue) {
            wchar_t name[32];
            swprintf(name, 32, L"%ls%d", L"FavoriteF", n);
            return ReadSettingInt(L"General", name, defaultValue);
        }));
    }
    ShowIndicator(m_function);
}

void CMainFrame::ShowIndicator(int function)
{
    if (m_indicator == nullptr) {
        auto* indicator = new CLMIndicator;
        if (!indicator->Create(m_classCursor)) {
            delete indicator;
            return;
        }
        m_indicator = indicator;
    }
    m_indicator->ShowFunction(function);
}

void CMainFrame::DestroyIndicator()
{
    if (m_indicator == nullptr)
        return;
    m_indicator->ShowWindow(SW_HIDE);
    m_indicator->DestroyWindow();  // it deletes itself and clears the pointer
    m_indicator = nullptr;
}

bool CMainFrame::CreateOverlay()
{
    auto* overlay = new CLumoraView(*this);
    if (!overlay->Create()) {
        delete overlay;
        return false;
    }
    m_overlay = overlay;
    return true;
}

void CMainFrame::DestroyOverlay()
{
    if (m_overlay == nullptr)
        return;
    CLumoraView* overlay = m_overlay;
    m_overlay = nullptr;
    overlay->DestroyWindow();
    delete overlay;
}

LRESULT CMainFrame::OnLaserStopped(UINT, WPARAM, LPARAM, BOOL&)
{
    HWND saved = m_laserBeam.m_savedForeground;
    if (saved == nullptr)
        return 0;
    ::SetForegroundWindow(saved);
    ::SetActiveWindow(saved);
    ::SetFocus(saved);
    m_laserBeam.m_savedForeground = nullptr;
    if (m_overlay != nullptr) {
        ::mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, ::GetMessageExtraInfo());
        ::mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, ::GetMessageExtraInfo());
        ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
    }
    return 0;
}

void CMainFrame::SetTaskbarGuard(bool on)
{
    if (on) {
        HWND fullScreen = FindFullScreenWindow();
        if (m_overlay != nullptr && fullScreen == m_overlay->m_hWnd)
            fullScreen = nullptr;
        JLHookMouse(fullScreen);
    } else {
        JLUnHookMouse();
    }
}

HWND CMainFrame::FindFullScreenWindow() const
{
    HWND foreground = ::GetForegroundWindow();
    if (foreground == nullptr)
        return nullptr;
    HWND root = ::GetAncestor(foreground, GA_ROOT);
    if (root == nullptr)
        return nullptr;
    wchar_t className[261] = {};
    if (::GetClassNameW(root, className, 261) == 0)
        return nullptr;
    if (_wcsicmp(className, L"WorkerW") == 0 || _wcsicmp(className, L"ProgMan") == 0)
        return nullptr;
    RECT area = {};
    HMONITOR monitor = ::MonitorFromWindow(root, MONITOR_DEFAULTTONEAREST);
    if (monitor != nullptr) {
        MONITORINFO info = {};
        info.cbSize = sizeof(info);
        if (!::GetMonitorInfoW(monitor, &info))
            return nullptr;
        area = info.rcMonitor;
    } else if (!::GetWindowRect(::GetDesktopWindow(), &area)) {
        return nullptr;
    }
    RECT client = {};
    if (!::GetClientRect(root, &client))
        return nullptr;
    bool covers = client.right - client.left >= area.right - area.left &&
                  client.bottom - client.top >= area.bottom - area.top;
    return covers ? root : nullptr;
}
