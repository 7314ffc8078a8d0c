// Where the native program finds the files it reads, and where its Save
// chooser first opens. Installed, the program lives in PREFIX/bin and its
// files in PREFIX/share/scrivlet (/usr, or a parent's ~/.local); in the
// build tree they lie beside it. A desktop launcher starts it in the home
// folder, so the current folder tells nothing. The Windows program keeps its
// own rule: everything is looked for in the folder current at start-up.
#pragma once

#include <functional>
#include <optional>
#include <string>

// Whether a readable file is at a path; the shell asks its file system.
using FileExists = std::function<bool(const std::string& path)>;

// The folder under an installation prefix that holds the program's files.
constexpr char kInstalledDataFolder[] = "share/scrivlet";

// The path of the data file `name` ("key.wav", "help/scrivlet.htm") for the
// program at `programPath` (its own absolute path): PREFIX/share/scrivlet
// when the program is PREFIX/bin/scrivlet and the file is there, else the
// program's own folder when the file is there, else nothing.
std::optional<std::string> FindDataFile(const std::string& programPath, const std::string& name,
                                        const FileExists& exists);

// The help page `page` ("scrivlet.htm", or "de/scrivlet.htm" in a
// language's folder) among the data files, under help/: a language's page
// that is missing gives way to the English page, so that the help opens
// in English rather than not at all.
std::optional<std::string> FindHelpPage(const std::string& programPath, const std::string& page,
                                        const FileExists& exists);

// The folder gettext reads the catalogue of `language` ("de") from, the
// one that holds LL/LC_MESSAGES/scrivlet.mo: PREFIX/share/locale when the
// program is PREFIX/bin/scrivlet and the catalogue is there, else "locale"
// in the program's own folder when it is there, else nothing.
std::optional<std::string> FindLocaleFolder(const std::string& programPath, const std::string& language,
                                            const FileExists& exists);

// The file the key sound plays for the option's text: a bare or relative
// name is one of the program's data files when it is one (so the default
// "key.wav" plays the installed sound wherever the program was started),
// and otherwise the text as it is, relative to the current folder. An
// absolute name, as the chooser gives, is always the text itself.
std::string KeySoundFile(const std::string& text, const std::string& programPath, const FileExists& exists);

// The folder the Save chooser opens in: where the last one ended, and the
// first time in a run the user's pictures folder (XDG_PICTURES_DIR) when
// there is one, else the home folder. Empty leaves the chooser its own
// choice.
std::string SaveChooserFolder(const std::string& lastFolder, const std::string& picturesFolder,
                              const std::string& homeFolder, const FileExists& isFolder);
