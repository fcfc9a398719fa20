// hookprobe.exe: a small program for the tests of Kivhook's global hooks to
// run in a process of its own (see HookProbeProtocol.h). Test code only.
#include "HookProbeProtocol.h"

#include <objbase.h>
#include <shellapi.h>

#include <string>

namespace {

const wchar_t kTopLevelClass[] = L"HookProbeTopLevel";

// A dialog template without controls, DWORD-aligned as the system wants it.
struct DialogTemplate {
    alignas(4) WORD words[32];
};

DialogTemplate MakeDialogTemplate()
{
    DialogTemplate result = {};
    WORD* w = result.words;
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE | DS_MODALFRAME;
    *w++ = LOWORD(style);
    *w++ = HIWORD(style);
    *w++ = 0;  // extended style
    *w++ = 0;
    *w++ = 0;  // no controls
    *w++ = 20;  // x, y, cx, cy in dialog units
    *w++ = 20;
    *w++ = 160;
    *w++ = 60;
    *w++ = 0;  // no menu
    *w++ = 0;  // the standard dialog class
    for (const wchar_t* title = L"Probe dialog"; *title != 0; ++title)
        *w++ = static_cast<WORD>(*title);
    *w = 0;
    return result;
}

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM, LPARAM)
{
    if (message == WM_INITDIALOG)
        return TRUE;
    if (message == WM_CLOSE) {
        ::DestroyWindow(dialog);
        return TRUE;
    }
    return FALSE;
}

LRESULT TryActivate(WPARAM which)
{
    if (which >= static_cast<WPARAM>(HookProbe::kActivationClassCount))
        return 0;
    HWND window = ::CreateWindowExW(0, HookProbe::kActivationClasses[which], L"Probe activation",
                                    WS_OVERLAPPEDWINDOW | WS_VISIBLE, 300, 300, 240, 160,
                                    nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    if (window == nullptr)
        return 0;
    ::SetForegroundWindow(window);
    ::SetActiveWindow(window);
    ::SetFocus(window);
    LRESULT reached = (::GetActiveWindow() == window ? HookProbe::kActive : 0) |
                      (::GetFocus() == window ? HookProbe::kFocused : 0);
    ::DestroyWindow(window);
    return reached;
}

LRESULT CALLBACK ControlProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam)
{
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    switch (message) {
    case HookProbe::kOpenTopLevel:
        return reinterpret_cast<LRESULT>(
            ::CreateWindowExW(0, kTopLevelClass, L"Probe window", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                              120, 120, 320, 200, nullptr, nullptr, instance, nullptr));
    case HookProbe::kOpenDialog: {
        static const DialogTemplate dialogTemplate = MakeDialogTemplate();
        return reinterpret_cast<LRESULT>(::CreateDialogIndirectParamW(
            instance, reinterpret_cast<const DLGTEMPLATE*>(dialogTemplate.words),
            wParam == 1 ? control : nullptr, DialogProc, 0));
    }
    case HookProbe::kTryActivate:
        return TryActivate(wParam);
    case HookProbe::kReleaseKivhook: {
        HMODULE library = ::GetModuleHandleW(L"Kivhook.dll");
        if (library == nullptr)
            return 0;
        ::FreeLibrary(library);
        return 1;
    }
    case HookProbe::kIsKivhookLoaded:
        return ::GetModuleHandleW(L"Kivhook.dll") != nullptr ? 1 : 0;
    case WM_DESTROY:
        ::PostQuitMessage(0);
        return 0;
    }
    return ::DefWindowProcW(control, message, wParam, lParam);
}

void RegisterClasses(HINSTANCE instance)
{
    WNDCLASSW wc = {};
    wc.hInstance = instance;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
    wc.lpfnWndProc = ControlProc;
    wc.lpszClassName = HookProbe::kControlClass;
    ::RegisterClassW(&wc);
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.lpszClassName = kTopLevelClass;
    ::RegisterClassW(&wc);
    for (const wchar_t* name : HookProbe::kActivationClasses) {
        wc.lpszClassName = name;
        ::RegisterClassW(&wc);
    }
}

// A crash ends the probe at once instead of starting a debugger; the tests
// see it as a probe that no longer runs.
LONG WINAPI EndOnCrash(EXCEPTION_POINTERS*)
{
    ::TerminateProcess(::GetCurrentProcess(), 3);
    return EXCEPTION_EXECUTE_HANDLER;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    ::SetUnhandledExceptionFilter(EndOnCrash);
    int argc = 0;
    wchar_t** argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
    if (argv == nullptr || argc < 2)
        return 2;
    std::wstring title = std::wstring(HookProbe::kTitlePrefix) + argv[1];
    bool quit = argc > 2 && std::wstring(argv[2]) == L"quit";
    ::LocalFree(argv);

    // Wine makes this thread's COM window when the first window is
    // activated, and reports it as a new top-level window; made now, it
    // belongs to the probe's start.
    ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    RegisterClasses(instance);
    HWND control = ::CreateWindowExW(0, HookProbe::kControlClass, title.c_str(),
                                     WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                                     instance, nullptr);
    if (control == nullptr)
        return 1;
    if (quit) {
        ::DestroyWindow(control);
        return 0;
    }
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return 0;
}
