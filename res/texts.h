// The words both programs show: the window titles, the menus, the options
// dialog, the file choosers and the about box. The resource script and the
// code both read them from here, so they are plain macros. '&' marks a
// menu item's mnemonic letter.
#pragma once

#include "version.h"

#define TEXT_TITLE_PLAIN "Scrivlet"
#define TEXT_TITLE_CONFINED "Scrivlet. (Alt-F - menu)"

#define TEXT_MENU_FILE "File"
#define TEXT_MENU_SAVE_BMP "&Save as BMP"
#define TEXT_MENU_OPTIONS "&Options"
#define TEXT_MENU_EXIT "E&xit"
#define TEXT_MENU_EDIT "Edit"
#define TEXT_MENU_CLEAR "&Clear"
#define TEXT_MENU_HELP "Help"
#define TEXT_MENU_ABOUT "About"
#define TEXT_MENU_CONTENTS "Contents"

#define TEXT_ABOUT_TITLE "About"
#define TEXT_ABOUT "Scrivlet. Version " SCRIVLET_VERSION "\n\nhello@scrivlet.org"

#define TEXT_OPTIONS_TITLE "Scrivlet options"
#define TEXT_OPTIONS_PRESETS "Presets"
#define TEXT_OPTIONS_DRAW_WHEN_MOUSE_MOVES "Draw when mouse moves"
// The trailing space is the dialog's own.
#define TEXT_OPTIONS_ERASE_WITH_RIGHT_BUTTON "Erase with right button "
#define TEXT_OPTIONS_DRAW_WITH_BLACK_MARGINS "Draw with black margins"
#define TEXT_OPTIONS_AUTO_DRAW "Auto draw"
#define TEXT_OPTIONS_CLIP_MOUSE_POINTER "Clip mouse pointer"
#define TEXT_OPTIONS_KEY_SOUND "Key sound"
#define TEXT_OPTIONS_KEY_SOUND_ENABLE "Enable"
#define TEXT_OPTIONS_SOUND_FILE "Sound file"
#define TEXT_OPTIONS_BROWSE "..."
#define TEXT_OK "OK"
#define TEXT_CANCEL "Cancel"
#define TEXT_HELP "Help"

#define TEXT_CHOOSE_SOUND_TITLE "Choose audio file"
#define TEXT_CHOOSE_PICTURE_TITLE "Choose filename to save the image"
#define TEXT_FILTER_SOUNDS "WAV Files"
#define TEXT_FILTER_PICTURES "Bitmap Files"
#define TEXT_FILTER_ALL "All Files"
