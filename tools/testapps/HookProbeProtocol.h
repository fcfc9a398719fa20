// How tests drive hookprobe.exe, an ordinary program that Kivhook's global
// hooks reach. Started as "hookprobe.exe <tag> [quit]", it creates a hidden
// control window of class kControlClass titled kTitlePrefix + tag (with
// "quit" it ends right after that), then answers these messages sent to the
// control window; each returns its result as the message's result.
#pragma once

#include <windows.h>

namespace HookProbe {

const wchar_t kControlClass[] = L"HookProbeControl";
const wchar_t kTitlePrefix[] = L"hookprobe ";

enum Command : UINT {
    // Opens a visible top-level window; returns its handle.
    kOpenTopLevel = WM_APP + 1,
    // Opens a modeless dialog, owned by the control window when wParam is 1;
    // returns its handle.
    kOpenDialog,
    // Creates a visible window of class kActivationClasses[wParam], tries to
    // activate and focus it, destroys it; returns kActive | kFocused as reached.
    kTryActivate,
    // Drops one reference to Kivhook.dll, as the system does when the hooks go
    // away; returns 1 when the library was loaded.
    kReleaseKivhook,
    // Returns 1 while Kivhook.dll is loaded in the probe.
    kIsKivhookLoaded,
};

// Class names are case-insensitive within a process, so the near misses
// differ in length.
const wchar_t* const kActivationClasses[] = {L"lumoraKey", L"lumoraKeyboard", L"lumoraKe"};
const int kActivationClassCount = 3;

const LRESULT kActive = 1;
const LRESULT kFocused = 2;

}  // namespace HookProbe
