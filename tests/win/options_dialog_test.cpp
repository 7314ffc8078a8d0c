// The options dialog under Wine: its template, what it shows, presets, OK,
// Cancel and the close box through the File menu's command, the "..." button,
// and the stored options in the registry.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "core/options_dialog.h"
#include "win32/shell_win.h"
#include "res/resource.h"
#include "tests/win/dialog_driver.h"
#include "tests/win/window_fixture.h"

namespace {

constexpr char kDialogTitle[] = "Scrivlet options";

OptionsRecord WithFlags(const OptionFlags& flags, const char* soundFile = "key.wav")
{
    OptionsRecord record = AllOptionsOff();
    for (int i = 0; i < kFlagCount; ++i)
        SetFlag(record, i, flags[i]);
    SetSoundFile(record, soundFile);
    return record;
}

std::vector<unsigned char> Bytes(const OptionsRecord& record)
{
    const auto* bytes = reinterpret_cast<const unsigned char*>(&record);
    return std::vector<unsigned char>(bytes, bytes + sizeof record);
}

// What the dialog shows: its six boxes, the field and the list's selection.
struct Shown {
    OptionBoxes boxes{};
    std::string soundFile;
    LRESULT selection = CB_ERR;
};

Shown ReadShown(HWND dialog)
{
    Shown shown;
    for (int i = 0; i < kFlagCount; ++i)
        shown.boxes[i] = IsDlgButtonChecked(dialog, OptionBoxId(i)) == BST_CHECKED;
    char text[kSoundFileSize + 8] = "";
    SendDlgItemMessageA(dialog, IDC_SOUND_FILE, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    shown.soundFile = text;
    shown.selection = SendDlgItemMessageA(dialog, IDC_PRESETS, CB_GETCURSEL, 0, 0);
    return shown;
}

// Picks a list entry the way a user's choice reports it.
void ChoosePreset(HWND dialog, int position)
{
    HWND list = GetDlgItem(dialog, IDC_PRESETS);
    SendMessageA(list, CB_SETCURSEL, position, 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_PRESETS, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}

class OptionsDialogWindow : public WindowTest {
protected:
    // A modeless copy of the dialog over `record`, for looking at it.
    HWND Open(OptionsRecord& record)
    {
        return CreateDialogIndirectParamW(GetModuleHandleW(nullptr), w32::DialogInLanguage(IDD_OPTIONS), window(),
                                          w32::OptionsDialogProc, reinterpret_cast<LPARAM>(&record));
    }
};

struct ControlSpec {
    int id;
    const char* className;
    const char* text;
    RECT units;  // x, y, width, height in dialog units
    DWORD style;  // the kind and the bits that matter
    bool tabStop;
};

TEST_F(OptionsDialogWindow, TemplateHoldsItsControlsInTabOrder)
{
    const ControlSpec specs[] = {
        {IDOK, "Button", "OK", {23, 201, 50, 14}, BS_DEFPUSHBUTTON, true},
        {IDCANCEL, "Button", "Cancel", {83, 201, 50, 14}, BS_PUSHBUTTON, true},
        {1000, "Button", "Draw when mouse moves", {42, 54, 160, 10}, BS_AUTOCHECKBOX, true},
        {1001, "Button", "Erase with right button ", {42, 72, 160, 10}, BS_AUTOCHECKBOX, true},
        {1002, "Button", "Draw with black margins", {42, 89, 160, 10}, BS_AUTOCHECKBOX, true},
        {1003, "Button", "Auto draw", {42, 106, 160, 10}, BS_AUTOCHECKBOX, true},
        {1004, "Button", "Enable", {44, 155, 100, 10}, BS_AUTOCHECKBOX, true},
        {1005, "Edit", "", {108, 169, 70, 14}, ES_READONLY | ES_AUTOHSCROLL | WS_BORDER, true},
        {1006, "Button", "...", {182, 169, 16, 14}, BS_PUSHBUTTON, true},
        {-1, "Button", "Key sound", {36, 143, 170, 49}, BS_GROUPBOX, false},
        {-1, "Static", "Sound file", {44, 172, 60, 8}, SS_LEFT | WS_GROUP, false},
        {1007, "ComboBox", "", {44, 27, 154, 49}, CBS_DROPDOWNLIST | WS_VSCROLL, true},
        {-1, "Button", "Presets", {35, 16, 171, 32}, BS_GROUPBOX, false},
        {1008, "Button", "Clip mouse pointer", {42, 123, 160, 10}, BS_AUTOCHECKBOX, true},
        {IDHELP, "Button", "Help", {143, 201, 50, 14}, BS_PUSHBUTTON, true},
    };
    OptionsRecord record = WithFlags({0, 0, 0, 0, 0, 0}, "");
    HWND dialog = Open(record);
    ASSERT_NE(dialog, nullptr);

    char title[64] = "";
    GetWindowTextA(dialog, title, sizeof title);
    EXPECT_STREQ(title, kDialogTitle);
    const DWORD style = static_cast<DWORD>(GetWindowLongPtrA(dialog, GWL_STYLE));
    for (DWORD bit : {DWORD{WS_POPUP}, DWORD{WS_CAPTION}, DWORD{WS_SYSMENU}, DWORD{DS_MODALFRAME}})
        EXPECT_EQ(style & bit, bit) << std::hex << bit;
    RECT size{0, 0, 215, 222};
    MapDialogRect(dialog, &size);
    RECT client{};
    GetClientRect(dialog, &client);
    EXPECT_EQ(client.right, size.right);
    EXPECT_EQ(client.bottom, size.bottom);
    LOGFONTA font{};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0)), sizeof font, &font);
    EXPECT_STREQ(font.lfFaceName, "MS Sans Serif");

