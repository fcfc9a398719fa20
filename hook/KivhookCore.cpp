#include "KivhookCore.h"

#include "HidOutput.h"
#include "KeyChord.h"
#include "Kivhook.h"

#include <new>

// Values in this section exist once for every process that loads the
// library. Each is one aligned machine word written without locks, so a
// reader in another process sees either the old or the new value. Window
// handles are the same in every process.
#define KIVHOOK_SHARED __attribute__((section(".shared"), shared))

namespace {

KIVHOOK_SHARED volatile LONG g_hapticsEnabled = 1;
KIVHOOK_SHARED volatile LONG g_pulseOnLink = 1;
KIVHOOK_SHARED volatile LONG g_pulseOnNewWindow = 1;
KIVHOOK_SHARED volatile LONG g_pulseOnClose = 0;
KIVHOOK_SHARED volatile LONG g_pulseOnResize = 0;
KIVHOOK_SHARED volatile LONG g_volume = 0;
KIVHOOK_SHARED volatile LONG g_length = 0;  // kept for the caller; nothing here reads it
KIVHOOK_SHARED volatile LONG g_rightButtonEnabled = 1;
KIVHOOK_SHARED HWND volatile g_target = nullptr;
KIVHOOK_SHARED HWND volatile g_guarded = nullptr;

// Per process from here on.

const UINT kDialogPulseDelayMs = 1000;

// The hooks this process installed; only the main program installs any.
// The low-level hooks belong to a thread of their own that does nothing but
// pump their calls, so they return at once however long the main program
// takes over a command, and no key waits for a busy window.
HANDLE g_inputThread = nullptr;
DWORD g_inputThreadId = 0;
const DWORD kInputThreadStopMs = 2000;
HHOOK g_mouseHook = nullptr;
HHOOK g_keyboardHook = nullptr;
HHOOK g_cbtHook = nullptr;
HHOOK g_callWndProcHook = nullptr;
HHOOK g_shellHook = nullptr;

// Set while a device chord is held (only in the main program, where the
// keyboard hook runs); pulses wait until it is released.
volatile LONG g_chordInProgress = 0;

// A dialog pulses once. The shell's announcement of a new window pulses at
// once; a WM_INITDIALOG before it leaves the dialog pending for a worker that
// pulses a second later unless the announcement came meanwhile, and a
// WM_INITDIALOG after it (some systems announce unowned dialogs first) does
// nothing. The last window announced is kept for that.
SRWLOCK g_dialogLock = SRWLOCK_INIT;
HWND g_pendingDialog = nullptr;
HWND g_announcedWindow = nullptr;

POINT g_lastMousePosition = {-99999, -99999};
bool g_mouseButtonDown = false;

// Set while this process moves the taskbar: those moves send the taskbar the
// same messages again.
volatile LONG g_guardingTaskbar = 0;

INIT_ONCE g_outputOnce = INIT_ONCE_STATIC_INIT;
CHidOutput* g_output = nullptr;

BOOL CALLBACK CreateOutput(PINIT_ONCE, PVOID, PVOID*)
{
    g_output = new (std::nothrow) CHidOutput();
    return TRUE;
}

// Made on first use, never while the loader lock is held.
CHidOutput* ProcessOutput()
{
    if (!::InitOnceExecuteOnce(&g_outputOnce, CreateOutput, nullptr, nullptr))
        return nullptr;
    return g_output;
}

// The system's key state as of the events before this one. A thread's own key
// state (GetKeyState) only moves as that thread takes key messages from its
// queue, so inside the hook it can lag several events behind the keyboard.
bool IsKeyDown(int virtualKey)
{
    return (::GetAsyncKeyState(virtualKey) & 0x8000) != 0;
}

bool EitherDown(int generic, int left, int right)
{
    return IsKeyDown(generic) || IsKeyDown(left) || IsKeyDown(right);
}

bool ChordModifiersDown()
{
    return EitherDown(VK_CONTROL, VK_LCONTROL, VK_RCONTROL) &&
           EitherDown(VK_MENU, VK_LMENU, VK_RMENU) && EitherDown(VK_SHIFT, VK_LSHIFT, VK_RSHIFT);
}

// Posted, not sent: the target window lives on the thread that runs the
// low-level hooks, and the hook must return before the command is handled.
// Without a target nothing is posted (a null window would post to this thread).
void PostToTarget(UINT message, int wParam, int lParam)
{
    HWND target = g_target;
    if (target != nullptr) {
        ::PostMessageW(target, message, static_cast<WPARAM>(static_cast<INT_PTR>(wParam)),
                       static_cast<LPARAM>(lParam));
    }
}

// The window or one of its ancestors is an embedded web-browser control.
bool IsInWebBrowser(HWND window)
{
    static const wchar_t kBrowserClass[] = L"Internet Explorer_Server";
    const int kBrowserClassLength = ARRAYSIZE(kBrowserClass) - 1;
    for (; window != nullptr; window = ::GetParent(window)) {
        wchar_t name[256];
        int length = ::GetClassNameW(window, name, ARRAYSIZE(name));
        if (length == kBrowserClassLength &&
            ::CompareStringOrdinal(name, length, kBrowserClass, kBrowserClassLength, TRUE) ==
                CSTR_EQUAL)
            return true;
    }
    return false;
}

// The virtual keyboard's window, which must never take the focus.
bool IsVirtualKeyboard(HWND window)
{
    static const wchar_t kKeyboardClass[] = L"lumoraKey";
    const int kKeyboardClassLength = ARRAYSIZE(kKeyboardClass) - 1;
    wchar_t name[32];
    int length = ::GetClassNameW(window, name, ARRAYSIZE(name));
    return length == kKeyboardClassLength &&
           ::CompareStringOrdinal(name, length, kKeyboardClass, kKeyboardClassLength, FALSE) ==
               CSTR_EQUAL;
}

bool PulseOnNewWindowWanted()
{
    return g_hapticsEnabled != 0 && g_pulseOnNewWindow != 0;
}

DWORD WINAPI DialogPulseWorker(LPVOID module)
{
    ::Sleep(kDialogPulseDelayMs);
    ::AcquireSRWLockExclusive(&g_dialogLock);
    bool pending = g_pendingDialog != nullptr;
    g_pendingDialog = nullptr;
    ::ReleaseSRWLockExclusive(&g_dialogLock);
    if (pending && PulseOnNewWindowWanted())
        Kivhook::SendPulse();
    // The thread holds its own reference, so removing the hooks meanwhile
    // never unloads the code it runs.
    ::FreeLibraryAndExitThread(static_cast<HMODULE>(module), 0);
    return 0;
}

void StartDialogPulseWorker()
{
    HMODULE self = nullptr;
    if (!::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                              reinterpret_cast<LPCWSTR>(&DialogPulseWorker), &self))
        return;
    HANDLE thread = ::CreateThread(nullptr, 0, DialogPulseWorker, self, 0, nullptr);
    if (thread != nullptr)
        ::CloseHandle(thread);
    else
        ::FreeLibrary(self);
}

