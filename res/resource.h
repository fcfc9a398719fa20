// Resource identifiers, shared by the resource scripts of every language and
// by the code. The numbers are fixed: other programs and stored files rely on
// the menu commands, and the scripts of all three languages use these names.
#pragma once

// Icons, cursors, bitmaps
#define IDR_MAINFRAME 130
#define IDC_LASER_CURSOR 141
#define IDC_PEN_CURSOR 171
#define IDB_EMBLEM 198

// Strings
#define IDS_INDICATOR_FONT 102
#define IDS_FINISH_PROMPT 178
#define IDS_APP_TITLE 57344

// Menu commands
#define ID_APP_EXIT_CMD 32772