    HWND control = GetWindow(dialog, GW_CHILD);
    for (const ControlSpec& spec : specs) {
        SCOPED_TRACE(spec.text);
        ASSERT_NE(control, nullptr) << "fewer controls than the template should hold";
        char className[32] = "";
        GetClassNameA(control, className, sizeof className);
        EXPECT_STREQ(className, spec.className);
        EXPECT_EQ(static_cast<int>(static_cast<short>(GetDlgCtrlID(control))), spec.id);
        char text[64] = "";
        SendMessageA(control, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
        if (spec.id != IDC_PRESETS) {
            EXPECT_STREQ(text, spec.text);
        }
        DWORD controlStyle = static_cast<DWORD>(GetWindowLongPtrA(control, GWL_STYLE));
        if (std::strcmp(spec.className, "Button") == 0) {
            EXPECT_EQ(controlStyle & BS_TYPEMASK, spec.style & BS_TYPEMASK);
        }
        EXPECT_EQ((controlStyle & WS_TABSTOP) != 0, spec.tabStop);
        // The dialog manager draws an edit's border as a sunken client edge.
        // A combo box hands its scroll bar to its drop-down list, which shows
        // it only when the entries overflow, so that bit cannot be seen.
        const LONG_PTR exStyle = GetWindowLongPtrA(control, GWL_EXSTYLE);
        if ((controlStyle & WS_BORDER) == 0 && (exStyle & WS_EX_CLIENTEDGE))
            controlStyle |= WS_BORDER;
        const DWORD visible = spec.style & ~static_cast<DWORD>(spec.id == IDC_PRESETS ? WS_VSCROLL : 0);
        EXPECT_EQ(controlStyle & visible, visible);
        // Position and size are each converted from dialog units.
        RECT expected = spec.units;
        MapDialogRect(dialog, &expected);
        RECT actual{};
        GetWindowRect(control, &actual);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&actual), 2);
        EXPECT_EQ(actual.left, expected.left);
        EXPECT_EQ(actual.top, expected.top);
        EXPECT_EQ(actual.right - actual.left, expected.right);
        if (spec.id != IDC_PRESETS) {  // a closed drop-down list is one line high
            EXPECT_EQ(actual.bottom - actual.top, expected.bottom);
        }
        control = GetWindow(control, GW_HWNDNEXT);
    }
    EXPECT_EQ(control, nullptr) << "more controls than the template should hold";

    // The list holds the four presets in table order, each with its index.
    HWND list = GetDlgItem(dialog, IDC_PRESETS);
    ASSERT_EQ(SendMessageA(list, CB_GETCOUNT, 0, 0), kPresetCount);
    for (int i = 0; i < kPresetCount; ++i) {
        char name[64] = "";
        SendMessageA(list, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(name));
        EXPECT_STREQ(name, PresetName(i));
        EXPECT_EQ(SendMessageA(list, CB_GETITEMDATA, i, 0), i);
    }
    // Typing into the sound-file field changes nothing.
    HWND field = GetDlgItem(dialog, IDC_SOUND_FILE);
    SendMessageA(field, WM_CHAR, 'a', 0);
    SendMessageA(field, WM_PASTE, 0, 0);
    EXPECT_EQ(GetWindowTextLengthA(field), 0);
    DestroyWindow(dialog);
}

