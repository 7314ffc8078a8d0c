// The words both programs show, in English: the window titles, the menus,
// the options dialog, the file choosers, the messages and the about box.
// English is the source of every translation: the resource script holds
// these texts (menus, dialog and string table), gettext's template is
// extracted from it, and each language's catalogue in po/ translates them.
// They are plain macros so that the resource script can read them. '&'
// marks a menu item's mnemonic letter; "{name}" marks a value filled in
// when the text is shown.
#pragma once

#define TEXT_TITLE_PLAIN "Scrivlet"
#define TEXT_TITLE_CONFINED "Scrivlet. (Alt-F - menu)"

// The popup titles and the Help items carry no mnemonic in English: the
// window matches a typed letter against a title's first letter itself. A
// translation may mark a letter with '&' (a title in a script that no Latin
// key types has to), and that letter then opens it.
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
#define TEXT_ABOUT "Scrivlet. Version {version}\n\nhello@scrivlet.org"

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

#define TEXT_PRESET_0_6_MONTHS "0-6 months"
#define TEXT_PRESET_6_12_MONTHS "6-12 months"
#define TEXT_PRESET_12_24_MONTHS "12-24 months"
#define TEXT_PRESET_24_MONTHS_AND_UP "24 months and up"

#define TEXT_CHOOSE_SOUND_TITLE "Choose audio file"
#define TEXT_CHOOSE_PICTURE_TITLE "Choose filename to save the image"
#define TEXT_FILTER_SOUNDS "WAV Files"
#define TEXT_FILTER_PICTURES "Bitmap Files"
#define TEXT_FILTER_ALL "All Files"
#define TEXT_REPLACE_FILE "{path} already exists.\nDo you want to replace it?"

#define TEXT_SAVE_FAILED_TITLE "Picture not saved"
#define TEXT_SAVE_FAILED                                                                                     \
    "The picture was not saved as\n\n{path}\n\nbecause {reason}.\n\nNothing there has changed, and the " \
    "picture is still on the screen. Try File > Save as BMP again, perhaps in another folder."
#define TEXT_REASON_DISK_FULL "the disk is full"
#define TEXT_REASON_NOT_WRITABLE "this folder cannot be written to"
#define TEXT_REASON_NO_FOLDER "the folder does not exist"
#define TEXT_REASON_IN_USE "the file already there is read-only or open in another program"
#define TEXT_REASON_NAME_TOO_LONG "the name of the file or its folder is too long"
#define TEXT_REASON_IS_FOLDER "there is a folder of that name"
#define TEXT_REASON_OTHER "the file could not be written"
// The installer's last page, beside its check box that starts the toy.
#define TEXT_INSTALLER_RUN "Start Scrivlet now"

// A chosen file whose name the program cannot keep (Windows keeps the
// names in the ANSI code page, which may lack some of its letters).
#define TEXT_NAME_NOT_KEPT                                                                            \
    "Scrivlet cannot use the name\n\n{path}\n\nbecause some of its letters cannot be kept on this " \
    "computer. Please choose a name or folder with other letters."
#define TEXT_REASON_NO_PICTURE "the computer could not copy the picture (it may be short of memory)"
