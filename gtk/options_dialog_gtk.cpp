// File > Options with GTK widgets: the six check boxes, the presets list,
// the read-only sound file field with its chooser, OK, Cancel and Help. It
// behaves as the Windows dialog: a preset only ticks boxes, the boxes are
// read back on OK alone, and a chosen sound file is stored at once.
#include <array>

#include "core/options_dialog.h"
#include "gtk/shell_gtk.h"

namespace {

constexpr int kHelpResponse = 1;

// Record order: the five flags, then "Clip mouse pointer".
constexpr std::array<const char*, kFlagCount> kBoxTexts = {
    TEXT_OPTIONS_DRAW_WHEN_MOUSE_MOVES, TEXT_OPTIONS_ERASE_WITH_RIGHT_BUTTON, TEXT_OPTIONS_DRAW_WITH_BLACK_MARGINS,
    TEXT_OPTIONS_AUTO_DRAW,             TEXT_OPTIONS_KEY_SOUND_ENABLE,        TEXT_OPTIONS_CLIP_MOUSE_POINTER};

struct OptionsDialog {
    GtkWidget* dialog = nullptr;
    GtkWidget* presets = nullptr;
    GtkWidget* soundFile = nullptr;
    OptionsRecord* live = nullptr;
    std::array<GtkWidget*, kFlagCount> boxes{};
};

OptionsDialog g_dialog;

void ShowBoxes(const OptionBoxes& boxes)
{
    for (int i = 0; i < kFlagCount; ++i)
        gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(g_dialog.boxes[i]), boxes[i]);
}

OptionBoxes TickedBoxes()
{
    OptionBoxes boxes{};
    for (int i = 0; i < kFlagCount; ++i)
        boxes[i] = gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(g_dialog.boxes[i]));
    return boxes;
}

void OnPresetChosen(GtkComboBox*, gpointer)
{
    const int index = gtk_combo_box_get_active(GTK_COMBO_BOX(g_dialog.presets));
    if (index >= 0)
        ShowBoxes(BoxesForPreset(index));
}

void OnBrowse(GtkButton*, gpointer)
{
    const std::string path = AskForFile(GTK_WINDOW(g_dialog.dialog), kSoundFileQuestion);
    if (path.empty() || !g_dialog.live)
        return;
    SetSoundFile(*g_dialog.live, path);
    gtk_entry_set_text(GTK_ENTRY(g_dialog.soundFile), SoundFileText(*g_dialog.live).c_str());
}

// Enter presses OK wherever the focus is, as in a Windows dialog.
gboolean OnDialogKey(GtkWidget*, GdkEventKey* event, gpointer)
{
    if (event->keyval != GDK_KEY_Return && event->keyval != GDK_KEY_KP_Enter)
        return FALSE;
    gtk_dialog_response(GTK_DIALOG(g_dialog.dialog), GTK_RESPONSE_OK);
    return TRUE;
}

GtkWidget* Frame(const char* title, GtkWidget* child)
{
    GtkWidget* frame = gtk_frame_new(title);
    gtk_container_set_border_width(GTK_CONTAINER(child), 6);
    gtk_container_add(GTK_CONTAINER(frame), child);
    return frame;
}

GtkWidget* MakePresets(const OptionsRecord& record)
{
    g_dialog.presets = gtk_combo_box_text_new();
    for (int i = 0; i < kPresetCount; ++i)
        gtk_combo_box_text_append_text(GTK_COMBO_BOX_TEXT(g_dialog.presets), PresetName(i));
    gtk_combo_box_set_active(GTK_COMBO_BOX(g_dialog.presets), PresetMatchingRecord(record));
    g_signal_connect(g_dialog.presets, "changed", G_CALLBACK(OnPresetChosen), nullptr);
    return Frame(TEXT_OPTIONS_PRESETS, g_dialog.presets);
}

