// CMainFrame: the hidden main window. It is the window Kivhook sends device
// commands to; it owns the tray icon, the laser beam, the channel to the
// receiver and the alarms, and creates the overlay and the other tool windows
// on demand. It is never shown and never listed on the taskbar.
#pragma once

#include "DeviceCommand.h"
#include "Messages.h"
#include "LumoraAlarm.h"
#include "TrayIcon.h"
#include "framework/FrameWnd.h"
#include "hook/HidOutput.h"
#include "pointers/LaserBeamWnd.h"

class CLumoraView;
class CLMIndicator;
class COptionSheet;
class CSelectDudeFunctionDlg;

typedef BOOL(WINAPI* SetLayeredWindowAttributesFn)(HWND, COLORREF, BYTE, DWORD);

class CMainFrame : public CFrameWnd {
public:
    CMainFrame();
    ~CMainFrame() override;

    // The one main frame of the process, or null.
    static CMainFrame* Get() { return s_mainFrame; }

    // The current function: 0 laser beam, 1 clip art, 2 zoom, 3 spotlight,
    // 4 pen, 5 highlight pen. Any other value selects 0; stored as PresentMode.
    void SelectFunction(int function);
    int GetFunction() const { return m_function; }

    void CloseTools();
    bool IsToolActive() const;
    void OpenSelector();
    // Keeps the taskbar below a full-screen window while a pointer tool runs.
    void SetTaskbarGuard(bool on);
    // The foreground window when it covers its whole monitor (not the desktop), or null.
    HWND FindFullScreenWindow() const;
    // Pushes the Haptic settings to Kivhook.
    void ApplyHapticSettings();

    bool HasLayeredWindows() const { return m_layeredSupport != FALSE; }
    SetLayeredWindowAttributesFn LayeredAttributes() const { return m_setLayeredAttributes; }
    HCURSOR LaserCursor() const { return m_laserCursor; }
    HCURSOR ClassCursor() const { return m_classCursor; }
    bool IsSelectorShowing() const { return m_selectorShowing != FALSE; }
    CLumoraView* Overlay() const { return m_overlay; }
    CLaserBeamWnd& LaserBeam() { return m_laserBeam; }
    CHidOutput& HapticOutput() { return m_hapticOutput; }
    // The indicator tells when it has deleted itself.
    void IndicatorGone(CLMIndicator* indicator)
    {
        if (m_indicator == indicator)
            m_indicator = nullptr;
    }
    CLMIndicator* Indicator() const { return m_indicator; }
    void RemoveTrayIcon() { m_trayIcon.Remove(); }

    BEGIN_MSG_MAP(CMainFrame)
        MSG_WM_CREATE(OnCreate)
        MSG_WM_DESTROY(OnDestroy)
        MSG_WM_TIMER(OnTimer)
        COMMAND_ID_HANDLER(ID_APP_EXIT, OnExit)
        MESSAGE_HANDLER(WM_DEVICE_COMMAND, OnDeviceCommand)
        MESSAGE_HANDLER(WM_SHOW_SELECTOR, OnShowSelector)
        MESSAGE_HANDLER(WM_LASER_STOPPED, OnLaserStopped)
        MESSAGE_HANDLER(WM_UNDO_ANNOTATION, OnUndoAnnotation)
        MESSAGE_HANDLER(WM_INJECT_KEY, OnInjectKey)
        CHAIN_MSG_MAP(CFrameWnd)
    END_MSG_MAP()

private:
    int OnCreate(LPCREATESTRUCTW cs);
    void OnDestroy();
    void OnTimer(UINT_PTR id);
    LRESULT OnExit(WORD, WORD, HWND, BOOL&);
    LRESULT OnDeviceCommand(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnShowSelector(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnLaserStopped(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnUndoAnnotation(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnInjectKey(UINT, WPARAM, LPARAM, BOOL&);

    void Perform(const CDeviceCommandDecoder::Step& step);
    void StartFunction();
    void StopFunction();
    void BeginMoving();
    void EndMoving();
    void UndoOrClose();
    void PageKey(int virtualKey);
    void LaunchKeyboard();
    void ToggleBlackScreen();
    void FavoriteStep();
    void ShowIndicator(int function);
    bool CreateOverlay();
    void DestroyOverlay();
    void DestroyIndicator();
    void RestoreTaskbar();

    static CMainFrame* s_mainFrame;

    // Members in the order they are built; the embedded ones are destroyed in reverse.
    int m_function = 0;
    HCURSOR m_laserCursor = nullptr;
    BOOL m_layeredSupport = FALSE;
    UINT m_initialTaskbarState = 0;
    UINT m_appliedTaskbarState = 0;
    HMODULE m_user32 = nullptr;
    SetLayeredWindowAttributesFn m_setLayeredAttributes = nullptr;
    HWND m_savedFocus = nullptr;
    HWND m_savedForeground = nullptr;
    HWND m_focusRestore = nullptr;
    COptionSheet* m_optionSheet = nullptr;
    CTrayIcon m_trayIcon;
    CLaserBeamWnd m_laserBeam;
    CLumoraView* m_overlay = nullptr;
    CLMIndicator* m_indicator = nullptr;
    BOOL m_selectorShowing = FALSE;
    CSelectDudeFunctionDlg* m_selector = nullptr;
    HCURSOR m_classCursor = nullptr;
    CHidOutput m_hapticOutput;
    CLumoraAlarm m_alarm;

    CDeviceCommandDecoder m_decoder;
};