TEST_F(OptionsDialogWindow, OpensShowingTheRecordAndThePresetItMatches)
{
    struct Case {
        const char* what;
        OptionsRecord record;
        OptionBoxes boxes;
        LRESULT selection;
    };
    OptionsRecord noNul = DefaultOptions();
    std::memset(noNul.soundFile, 'n', kSoundFileSize);
    const Case cases[] = {
        {"defaults", DefaultOptions(), {true, true, true, false, true, false}, 2},
        {"24 months and up", WithFlags(PresetFlags(3), "C:\\boing.wav"), {false, true, false, false, true, false}, 3},
        {"flags of 2 and -1", WithFlags({2, 1, 1, 0, -1, 0}), {true, true, true, false, true, false}, CB_ERR},
        {"a sound file without NUL", noNul, {true, true, true, false, true, false}, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        OptionsRecord record = c.record;
        HWND dialog = Open(record);
        ASSERT_NE(dialog, nullptr);
        const Shown shown = ReadShown(dialog);
        EXPECT_EQ(shown.boxes, c.boxes);
        EXPECT_EQ(shown.soundFile, SoundFileText(c.record));
        EXPECT_EQ(shown.selection, c.selection);
        DestroyWindow(dialog);
        EXPECT_EQ(Bytes(record), Bytes(c.record)) << "opening changes nothing";
    }
}

// How a test closes the dialog.
enum class Closing { Ok, Cancel, CloseBox };

void Close(HWND dialog, Closing how)
{
    switch (how) {
    case Closing::Ok:
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
        break;
    case Closing::Cancel:
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        break;
    case Closing::CloseBox:
        PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
        break;
    }
}

class OptionsCommand : public WindowTest {
protected:
    // Runs File > Options and works the dialog with `steps`.
    bool RunOptions(const std::function<void(HWND)>& steps)
    {
        // The modal loop delivers real input: keep the pointer on the frame.
        RECT frame{};
        GetWindowRect(window(), &frame);
        SetCursorPos(frame.left + 2, frame.top + 2);
        return DriveModalDialog(kDialogTitle, window(), [] { Send(WM_COMMAND, IDM_OPTIONS, 0); }, steps);
    }
};

TEST_F(OptionsCommand, OkWritesTheBoxesCancelAndTheCloseBoxKeepTheRecord)
{
    for (Closing how : {Closing::Ok, Closing::Cancel, Closing::CloseBox}) {
        SCOPED_TRACE(static_cast<int>(how));
        toy().options = WithFlags({2, 1, 1, 0, 1, 0}, "key.wav");
        const OptionsRecord before = toy().options;
        toy().options.drawWhenMouseMoves = 1;
        MovePointer(300, 300);
        toy().options = before;
        ASSERT_FALSE(toy().pen.newStroke);

        Shown shown;
        Shown afterPreset;
        const OptionsRecord* live = &toy().options;
        OptionsRecord whilePresetShown{};
        const bool opened = RunOptions([&](HWND dialog) {
            shown = ReadShown(dialog);
            ChoosePreset(dialog, 0);
            afterPreset = ReadShown(dialog);
            whilePresetShown = *live;
            // By hand after the preset: untick "Auto draw".
            SendDlgItemMessageA(dialog, IDC_AUTO_DRAW, BM_CLICK, 0, 0);
            Close(dialog, how);
        });
        ASSERT_TRUE(opened) << "no dialog titled " << kDialogTitle << " owned by the main window";
        EXPECT_EQ(shown.boxes, (OptionBoxes{true, true, true, false, true, false})) << "the live record";
        EXPECT_EQ(shown.selection, CB_ERR) << "a flag of 2 matches no preset";
        EXPECT_EQ(afterPreset.boxes, BoxesForPreset(0));
        EXPECT_EQ(afterPreset.soundFile, "key.wav") << "a preset changes only the boxes";
        EXPECT_EQ(Bytes(whilePresetShown), Bytes(before)) << "nothing changes until OK";
        if (how == Closing::Ok)
            EXPECT_EQ(Bytes(toy().options), Bytes(WithFlags({1, 0, 1, 0, 1, 1}, "key.wav")));
        else
            EXPECT_EQ(Bytes(toy().options), Bytes(before));
        EXPECT_TRUE(toy().pen.newStroke) << "the pen is lifted after the dialog";
    }
}

// Writes a small file to choose in the Open dialog; returns its full path.
std::string MakeSoundFile()
{
    char folder[MAX_PATH] = "";
    GetTempPathA(sizeof folder, folder);
    const std::string path = std::string(folder) + "scrivlet-chosen.wav";
    if (FILE* file = std::fopen(path.c_str(), "wb")) {
        std::fputs("RIFF", file);
        std::fclose(file);
    }
    return path;
}

TEST_F(OptionsCommand, ASoundFileChosenWithTheButtonIsKeptAtOnceEvenOnCancel)
{
    const std::string path = MakeSoundFile();
    toy().options = WithFlags({1, 1, 1, 0, 1, 0}, "key.wav");
    bool chooserSeen = false;
    std::string fieldAfter;
    std::string recordWhileOpen;
    const bool opened = RunOptions([&](HWND dialog) {
        PostMessageA(dialog, WM_COMMAND, IDC_BROWSE_SOUND, 0);
        HWND chooser = WaitForOwnedWindow("Choose audio file", dialog);
        chooserSeen = chooser != nullptr;
        if (!chooser)
            return;
        // The file name box of the Open dialog.
        SetDlgItemTextA(chooser, 0x47c, path.c_str());
        PostMessageA(chooser, WM_COMMAND, IDOK, 0);
        for (int i = 0; i < 250 && IsWindow(chooser); ++i)
            Sleep(20);
        fieldAfter = ReadShown(dialog).soundFile;
        recordWhileOpen = SoundFileText(toy().options);
        SendDlgItemMessageA(dialog, IDC_AUTO_DRAW, BM_CLICK, 0, 0);
        Close(dialog, Closing::Cancel);
    });
    DeleteFileA(path.c_str());
    ASSERT_TRUE(opened);
    ASSERT_TRUE(chooserSeen) << "no Open dialog titled \"Choose audio file\"";
    EXPECT_EQ(fieldAfter, path);
    EXPECT_EQ(recordWhileOpen, path) << "stored at once, before the dialog closes";
    EXPECT_EQ(Bytes(toy().options), Bytes(WithFlags({1, 1, 1, 0, 1, 0}, path.c_str())))
        << "Cancel keeps the chosen file and the old flags";
}

// The stored value, removed before and after each test so that no other
// test or run sees it.
class StoredOptionsRegistry : public ::testing::Test {
protected:
    void SetUp() override { RegDeleteKeyA(HKEY_LOCAL_MACHINE, w32::kOptionsKeyPath); }
    void TearDown() override { RegDeleteKeyA(HKEY_LOCAL_MACHINE, w32::kOptionsKeyPath); }

    static std::vector<unsigned char> Stored(DWORD* type)
    {
        std::vector<unsigned char> value(4096);
        DWORD size = static_cast<DWORD>(value.size());
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, w32::kOptionsKeyPath, 0, KEY_READ, &key) != ERROR_SUCCESS)
            return {};
        const LONG result = RegQueryValueExA(key, w32::kOptionsValueName, nullptr, type, value.data(), &size);
        RegCloseKey(key);
        value.resize(result == ERROR_SUCCESS ? size : 0);
        return value;
    }
};

