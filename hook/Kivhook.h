// Kivhook.dll's exports and the messages it sends to the main window.
// Only values cross between the library and the program: integers and window
// handles in, pairs of integers out as window messages.
#pragma once

#include <windows.h>

#ifdef KIVHOOK_BUILD
#define KIVHOOK_API extern "C" __declspec(dllexport)
#else
#define KIVHOOK_API extern "C" __declspec(dllimport)
#endif

// Device command: wParam and lParam are signed 32-bit values.
//   (0x20, d)  chord Ctrl+Alt+Shift+d pressed, d = 1..8 (repeats while held)
//   (-1, -1)   chord +9 pressed; or Page Up/Down released without the chord modifiers
//   (-2, -2)   chord +0 pressed
//   (0, 0)     any key released while Ctrl, Alt and Shift are down
//   (-1, 0)    right button released while the right button is disabled
const UINT WM_DEVICE_COMMAND = WM_USER + 99;  // 1123
// The cursor moved over an embedded web-browser control; no parameters.
const UINT WM_LINK_HOVER = WM_USER + 202;  // 1226

KIVHOOK_API int __stdcall JLOD_SetHWND(HWND target);
KIVHOOK_API int __cdecl JLOD_HookMouse();
KIVHOOK_API int __cdecl JLOD_UnHookMouse();
KIVHOOK_API int __stdcall JLHookMouse(HWND guarded);
KIVHOOK_API int __cdecl JLUnHookMouse();
KIVHOOK_API int __cdecl SetHMData(int enableHaptic, int pulseOnLink, int pulseOnNewWindow,
                                  int pulseOnClose, int pulseOnResize, int volume, int length);
KIVHOOK_API void __cdecl EnableRightMouseButton(int enable);
KIVHOOK_API int __cdecl SendHaptic();
