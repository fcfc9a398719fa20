#include "DeviceCommand.h"

using namespace DeviceButton;

CDeviceCommandDecoder::Actions CDeviceCommandDecoder::Decode(int wParam, int lParam)
{
    Actions actions;
    if (wParam == -2 && lParam == -2) {
        actions.Add(DeviceAction::AcknowledgeAlarms);
        return actions;
    }
    if (wParam == -1 && lParam == -1) {
        actions.Add(DeviceAction::SendCommandReport);
        actions.Add(DeviceAction::CloseTools);
        return actions;
    }
    if (wParam == -1 && lParam == 0) {
        actions.Add(DeviceAction::UndoOrClose);
        return actions;
    }

    // A held chord repeats its command; only a change of the buttons counts.
    if (wParam == static_cast<int>(m_lastButtons))
        return actions;
    m_lastButtons = static_cast<unsigned char>(wParam);

    const bool function = (wParam & kFunction) != 0;
    const bool keyboard = (wParam & kKeyboard) != 0;
    const bool favorite = (wParam & kFavorite) != 0;
    if (function && keyboard)
        return actions;

    if (lParam >= 1 && lParam <= 6) {
        actions.Add(DeviceAction::SelectFunction, lParam - 1);
    } else if (lParam == 7) {
        actions.Add(DeviceAction::LaunchKeyboard);
        return actions;
    } else if (lParam == 8) {
        actions.Add(DeviceAction::ToggleBlackScreen);
        return actions;
    }

    if (function && favorite) {
        actions.Add(DeviceAction::ShowIndicatorEmblem);
        return actions;
    }

    if (function) {
        actions.Add(DeviceAction::StartFunction);
        m_functionHeld = true;
    } else if (m_functionHeld) {
        m_functionHeld = false;
        actions.Add(DeviceAction::StopFunction);
    }

    if (wParam & kNextPage) {
        m_nextPageHeld = true;
        actions.Add(DeviceAction::NextPage);
    } else {
        m_nextPageHeld = false;
    }

    if (wParam & kPreviousPage) {
        m_previousPageHeld = true;
        actions.Add(DeviceAction::PreviousPage);
    } else {
        m_previousPageHeld = false;
    }

    if (wParam & kMove) {
        m_moveHeld = true;
        actions.Add(DeviceAction::BeginMoving);
    } else if (m_moveHeld) {
        m_moveHeld = false;
        actions.Add(DeviceAction::EndMoving);
    }

    if (wParam & kBack) {
        m_backHeld = true;
    } else if (m_backHeld) {
        m_backHeld = false;
        actions.Add(DeviceAction::Back);
    }

    if (keyboard && favorite)
        actions.Add(DeviceAction::CloseTools);
    else if (wParam & kSpare)
        ;  // the spare button suppresses the keyboard and favourite buttons
    else if (keyboard)
        actions.Add(DeviceAction::LaunchKeyboard);
    else if (favorite)
        actions.Add(DeviceAction::FavoriteStep);
    return actions;
}
