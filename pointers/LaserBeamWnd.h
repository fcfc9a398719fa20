// CLaserBeamWnd: the laser-beam pointer. A small shape (circle, square, star
// or triangle) in the beam colour with a white outline, drawn at the chosen
// opacity, that replaces the mouse cursor while the laser function runs.
// The main frame creates it once, hidden, starts and stops it, and gets
// WM_LASER_STOPPED when it stops, to give the foreground back.
#pragma once

#include "DudeLBMovingWnd.h"
#include "LaserShape.h"
#include "app/Messages.h"

class CLaserBeamWnd : public CDudeLBMovingWnd {
public:
    static const UINT_PTR kNudgeTimer = 2;
    static const UINT kTimerPeriodMs = 50;

    CLaserBeamWnd();
    ~CLaserBeamWnd() override;

    // Applies a new look; the next placement applies the new size.
    void SetBeamStyle(int shapeCode, int size, COLORREF colour, int layer);

    void FollowCursor() override;
    void StartMoving() override;
    void StopMoving() override;

    bool IsActive() const { return m_active != 0; }
    int GetShapeCode() const { return m_shape.GetShapeCode(); }
    int GetBeamSize() const { return m_shape.GetBeamSize(); }
    // The opacity in use, 1..100.
    int GetLayer() const { return m_layer; }

    // The window that had the foreground when the beam started; the main
    // frame gives it back the foreground and clears it.
    HWND m_savedForeground = nullptr;

    BEGIN_MSG_MAP(CLaserBeamWnd)
        MSG_WM_CREATE(OnCreate)
        MSG_WM_PAINT(OnPaint)
        MSG_WM_TIMER(OnTimer)
        MESSAGE_HANDLER(WM_LASER_SHOWN, OnLaserShown)
        CHAIN_MSG_MAP(CDudeLBMovingWnd)
    END_MSG_MAP()

private:

    int OnCreate(LPCREATESTRUCTW cs);
    void OnPaint();
    void OnTimer(UINT_PTR id);
    LRESULT OnLaserShown(UINT, WPARAM, LPARAM, BOOL&);

    void PlaceAtCursor();
    // Moves the cursor to (x + 2, y + 2) with an absolute mouse event, then hides it.
    void Nudge(POINT cursor);
    bool LayeredWindows() const;

    HBRUSH m_brush = nullptr;
    COLORREF m_colour = RGB(255, 0, 0);
    int m_layer = 70;
    int m_shownNotice = 0;
    int m_active = 0;
    CLaserShape m_shape;
};
