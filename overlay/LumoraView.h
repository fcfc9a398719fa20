// CLumoraView: the annotation overlay. A borderless topmost popup over the
// primary display showing a picture of the screen frozen when the overlay was
// built; on it the presenter draws strokes, lights or magnifies a spot, or
// blanks the screen. It never keeps the focus: whatever would activate it
// hands the foreground back to the window that was in front. The main frame
// creates, drives and deletes it.
#pragma once

#include "LMObject.h"
#include "framework/Wnd.h"

#include <vector>

class CMainFrame;
class CLMPen;
class CLMPenBase;
class CLMHighlightPen;
class CLMSpotLight;

class CLumoraView : public CWnd {
public:
    enum State { kIdle = 0, kMoving = 1, kFunctionRunning = 2, kBlackScreen = 3 };
    static const int kUnset = -10000;

    // Captures the screen; the window does not exist yet, so it is not in the picture.
    explicit CLumoraView(CMainFrame& frame);
    // Deletes the objects, gives the restore windows their roles back and,
    // about 200 ms later, posts the pending key to the main frame.
    ~CLumoraView() override;

    bool Create();

    void ResetToIdle();
    void EnterBlackScreen();
    // Deletes the newest object; returns how many are left.
    int RemoveLastObject();
    CLMObject* GetLastObject() const;
    void BeginMove();
    void EndMove();
    bool IsAnchorUnset() const { return m_anchorPoint.x == kUnset && m_anchorPoint.y == kUnset; }

    void BeginPenStroke();
    void ContinuePenStroke(int x, int y);
    void EndPenStroke();
    void BeginHighlightStroke();
    void ContinueHighlightStroke(int x, int y);
    void EndHighlightStroke();
    CLMPen* GetLastPen() const;
    CLMHighlightPen* GetLastHighlightPen() const;

    CLMSpotLight* FindSpotZoom() const;
    void AddSpotZoom();
    void RemoveSpotZoom();
    void TrackSpotZoom(bool mayRepaint);

    void AddStamp();
    void FreezeStamps();
    void ThawStamps();

    const std::vector<CLMObject*>& Objects() const { return m_objects; }

    // Read and written by the main frame as well.
    int m_state = kIdle;
    POINT m_anchorPoint = {kUnset, kUnset};
    RECT m_anchorRect = {0, 0, 0, 0};
    int m_pendingKey = 0;

    BEGIN_MSG_MAP(CLumoraView)
        MSG_WM_CREATE(OnCreate)
        MSG_WM_PAINT(OnPaint)
        MSG_WM_MOUSEMOVE(OnMouseMove)
        MSG_WM_LBUTTONDOWN(OnLButtonDown)
        MSG_WM_LBUTTONUP(OnLButtonUp)
        MSG_WM_RBUTTONDOWN(OnRButtonDown)
        MESSAGE_HANDLER(WM_ACTIVATE, OnActivateOrFocus)
        MESSAGE_HANDLER(WM_SETFOCUS, OnActivateOrFocus)
        MSG_WM_MOUSEACTIVATE(OnMouseActivate)
        MSG_WM_DESTROY(OnDestroy)
        MESSAGE_HANDLER(WM_CTLCOLORDLG, OnCtlColorDlg)
    END_MSG_MAP()

private:
    int OnCreate(LPCREATESTRUCTW cs);
    void OnPaint();
    void OnMouseMove(UINT flags, POINT point);
    void OnLButtonDown(UINT, POINT) { BeginMove(); }
    void OnLButtonUp(UINT, POINT) { EndMove(); }
    void OnRButtonDown(UINT, POINT);
    LRESULT OnActivateOrFocus(UINT, WPARAM, LPARAM, BOOL&);
    int OnMouseActivate(HWND, UINT, UINT);
    void OnDestroy();
    LRESULT OnCtlColorDlg(UINT, WPARAM, LPARAM, BOOL&);

    void CaptureScreen();
    void ReturnFocus();
    void MoveLastObject(bool mayRepaint);
    void Compose(HDC target, const RECT& client);
    void InvalidateWidened(RECT rect, int by);
    template <class Stroke>
    void ContinueStroke(Stroke* stroke, LPCWSTR section, int cursorOffset, int x, int y);
    void EndStroke(CLMPenBase* stroke);
    int CurrentFunction() const;

    CMainFrame& m_frame;
    HWND m_focusReturn = nullptr;
    HBITMAP m_screenImage = nullptr;
    SIZE m_screenSize = {0, 0};
    POINT m_lastCursor = {kUnset, kUnset};
    HWND m_restoreForeground = nullptr;
    HWND m_restoreActive = nullptr;
    HWND m_restoreFocus = nullptr;
    std::vector<CLMObject*> m_objects;  // owned, oldest first

    // When a move last repainted; shared by every overlay of the process.
    static DWORD s_lastMoveTick;
};
