// CDeviceCommandDecoder: turns a device command (wParam, lParam) into the
// ordered actions the main frame carries out. It holds the dispatcher's
// state: the last button mask, which filters the repeats of a held chord,
// and the latches of the buttons whose release does something.
#pragma once

#include <cstddef>

enum class DeviceAction {
    AcknowledgeAlarms,
    SendCommandReport,
    CloseTools,
    UndoOrClose,
    SelectFunction,  // argument: the function index
    LaunchKeyboard,
    ToggleBlackScreen,
    ShowIndicatorEmblem,
    StartFunction,
    StopFunction,
    NextPage,
    PreviousPage,
    BeginMoving,
    EndMoving,
    Back,
    FavoriteStep,
};

// Button bits of a device command's wParam.
namespace DeviceButton {
const int kMove = 0x01;
const int kBack = 0x02;
const int kSpare = 0x04;
const int kNextPage = 0x08;
const int kPreviousPage = 0x10;
const int kFunction = 0x20;
const int kKeyboard = 0x40;
const int kFavorite = 0x80;
}  // namespace DeviceButton

class CDeviceCommandDecoder {
public:
    struct Step {
        DeviceAction action;
        int argument;
    };
    // The most steps one command can produce.
    static const size_t kMaxSteps = 8;

    struct Actions {
        Step steps[kMaxSteps];
        size_t count = 0;
        void Add(DeviceAction action, int argument = 0)
        {
            if (count < kMaxSteps)
                steps[count++] = {action, argument};
        }
    };

    Actions Decode(int wParam, int lParam);

private:
    unsigned char m_lastButtons = 0;
    bool m_functionHeld = false;
    bool m_moveHeld = false;
    bool m_backHeld = false;
    bool m_nextPageHeld = false;
    bool m_previousPageHeld = false;
};
