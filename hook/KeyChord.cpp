#include "KeyChord.h"

namespace KeyChord {

namespace {

const int kFunctionButton = 0x20;

bool IsKeyDown(UINT message)
{
    return message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
}

bool IsKeyUp(UINT message)
{
    return message == WM_KEYUP || message == WM_SYSKEYUP;
}

// Only the main keyboard's digit row counts; the keypad's digits are other keys.
bool IsDigitKey(DWORD virtualKey)
{
    return virtualKey >= '0' && virtualKey <= '9';
}

}  // namespace

bool NeedsModifiers(UINT message, DWORD virtualKey)
{
    return IsKeyUp(message) || (IsKeyDown(message) && IsDigitKey(virtualKey));
}

Outcome Translate(UINT message, DWORD virtualKey, bool chordModifiersDown, bool chordInProgress)
{
    Outcome outcome;
    if (IsKeyDown(message)) {
        if (!chordModifiersDown || !IsDigitKey(virtualKey))
            return outcome;
        outcome.send = true;
        outcome.swallow = true;
        outcome.chordFlag = FlagChange::Set;
        if (virtualKey == '9') {
            outcome.wParam = -1;
            outcome.lParam = -1;
        } else if (virtualKey == '0') {
            outcome.wParam = -2;
            outcome.lParam = -2;
        } else {
            outcome.wParam = kFunctionButton;
            outcome.lParam = static_cast<int>(virtualKey - '0');
        }
    } else if (IsKeyUp(message)) {
        outcome.chordFlag = FlagChange::Clear;
        // A chord ends at its first key-up, also when a modifier's release got
        // ahead of it: a lost end would leave the tool running.
        if (chordModifiersDown || chordInProgress) {
            outcome.send = true;
        } else if (virtualKey == VK_PRIOR || virtualKey == VK_NEXT) {
            outcome.send = true;
            outcome.wParam = -1;
            outcome.lParam = -1;
        }
    }
    return outcome;
}

}  // namespace KeyChord