void OnDialogInit(HWND dialog)
{
    ::AcquireSRWLockExclusive(&g_dialogLock);
    bool announced = g_announcedWindow == dialog;
    if (announced)
        g_announcedWindow = nullptr;
    else
        g_pendingDialog = dialog;
    ::ReleaseSRWLockExclusive(&g_dialogLock);
    if (!announced)
        StartDialogPulseWorker();
}

// Keeps the taskbar below the guarded window; true when the message was the
// taskbar's and has been handled.
bool KeepTaskbarDown(HWND window)
{
    HWND taskbar = ::FindWindowW(L"Shell_TrayWnd", nullptr);
    if (taskbar == nullptr || window != taskbar)
        return false;
    if (::InterlockedCompareExchange(&g_guardingTaskbar, 1, 0) != 0)
        return false;
    const UINT kBehind = SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE;
    ::SetWindowPos(taskbar, HWND_NOTOPMOST, 0, 0, 0, 0, kBehind);
    ::SetWindowPos(taskbar, HWND_BOTTOM, 0, 0, 0, 0, kBehind);
    ::SetWindowPos(g_guarded, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    ::InterlockedExchange(&g_guardingTaskbar, 0);
    return true;
}

void Unhook(HHOOK& hook)
{
    if (hook != nullptr)
        ::UnhookWindowsHookEx(hook);
    hook = nullptr;
}

struct InputThreadStart {
    HINSTANCE module;
    HANDLE ready;
};

DWORD WINAPI InputHookThread(LPVOID param)
{
    auto* start = static_cast<InputThreadStart*>(param);
    MSG msg;
    ::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);  // the queue exists before anyone posts
    ::SetThreadPriority(::GetCurrentThread(), THREAD_PRIORITY_HIGHEST);
    g_mouseHook = ::SetWindowsHookExW(WH_MOUSE_LL, Kivhook::MouseProc, start->module, 0);
    g_keyboardHook = ::SetWindowsHookExW(WH_KEYBOARD_LL, Kivhook::KeyboardProc, start->module, 0);
    ::SetEvent(start->ready);
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return 0;
}