GtkWidget* MakeKeySound(const OptionsRecord& record)
{
    GtkWidget* grid = gtk_grid_new();
    gtk_grid_set_column_spacing(GTK_GRID(grid), 6);
    gtk_grid_set_row_spacing(GTK_GRID(grid), 4);
    gtk_grid_attach(GTK_GRID(grid), g_dialog.boxes[4], 0, 0, 3, 1);
    gtk_grid_attach(GTK_GRID(grid), gtk_label_new(TEXT_OPTIONS_SOUND_FILE), 0, 1, 1, 1);
    g_dialog.soundFile = gtk_entry_new();
    // Shown, never typed into: "..." is the only way to change it.
    gtk_editable_set_editable(GTK_EDITABLE(g_dialog.soundFile), FALSE);
    gtk_entry_set_text(GTK_ENTRY(g_dialog.soundFile), SoundFileText(record).c_str());
    gtk_widget_set_hexpand(g_dialog.soundFile, TRUE);
    gtk_grid_attach(GTK_GRID(grid), g_dialog.soundFile, 1, 1, 1, 1);
    GtkWidget* browse = gtk_button_new_with_label(TEXT_OPTIONS_BROWSE);
    g_signal_connect(browse, "clicked", G_CALLBACK(OnBrowse), nullptr);
    gtk_grid_attach(GTK_GRID(grid), browse, 2, 1, 1, 1);
    return Frame(TEXT_OPTIONS_KEY_SOUND, grid);
}

void MakeDialog(GtkWindow* owner, const OptionsRecord& record)
{
    g_dialog.dialog = gtk_dialog_new_with_buttons(TEXT_OPTIONS_TITLE, owner, static_cast<GtkDialogFlags>(GTK_DIALOG_MODAL),
                                                  TEXT_OK, GTK_RESPONSE_OK, TEXT_CANCEL, GTK_RESPONSE_CANCEL,
                                                  TEXT_HELP, kHelpResponse, nullptr);
    gtk_dialog_set_default_response(GTK_DIALOG(g_dialog.dialog), GTK_RESPONSE_OK);
    gtk_window_set_resizable(GTK_WINDOW(g_dialog.dialog), FALSE);
    for (int i = 0; i < kFlagCount; ++i)
        g_dialog.boxes[i] = gtk_check_button_new_with_label(kBoxTexts[i]);
    ShowBoxes(BoxesForRecord(record));

    GtkWidget* column = gtk_box_new(GTK_ORIENTATION_VERTICAL, 6);
    gtk_container_set_border_width(GTK_CONTAINER(column), 12);
    gtk_box_pack_start(GTK_BOX(column), MakePresets(record), FALSE, FALSE, 0);
    for (int i : {0, 1, 2, 3, 5})
        gtk_box_pack_start(GTK_BOX(column), g_dialog.boxes[i], FALSE, FALSE, 0);
    gtk_box_pack_start(GTK_BOX(column), MakeKeySound(record), FALSE, FALSE, 0);
    GtkWidget* content = gtk_dialog_get_content_area(GTK_DIALOG(g_dialog.dialog));
    gtk_box_pack_start(GTK_BOX(content), column, TRUE, TRUE, 0);
    g_signal_connect(g_dialog.dialog, "key-press-event", G_CALLBACK(OnDialogKey), nullptr);
    gtk_widget_show_all(g_dialog.dialog);
    gtk_widget_grab_focus(g_dialog.presets);
}

}  // namespace

void RunOptionsDialog(OptionsRecord& live)
{
    MakeDialog(GTK_WINDOW(TheShell().window), live);
    g_dialog.live = &live;
    for (;;) {
        const int response = RunToyDialog(GTK_DIALOG(g_dialog.dialog));
        if (response == kHelpResponse) {
            ShowHelpTopic(kOptionsHelpTopic);
            continue;
        }
        // The close box and Escape act as Cancel.
        if (response == GTK_RESPONSE_OK)
            ApplyDialogToRecord(live, TickedBoxes(), gtk_entry_get_text(GTK_ENTRY(g_dialog.soundFile)));
        break;
    }
    gtk_widget_destroy(g_dialog.dialog);
    g_dialog = OptionsDialog{};
}