TEST_F(StoredOptionsRegistry, SaveWritesTheRecordAndLoadReadsValuesOverTheDefaults)
{
    OptionsRecord record = DefaultOptions();
    EXPECT_EQ(w32::LoadOptions(record), 1) << "no stored value";
    EXPECT_EQ(Bytes(record), Bytes(DefaultOptions()));

    const OptionsRecord saved = WithFlags({0, 1, 0, 1, 0, 1}, "C:\\Toys\\boing.wav");
    ASSERT_EQ(w32::SaveOptions(saved), 0);
    DWORD type = 0;
    EXPECT_EQ(Stored(&type), Bytes(saved));
    EXPECT_EQ(type, static_cast<DWORD>(REG_BINARY));
    EXPECT_EQ(w32::LoadOptions(record), 0);
    EXPECT_EQ(Bytes(record), Bytes(saved));

    struct Case {
        size_t length;
        int result;
        bool flagsReplaced;
    };
    // Values written by something else: 24 bytes replace only the flags; a
    // value longer than the record keeps the defaults whole.
    const Case cases[] = {{24, 0, true}, {285, 1, false}, {1000, 1, false}};
    std::vector<unsigned char> value(1000, 'z');
    std::memset(value.data(), 0, kFlagBlockSize);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.length);
        const DWORD length = static_cast<DWORD>(c.length);
        ASSERT_EQ(w32::WriteRegistryValue(w32::kOptionsValueName, value.data(), length, REG_BINARY), 0);
        record = DefaultOptions();
        EXPECT_EQ(w32::LoadOptions(record), c.result);
        const OptionsRecord expected = c.flagsReplaced ? WithFlags({0, 0, 0, 0, 0, 0}, "key.wav") : DefaultOptions();
        EXPECT_EQ(Bytes(record), Bytes(expected));
    }
}

}  // namespace
