// Window messages between the parts of the program, all WM_USER + n.
#pragma once

#include "hook/Kivhook.h"  // WM_DEVICE_COMMAND, WM_LINK_HOVER

const UINT WM_TRAY_NOTIFY = WM_USER + 50;        // 1074, from the shell's tray icon
const UINT WM_LASER_SHOWN = WM_USER + 81;        // 1105, the laser beam to itself
const UINT WM_SHOW_SELECTOR = WM_USER + 222;     // 1246, from other programs
const UINT WM_RESTORE_FOCUS = WM_USER + 224;     // 1248, from other programs
const UINT WM_LASER_STOPPED = WM_USER + 300;     // 1324, the laser beam stopped
const UINT WM_UNDO_ANNOTATION = WM_USER + 301;   // 1325, right button on the overlay
const UINT WM_INJECT_KEY = WM_USER + 302;        // 1326, wParam: virtual-key code

// Menu commands of the tray menu.
const UINT ID_APP_EXIT = 32772;
const UINT ID_OPTIONS = 32773;
const UINT ID_APP_ABOUT = 32775;

// Timers of the main frame.
const UINT_PTR kAlarmTimer = 1;
const UINT_PTR kTaskbarTimer = 2;