// Starts the thread that installs and serves the low-level hooks.
void StartInputHooks(HINSTANCE module)
{
    InputThreadStart start = {module, ::CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    if (start.ready == nullptr)
        return;
    g_inputThread = ::CreateThread(nullptr, 0, InputHookThread, &start, 0, &g_inputThreadId);
    if (g_inputThread != nullptr)
        ::WaitForSingleObject(start.ready, INFINITE);
    ::CloseHandle(start.ready);
}

void StopInputThread()
{
    if (g_inputThread == nullptr)
        return;
    ::PostThreadMessageW(g_inputThreadId, WM_QUIT, 0, 0);
    ::WaitForSingleObject(g_inputThread, kInputThreadStopMs);
    ::CloseHandle(g_inputThread);
    g_inputThread = nullptr;
    g_inputThreadId = 0;
}

}  // namespace

namespace Kivhook {

int InstallHooks(HINSTANCE module)
{
    OSVERSIONINFOW version = {};
    version.dwOSVersionInfoSize = sizeof(version);
    if (!::GetVersionExW(&version))
        return 0;
    // A second call replaces the hooks instead of doubling every event.
    RemoveHooks();
    // The low-level hooks pass the data the procedures read; older systems
    // have no such hooks and go without chords and link notifications.
    if (version.dwMajorVersion >= 5)
        StartInputHooks(module);
    g_cbtHook = ::SetWindowsHookExW(WH_CBT, CbtProc, module, 0);
    g_callWndProcHook = ::SetWindowsHookExW(WH_CALLWNDPROC, CallWndProc, module, 0);
    g_shellHook = ::SetWindowsHookExW(WH_SHELL, ShellProc, module, 0);
    return 1;
}

void RemoveHooks()
{
    Unhook(g_mouseHook);
    Unhook(g_cbtHook);
    Unhook(g_callWndProcHook);
    Unhook(g_keyboardHook);
    Unhook(g_shellHook);
    StopInputThread();
}

void SetTarget(HWND target)
{
    g_target = target;
}

void SetGuardedWindow(HWND guarded)
{
    g_guarded = guarded;
}

void SetHapticSettings(int enabled, int pulseOnLink, int pulseOnNewWindow, int pulseOnClose,
                       int pulseOnResize, int volume, int length)
{
    g_hapticsEnabled = enabled;
    g_pulseOnLink = pulseOnLink;
    g_pulseOnNewWindow = pulseOnNewWindow;
    g_pulseOnClose = pulseOnClose;
    g_pulseOnResize = pulseOnResize;
    g_volume = volume;
    g_length = length;
}

void SetRightButtonEnabled(bool enabled)
{
    g_rightButtonEnabled = enabled ? 1 : 0;
}

int SendPulse()
{
    if (g_chordInProgress != 0)
        return 0;
    CHidOutput* output = ProcessOutput();
    if (output == nullptr)
        return 0;
    const BYTE pulse[CHidOutput::kPayloadSize] = {
        0x79, 0x70, static_cast<BYTE>(g_volume & 0xFF), 0, 0, 0, 0, 0};
    return output->Send(pulse);
}

void ReleaseOutput()
{
    delete g_output;
    g_output = nullptr;
}

LRESULT CALLBACK KeyboardProc(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION) {
        UINT message = static_cast<UINT>(wParam);
        DWORD key = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam)->vkCode;
        bool modifiers = KeyChord::NeedsModifiers(message, key) && ChordModifiersDown();
        KeyChord::Outcome outcome =
            KeyChord::Translate(message, key, modifiers, g_chordInProgress != 0);
        if (outcome.chordFlag == KeyChord::FlagChange::Set)
            g_chordInProgress = 1;
        else if (outcome.chordFlag == KeyChord::FlagChange::Clear)
            g_chordInProgress = 0;
        if (outcome.send)
            PostToTarget(WM_DEVICE_COMMAND, outcome.wParam, outcome.lParam);
        if (outcome.swallow)
            return 1;
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK MouseProc(int code, WPARAM wParam, LPARAM lParam)
{
    if (code != HC_ACTION)
        return ::CallNextHookEx(nullptr, code, wParam, lParam);
    UINT message = static_cast<UINT>(wParam);
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_RBUTTONDOWN:
        g_mouseButtonDown = true;
        break;
    case WM_LBUTTONUP:
    case WM_MBUTTONUP:
    case WM_RBUTTONUP:
        g_mouseButtonDown = false;
        break;
    }
    // While the overlay is open the right button undoes; no window sees it.
    if (g_rightButtonEnabled == 0 && (message == WM_RBUTTONDOWN || message == WM_RBUTTONUP)) {
        if (message == WM_RBUTTONUP)
            PostToTarget(WM_DEVICE_COMMAND, -1, 0);
        return 1;
    }
    if (g_hapticsEnabled == 0 || g_pulseOnLink == 0)
        return ::CallNextHookEx(nullptr, code, wParam, lParam);
    POINT position = reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam)->pt;
    if (position.x == g_lastMousePosition.x && position.y == g_lastMousePosition.y)
        return ::CallNextHookEx(nullptr, code, wParam, lParam);
    g_lastMousePosition = position;
    if (message == WM_MOUSEMOVE && !g_mouseButtonDown && IsInWebBrowser(::WindowFromPoint(position)))
        PostToTarget(WM_LINK_HOVER, 0, 0);
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK CbtProc(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_ACTIVATE || code == HCBT_SETFOCUS) {
        if (IsVirtualKeyboard(reinterpret_cast<HWND>(wParam)))
            return 1;
    } else if (code == HCBT_SYSCOMMAND) {
        // The low four bits of a system command are the system's own (for
        // example the caption a double click came from).
        UINT command = static_cast<UINT>(wParam) & 0xFFF0;
        if ((command == SC_MINIMIZE || command == SC_MAXIMIZE || command == SC_RESTORE) &&
            g_target != nullptr && g_hapticsEnabled != 0 && g_pulseOnResize != 0)
            SendPulse();
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK CallWndProc(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION) {
        const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (g_guarded != nullptr &&
            (sent->message == WM_WINDOWPOSCHANGING || sent->message == WM_WINDOWPOSCHANGED) &&
            KeepTaskbarDown(sent->hwnd))
            return 1;
        if (g_target != nullptr && g_hapticsEnabled != 0) {
            if (sent->message == WM_INITDIALOG)
                OnDialogInit(sent->hwnd);
            else if (sent->message == WM_CLOSE && g_pulseOnClose != 0)
                SendPulse();
        }
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK ShellProc(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HSHELL_WINDOWCREATED && g_target != nullptr) {
        HWND window = reinterpret_cast<HWND>(wParam);
        ::AcquireSRWLockExclusive(&g_dialogLock);
        if (g_pendingDialog == window)
            g_pendingDialog = nullptr;
        else
            g_announcedWindow = window;
        ::ReleaseSRWLockExclusive(&g_dialogLock);
        if (PulseOnNewWindowWanted())
            SendPulse();
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace Kivhook
