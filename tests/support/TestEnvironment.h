// What every test program shares: the application object that names the
// settings root (HKCU\Software\KVX\lumora2) and small helpers for waiting.
#pragma once

#include <windows.h>

#include <functional>

// Deletes the whole settings tree of the program.
void ClearSettings();

// Pumps this thread's messages until condition() holds or timeoutMs passed;
// returns the last value of condition().
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs);

// Pumps this thread's messages for about ms milliseconds.
void PumpMessagesFor(DWORD ms);
