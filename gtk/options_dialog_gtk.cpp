// File > Options with GTK widgets: the six check boxes, the presets list,
// the read-only sound file field with its chooser, OK, Cancel and Help. It
// behaves as the Windows dialog: a preset only ticks boxes, the boxes are
// read back on OK alone, and a chosen sound file is stored at once.
#include <array>

#include "gtk/commands_gtk.h"
#include "core/options_dialog.h"
#include "gtk/shell_gtk.h"
#include "gtk/signal_gtk.h"

namespace {

constexpr int kHelpResponse = 1;

// Record order: the five flags, then "Clip mouse pointer".
constexpr std::array<const char*, kFlagCount> kBoxTexts = {
    "Draw when mouse moves", "Erase with right button ", "Draw with black margins", "Auto draw", "Enable",
    "Clip mouse pointer"};

struct OptionsDialog {
    GtkWidget* dialog = nullptr;
    GtkWidget* presets = nullptr;
    GtkWidget* soundFile = nullptr;
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

bool OnPresetChosen(const GValue*, guint)
{
    const int index = gtk_combo_box_get_active(GTK_COMBO_BOX(g_dialog.presets));
    if (index >= 0)
        ShowBoxes(BoxesForPreset(index));
    return false;
}

bool OnBrowse(const GValue*, guint)
{
    GtkWidget* chooser = gtk_file_chooser_dialog_new("Choose audio file", GTK_WINDOW(g_dialog.dialog),
                                                     GTK_FILE_CHOOSER_ACTION_OPEN, "_Cancel", GTK_RESPONSE_CANCEL,
                                                     "_Open", GTK_RESPONSE_ACCEPT, nullptr);
    GtkFileFilter* wav = gtk_file_filter_new();
    gtk_file_filter_set_name(wav, "WAV Files");
    gtk_file_filter_add_pattern(wav, "*.wav");
    gtk_file_chooser_add_filter(GTK_FILE_CHOOSER(chooser), wav);
    GtkFileFilter* all = gtk_file_filter_new();
    gtk_file_filter_set_name(all, "All Files");
    gtk_file_filter_add_pattern(all, "*");
    gtk_file_chooser_add_filter(GTK_FILE_CHOOSER(chooser), all);
    if (gtk_dialog_run(GTK_DIALOG(chooser)) == GTK_RESPONSE_ACCEPT) {
        gchar* path = gtk_file_chooser_get_filename(GTK_FILE_CHOOSER(chooser));
        if (path) {
            OptionsRecord& live = TheToy().options;
            SetSoundFile(live, path);
            gtk_entry_set_text(GTK_ENTRY(g_dialog.soundFile), SoundFileText(live).c_str());
            g_free(path);
        }
    }
    gtk_widget_destroy(chooser);
    return false;
}

// Enter presses OK wherever the focus is, as in a Windows dialog.
bool OnDialogKey(const GValue* params, guint count)
{
    const GdkEvent* event = EventParameter(params, count);
    if (!event || (event->key.keyval != GDK_KEY_Return && event->key.keyval != GDK_KEY_KP_Enter))
        return false;
    gtk_dialog_response(GTK_DIALOG(g_dialog.dialog), GTK_RESPONSE_OK);
    return true;
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
    ConnectSignal(g_dialog.presets, "changed", OnPresetChosen);
    return Frame("Presets", g_dialog.presets);
}

GtkWidget* MakeKeySound(const OptionsRecord& record)
{
    GtkWidget* grid = gtk_grid_new();
    gtk_grid_set_column_spacing(GTK_GRID(grid), 6);
    gtk_grid_set_row_spacing(GTK_GRID(grid), 4);
    gtk_grid_attach(GTK_GRID(grid), g_dialog.boxes[4], 0, 0, 3, 1);
    gtk_grid_attach(GTK_GRID(grid), gtk_label_new("Sound file"), 0, 1, 1, 1);
    g_dialog.soundFile = gtk_entry_new();
    // Shown, never typed into: "..." is the only way to change it.
    gtk_editable_set_editable(GTK_EDITABLE(g_dialog.soundFile), FALSE);
    gtk_entry_set_text(GTK_ENTRY(g_dialog.soundFile), SoundFileText(record).c_str());
    gtk_widget_set_hexpand(g_dialog.soundFile, TRUE);
    gtk_grid_attach(GTK_GRID(grid), g_dialog.soundFile, 1, 1, 1, 1);
    GtkWidget* browse = gtk_button_new_with_label("...");
    ConnectSignal(browse, "clicked", OnBrowse);
    gtk_grid_attach(GTK_GRID(grid), browse, 2, 1, 1, 1);
    return Frame("Key sound", grid);
}

void MakeDialog(GtkWindow* owner, const OptionsRecord& record)
{
    g_dialog.dialog = gtk_dialog_new_with_buttons("Scrivlet options", owner,
                                                  static_cast<GtkDialogFlags>(GTK_DIALOG_MODAL),
                                                  "OK", GTK_RESPONSE_OK, "Cancel", GTK_RESPONSE_CANCEL, "Help",
                                                  kHelpResponse, nullptr);
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
    ConnectSignal(g_dialog.dialog, "key-press-event", OnDialogKey);
    gtk_widget_show_all(g_dialog.dialog);
    gtk_widget_grab_focus(g_dialog.presets);
}

}  // namespace

void RunOptionsDialog()
{
    OptionsRecord& live = TheToy().options;
    MakeDialog(GTK_WINDOW(TheShell().window), live);
    for (;;) {
        const int response = gtk_dialog_run(GTK_DIALOG(g_dialog.dialog));
        if (response == kHelpResponse) {
            ShowHelpTopic("scrivlet.htm#Options");
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
