// KeyChord: what the low-level keyboard hook does with one key event. The
// receiver sends its function buttons as Ctrl+Alt+Shift with a digit key; a
// chord's key-down becomes a device command and is swallowed, any key-up with
// the three modifiers still down ends the chord with (0, 0), and Page Up or
// Page Down released alone closes the tools. Pure logic: the hook procedure
// reads the key state and carries out the outcome.
#pragma once

#include <windows.h>

namespace KeyChord {

enum class FlagChange { Keep, Set, Clear };

struct Outcome {
    bool send = false;  // post (wParam, lParam) as a device command
    int wParam = 0;
    int lParam = 0;
    bool swallow = false;  // no window sees the key
    FlagChange chordFlag = FlagChange::Keep;
};

// Whether the outcome depends on the modifiers: key-downs only matter for the
// digit keys, so the common path of the hook reads no key state.
bool NeedsModifiers(UINT message, DWORD virtualKey);

// message: WM_KEYDOWN, WM_SYSKEYDOWN, WM_KEYUP or WM_SYSKEYUP (others change nothing);
// chordModifiersDown: Ctrl, Alt and Shift are all down; chordInProgress: a
// chord's key went down and no key has gone up since.
Outcome Translate(UINT message, DWORD virtualKey, bool chordModifiersDown,
                  bool chordInProgress = false);

}  // namespace KeyChord
