// Opens topics of the toy's compiled help file, scrivlet.chm, which is looked
// for in the directory that was current at start-up.
#pragma once

// Shows `topic` ("scrivlet.htm", "scrivlet.htm#Options") of the help file.
// Does nothing where the help viewer or the file cannot be had.
void ShowHelpTopic(const char* topic);
