// Kivhook.dll: the exports the main program calls and the library's entry
// point. The work is in KivhookCore.
#define KIVHOOK_BUILD
#include "Kivhook.h"

#include "KivhookCore.h"

namespace {

HINSTANCE g_instance = nullptr;

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved)
{
    if (reason == DLL_PROCESS_ATTACH) {
        g_instance = instance;
        ::DisableThreadLibraryCalls(instance);
    } else if (reason == DLL_PROCESS_DETACH && reserved == nullptr) {
        // Unloaded while the process goes on. When the process ends, the
        // haptic output is left to the system: its other threads are gone.
        Kivhook::ReleaseOutput();
    }
    return TRUE;
}

KIVHOOK_API int __stdcall JLOD_SetHWND(HWND target)
{
    Kivhook::SetTarget(target);
    return 1;
}

KIVHOOK_API int __cdecl JLOD_HookMouse()
{
    return Kivhook::InstallHooks(g_instance);
}

KIVHOOK_API int __cdecl JLOD_UnHookMouse()
{
    Kivhook::RemoveHooks();
    return 1;
}

KIVHOOK_API int __stdcall JLHookMouse(HWND guarded)
{
    Kivhook::SetGuardedWindow(guarded);
    return 1;
}

KIVHOOK_API int __cdecl JLUnHookMouse()
{
    Kivhook::SetGuardedWindow(nullptr);
    return 1;
}

KIVHOOK_API int __cdecl SetHMData(int enableHaptic, int pulseOnLink, int pulseOnNewWindow,
                                  int pulseOnClose, int pulseOnResize, int volume, int length)
{
    Kivhook::SetHapticSettings(enableHaptic, pulseOnLink, pulseOnNewWindow, pulseOnClose,
                               pulseOnResize, volume, length);
    return 1;
}

KIVHOOK_API void __cdecl EnableRightMouseButton(int enable)
{
    Kivhook::SetRightButtonEnabled(enable != 0);
}

KIVHOOK_API int __cdecl SendHaptic()
{
    return Kivhook::SendPulse();
}
