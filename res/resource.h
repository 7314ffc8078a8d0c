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
