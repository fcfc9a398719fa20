// The inside of Kivhook.dll: the five hook procedures, the settings they
// share across processes, and the per-process haptic output. Kivhook.cpp
// exports these operations; the benchmark links them directly to time the
// procedures.
//
// The low-level keyboard and mouse hooks run in the main program, on a
// thread of their own that the library starts when it installs them, and
// post their messages to the target window, so they return at once. The CBT, shell and call-window-procedure hooks run
// inside every hooked program, on its threads: their common path compares a
// few values and neither allocates nor blocks.
#pragma once

#include <windows.h>

namespace Kivhook {

// Installs the mouse, keyboard, CBT, call-window-procedure and shell hooks
// for the whole desktop, with module as the library that holds them.
// 0 when the system version cannot be read (nothing is installed), else 1.
int InstallHooks(HINSTANCE module);
// Removes the hooks this process installed.
void RemoveHooks();

// The shared settings (one copy for every process that loads the library).
void SetTarget(HWND target);
void SetGuardedWindow(HWND guarded);
void SetHapticSettings(int enabled, int pulseOnLink, int pulseOnNewWindow, int pulseOnClose,
                       int pulseOnResize, int volume, int length);
void SetRightButtonEnabled(bool enabled);

// Sends one pulse through this process's haptic output; 0 while a device
// chord is held or when the receiver did not take it.
int SendPulse();
// Destroys this process's haptic output, if it was ever made.
void ReleaseOutput();

LRESULT CALLBACK KeyboardProc(int code, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK MouseProc(int code, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK CbtProc(int code, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK CallWndProc(int code, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK ShellProc(int code, WPARAM wParam, LPARAM lParam);

}  // namespace Kivhook
