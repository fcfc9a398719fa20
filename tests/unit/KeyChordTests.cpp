// KeyChord: which key events become device commands, which are swallowed,
// and how the chord-in-progress flag moves.
#include "hook/KeyChord.h"

#include <gtest/gtest.h>

namespace {

using KeyChord::FlagChange;

TEST(KeyChordTest, TranslatesEachKeyEvent)
{
    struct Case {
        const char* name;
        UINT message;
        DWORD key;
        bool modifiers;
        bool send;
        int wParam, lParam;
        bool swallow;
        FlagChange flag;
    };
    const Case cases[] = {
        {"chord 1", WM_SYSKEYDOWN, '1', true, true, 0x20, 1, true, FlagChange::Set},
        {"chord 8", WM_KEYDOWN, '8', true, true, 0x20, 8, true, FlagChange::Set},
        {"chord 9 closes", WM_SYSKEYDOWN, '9', true, true, -1, -1, true, FlagChange::Set},
        {"chord 0 acknowledges", WM_SYSKEYDOWN, '0', true, true, -2, -2, true, FlagChange::Set},
        {"digit without the chord", WM_KEYDOWN, '5', false, false, 0, 0, false, FlagChange::Keep},
        {"keypad 5 is not a digit key", WM_SYSKEYDOWN, VK_NUMPAD5, true, false, 0, 0, false,
         FlagChange::Keep},
        {"below the digits", WM_SYSKEYDOWN, '0' - 1, true, false, 0, 0, false, FlagChange::Keep},
        {"above the digits", WM_SYSKEYDOWN, '9' + 1, true, false, 0, 0, false, FlagChange::Keep},
        {"page down pressed", WM_KEYDOWN, VK_NEXT, false, false, 0, 0, false, FlagChange::Keep},
        {"any release with the chord", WM_SYSKEYUP, 'A', true, true, 0, 0, false,
         FlagChange::Clear},
        {"page down released", WM_KEYUP, VK_NEXT, false, true, -1, -1, false, FlagChange::Clear},
        {"page up released", WM_KEYUP, VK_PRIOR, false, true, -1, -1, false, FlagChange::Clear},
        {"page up released with the chord", WM_SYSKEYUP, VK_PRIOR, true, true, 0, 0, false,
         FlagChange::Clear},
        {"other release", WM_KEYUP, '5', false, false, 0, 0, false, FlagChange::Clear},
        {"not a key message", WM_CHAR, '5', true, false, 0, 0, false, FlagChange::Keep},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        KeyChord::Outcome outcome = KeyChord::Translate(c.message, c.key, c.modifiers);
        EXPECT_EQ(c.send, outcome.send);
        if (c.send) {
            EXPECT_EQ(c.wParam, outcome.wParam);
            EXPECT_EQ(c.lParam, outcome.lParam);
        }
        EXPECT_EQ(c.swallow, outcome.swallow);
        EXPECT_EQ(c.flag, outcome.chordFlag);
    }
}

TEST(KeyChordTest, ChordEndsAtItsFirstKeyUpEvenAfterAModifierWentUpFirst)
{
    KeyChord::Outcome digitUp = KeyChord::Translate(WM_KEYUP, '5', false, true);
    EXPECT_TRUE(digitUp.send);
    EXPECT_EQ(0, digitUp.wParam);
    EXPECT_EQ(0, digitUp.lParam);
    EXPECT_EQ(FlagChange::Clear, digitUp.chordFlag);

    KeyChord::Outcome noChord = KeyChord::Translate(WM_KEYUP, '5', false, false);
    EXPECT_FALSE(noChord.send);
}

TEST(KeyChordTest, ModifiersAreReadOnlyForDigitKeyDownsAndKeyUps)
{
    EXPECT_TRUE(KeyChord::NeedsModifiers(WM_KEYDOWN, '0'));
    EXPECT_TRUE(KeyChord::NeedsModifiers(WM_SYSKEYDOWN, '9'));
    EXPECT_FALSE(KeyChord::NeedsModifiers(WM_KEYDOWN, 'A'));
    EXPECT_FALSE(KeyChord::NeedsModifiers(WM_SYSKEYDOWN, VK_NUMPAD5));
    EXPECT_TRUE(KeyChord::NeedsModifiers(WM_KEYUP, 'A'));
    EXPECT_TRUE(KeyChord::NeedsModifiers(WM_SYSKEYUP, VK_NEXT));
}

}  // namespace
