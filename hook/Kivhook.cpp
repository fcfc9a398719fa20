// Placeholder exports until the hook library lands.
#define KIVHOOK_BUILD
#include "Kivhook.h"

KIVHOOK_API int __stdcall JLOD_SetHWND(HWND) { return 1; }
KIVHOOK_API int __cdecl JLOD_HookMouse() { return 1; }
KIVHOOK_API int __cdecl JLOD_UnHookMouse() { return 1; }
KIVHOOK_API int __stdcall JLHookMouse(HWND) { return 1; }
KIVHOOK_API int __cdecl JLUnHookMouse() { return 1; }
KIVHOOK_API int __cdecl SetHMData(int, int, int, int, int, int, int) { return 1; }
KIVHOOK_API void __cdecl EnableRightMouseButton(int) {}
KIVHOOK_API int __cdecl SendHaptic() { return 0; }
