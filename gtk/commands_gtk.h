// Menu commands that open something of their own: the Save As chooser, the
// options dialog, the help pages.
#pragma once

// File > Save as BMP: asks for a name and writes the canvas there.
void SaveCanvasAsBmp();

// File > Options: the modal options dialog over the live options.
void RunOptionsDialog();

// Opens a help topic ("scrivlet.htm", "scrivlet.htm#Options") in the
// desktop's browser.
void ShowHelpTopic(const char* topic);
