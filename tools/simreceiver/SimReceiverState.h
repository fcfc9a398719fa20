// The shared state of the simulated receiver, kept in files so that every
// process of a test (the test itself, Presvia.exe, hooked programs) sees the
// same receiver. The folder is %SIMRECEIVER_DIR%, or C:\simreceiver.
//
//   devices.txt  the HID interfaces present, one device path a line, in
//                enumeration order; a receiver path opens a file of the same
//                name in the prefix's dosdevices folder (Wine maps \\?\name there)
//   refuse       while it exists, every feature report is refused
//   reports.log  every accepted report: "<device path> <18 hex digits>\n"
//
// Test code only: the program's own code is the same as for a real receiver.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace SimReceiver {

std::wstring StateFolder();
std::wstring StateFile(const wchar_t* name);
std::vector<std::wstring> ListedDevices();
// The whole content of a file, shared with its writers; empty when it cannot be read.
std::string ReadWholeFile(const std::wstring& path);

}  // namespace SimReceiver
