// Where the native program finds its data files, what the key sound's text
// plays, and where the Save chooser opens, on made-up file systems.
#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <string>

#include "core/data_files.h"

namespace {

FileExists In(const std::set<std::string>& files)
{
    return [files](const std::string& path) { return files.count(path) > 0; };
}

}  // namespace

TEST(DataFiles, InstalledFilesComeFirstThenThoseBesideTheProgram)
{
    struct Case {
        const char* layout;
        std::string program;
        std::set<std::string> files;
        std::optional<std::string> found;
    };
    const Case cases[] = {
        {"installed", "/usr/bin/scrivlet", {"/usr/share/scrivlet/key.wav"}, "/usr/share/scrivlet/key.wav"},
        {"--prefix ~/.local", "/home/ann/.local/bin/scrivlet", {"/home/ann/.local/share/scrivlet/key.wav"},
         "/home/ann/.local/share/scrivlet/key.wav"},
        {"installed at the root", "/bin/scrivlet", {"/share/scrivlet/key.wav"}, "/share/scrivlet/key.wav"},
        {"build tree", "/src/build/native/scrivlet", {"/src/build/native/key.wav"}, "/src/build/native/key.wav"},
        // A copy in a bin folder of its own, with its files beside it.
        {"bin without share", "/opt/toy/bin/scrivlet", {"/opt/toy/bin/key.wav"}, "/opt/toy/bin/key.wav"},
        {"both", "/usr/bin/scrivlet", {"/usr/share/scrivlet/key.wav", "/usr/bin/key.wav"},
         "/usr/share/scrivlet/key.wav"},
        // Only a folder named exactly bin is an installation's.
        {"a folder ending in bin", "/home/ann/robin/scrivlet", {"/home/ann/share/scrivlet/key.wav"}, std::nullopt},
        {"missing", "/usr/bin/scrivlet", {"/usr/share/scrivlet/help/scrivlet.htm"}, std::nullopt},
        {"program path unknown", "", {"/key.wav", "/share/scrivlet/key.wav"}, std::nullopt},
        {"relative program path", "scrivlet", {"key.wav"}, std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FindDataFile(c.program, "key.wav", In(c.files)), c.found) << c.layout;

    EXPECT_EQ(FindDataFile("/usr/bin/scrivlet", "help/scrivlet.htm", In({"/usr/share/scrivlet/help/scrivlet.htm"})),
              "/usr/share/scrivlet/help/scrivlet.htm");
}

// A language's help page, else the English one; gettext's folder where the
// language's catalogue is.
TEST(DataFiles, HelpPagesAndCataloguesOfALanguage)
{
    const std::string de = "/usr/share/scrivlet/help/de/scrivlet.htm";
    const std::string en = "/usr/share/scrivlet/help/scrivlet.htm";
    EXPECT_EQ(FindHelpPage("/usr/bin/scrivlet", "de/scrivlet.htm", In({de, en})), de);
    EXPECT_EQ(FindHelpPage("/usr/bin/scrivlet", "de/scrivlet.htm", In({en})), en);
    EXPECT_EQ(FindHelpPage("/usr/bin/scrivlet", "scrivlet.htm", In({de, en})), en);
    EXPECT_EQ(FindHelpPage("/usr/bin/scrivlet", "de/scrivlet.htm", In({})), std::nullopt);

    const std::string installed = "/usr/share/locale/de/LC_MESSAGES/scrivlet.mo";
    const std::string built = "/src/build/locale/de/LC_MESSAGES/scrivlet.mo";
    EXPECT_EQ(FindLocaleFolder("/usr/bin/scrivlet", "de", In({installed})), "/usr/share/locale");
    EXPECT_EQ(FindLocaleFolder("/src/build/scrivlet", "de", In({built})), "/src/build/locale");
    EXPECT_EQ(FindLocaleFolder("/usr/bin/scrivlet", "ru", In({installed})), std::nullopt);
    EXPECT_EQ(FindLocaleFolder("/usr/bin/scrivlet", "", In({installed})), std::nullopt);
}

TEST(DataFiles, KeySoundTextNamesADataFileOnlyWhenOneIsThere)
{
    const FileExists installed = In({"/usr/share/scrivlet/key.wav", "/usr/share/scrivlet/sounds/pop.wav"});
    struct Case {
        std::string text;
        std::string file;
    };
    const Case cases[] = {
        {"key.wav", "/usr/share/scrivlet/key.wav"},
        {"sounds/pop.wav", "/usr/share/scrivlet/sounds/pop.wav"},
        // Not a data file: relative to the current folder, and where it is
        // not there either the desktop's own sound plays.
        {"mine.wav", "mine.wav"},
        {"/home/ann/key.wav", "/home/ann/key.wav"},
        {"/usr/share/scrivlet/key.wav", "/usr/share/scrivlet/key.wav"},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(KeySoundFile(c.text, "/usr/bin/scrivlet", installed), c.file) << "text \"" << c.text << "\"";
}

TEST(DataFiles, SaveChooserOpensInPicturesThenWhereTheLastOneEnded)
{
    const FileExists folders = In({"/home/ann/Pictures", "/home/ann"});
    struct Case {
        std::string last, pictures, home, folder;
    };
    const Case cases[] = {
        {"", "/home/ann/Pictures", "/home/ann", "/home/ann/Pictures"},
        {"/media/usb", "/home/ann/Pictures", "/home/ann", "/media/usb"},
        {"", "", "/home/ann", "/home/ann"},
        // XDG_PICTURES_DIR names a folder that was removed.
        {"", "/home/ann/Bilder", "/home/ann", "/home/ann"},
        {"", "", "", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SaveChooserFolder(c.last, c.pictures, c.home, folders), c.folder)
            << "last \"" << c.last << "\", pictures \"" << c.pictures << "\"";
}
