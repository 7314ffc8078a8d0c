// Resource identifiers shared by the resource script and the program.
#pragma once

#define IDR_MAIN_MENU 101
#define IDD_OPTIONS 102
#define IDI_SCRIVLET 104

#define IDM_ABOUT 40001
#define IDM_CLEAR 40003
#define IDM_SAVE_BMP 40005
#define IDM_OPTIONS 40006
#define IDM_HELP_CONTENTS 40007
#define IDM_EXIT 65535

// Controls of the options dialog. The check boxes 1000 to 1004 show the
// first five flags in record order; 1008 shows the sixth.
#define IDC_DRAW_WHEN_MOUSE_MOVES 1000
#define IDC_ERASE_WITH_RIGHT_BUTTON 1001
#define IDC_DRAW_WITH_BLACK_MARGINS 1002
#define IDC_AUTO_DRAW 1003
#define IDC_KEY_SOUND 1004
#define IDC_SOUND_FILE 1005
#define IDC_BROWSE_SOUND 1006
#define IDC_PRESETS 1007
#define IDC_CLIP_MOUSE_POINTER 1008
#define IDC_STATIC (-1)
