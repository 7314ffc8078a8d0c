// File > Options with GTK widgets: the six check boxes, the presets list,
// the read-only sound file field with its chooser, OK, Cancel and Help. The
// widgets show the core's dialog model and hand it each of their events, so
// it behaves as the Windows dialog.
#include <array>

#include "core/options_dialog.h"
#include "core/texts.h"
#include "gtk/shell_gtk.h"

namespace gtk3 {

constexpr int kHelpResponse = 1;

// The open dialog: the core's model and the widgets that show it, handed
// to every signal.
struct OptionsView {
    OptionsDialog model;
    GtkWidget* dialog = nullptr;
    GtkWidget* presets = nullptr;
    GtkWidget* soundFile = nullptr;
    std::array<GtkWidget*, kFlagCount> boxes{};
};

void OnBoxToggled(GtkToggleButton* box, gpointer data)
{
    auto* view = static_cast<OptionsView*>(data);
    for (int i = 0; i < kFlagCount; ++i) {
        if (view->boxes[i] == GTK_WIDGET(box))
            TickBox(view->model, i, gtk_toggle_button_get_active(box));
    }
}

void OnPresetChosen(GtkComboBox* presets, gpointer data)
{
    auto* view = static_cast<OptionsView*>(data);
    ChoosePreset(view->model, gtk_combo_box_get_active(presets));
    for (int i = 0; i < kFlagCount; ++i)
        gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(view->boxes[i]), view->model.boxes[i]);
}

void OnBrowse(GtkButton*, gpointer data)
{
    auto* view = static_cast<OptionsView*>(data);
    if (SoundFileChosen(view->model, AskForFile(GTK_WINDOW(view->dialog), kSoundFileQuestion)))
        gtk_entry_set_text(GTK_ENTRY(view->soundFile), view->model.soundFile.c_str());
}

// Enter presses OK wherever the focus is, as in a Windows dialog.
gboolean OnDialogKey(GtkWidget* dialog, GdkEventKey* event, gpointer)
{
    if (event->keyval != GDK_KEY_Return && event->keyval != GDK_KEY_KP_Enter)
        return FALSE;
    gtk_dialog_response(GTK_DIALOG(dialog), GTK_RESPONSE_OK);
    return TRUE;
}

GtkWidget* Frame(const char* title, GtkWidget* child)
{
    GtkWidget* frame = gtk_frame_new(WithoutMnemonic(Tr(title)).c_str());
    gtk_container_set_border_width(GTK_CONTAINER(child), 6);
    gtk_container_add(GTK_CONTAINER(frame), child);
    return frame;
}

GtkWidget* MakePresets(OptionsView& view)
{
    view.presets = gtk_combo_box_text_new();
    for (int i = 0; i < kPresetCount; ++i)
        gtk_combo_box_text_append_text(GTK_COMBO_BOX_TEXT(view.presets), Tr(PresetName(i)).c_str());
    gtk_combo_box_set_active(GTK_COMBO_BOX(view.presets), view.model.preset);
    g_signal_connect(view.presets, "changed", G_CALLBACK(OnPresetChosen), &view);
    return Frame(TEXT_OPTIONS_PRESETS, view.presets);
}

GtkWidget* MakeKeySound(OptionsView& view)
{
    GtkWidget* grid = gtk_grid_new();
    gtk_grid_set_column_spacing(GTK_GRID(grid), 6);
    gtk_grid_set_row_spacing(GTK_GRID(grid), 4);
    gtk_grid_attach(GTK_GRID(grid), view.boxes[4], 0, 0, 3, 1);
    gtk_grid_attach(GTK_GRID(grid), gtk_label_new(WithoutMnemonic(Tr(TEXT_OPTIONS_SOUND_FILE)).c_str()), 0, 1, 1, 1);
    view.soundFile = gtk_entry_new();
    // Shown, never typed into: "..." is the only way to change it.
    gtk_editable_set_editable(GTK_EDITABLE(view.soundFile), FALSE);
    gtk_entry_set_text(GTK_ENTRY(view.soundFile), view.model.soundFile.c_str());
    gtk_widget_set_hexpand(view.soundFile, TRUE);
    gtk_grid_attach(GTK_GRID(grid), view.soundFile, 1, 1, 1, 1);
    GtkWidget* browse = gtk_button_new_with_label(WithoutMnemonic(Tr(TEXT_OPTIONS_BROWSE)).c_str());
    g_signal_connect(browse, "clicked", G_CALLBACK(OnBrowse), &view);
    gtk_grid_attach(GTK_GRID(grid), browse, 2, 1, 1, 1);
    return Frame(TEXT_OPTIONS_KEY_SOUND, grid);
}

void MakeDialog(GtkWindow* owner, OptionsView& view)
{
    // A button's label takes a mnemonic, as the translations of Help do.
    view.dialog = gtk_dialog_new_with_buttons(
        Tr(TEXT_OPTIONS_TITLE).c_str(), owner, static_cast<GtkDialogFlags>(GTK_DIALOG_MODAL),
        GtkMnemonic(Tr(TEXT_OK)).c_str(), GTK_RESPONSE_OK, GtkMnemonic(Tr(TEXT_CANCEL)).c_str(), GTK_RESPONSE_CANCEL,
        GtkMnemonic(Tr(TEXT_HELP)).c_str(), kHelpResponse, nullptr);
    gtk_dialog_set_default_response(GTK_DIALOG(view.dialog), GTK_RESPONSE_OK);
    gtk_window_set_resizable(GTK_WINDOW(view.dialog), FALSE);
    for (int i = 0; i < kFlagCount; ++i) {
        view.boxes[i] = gtk_check_button_new_with_mnemonic(GtkMnemonic(Tr(kOptionBoxTexts[i])).c_str());
        gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(view.boxes[i]), view.model.boxes[i]);
        g_signal_connect(view.boxes[i], "toggled", G_CALLBACK(OnBoxToggled), &view);
    }

    GtkWidget* column = gtk_box_new(GTK_ORIENTATION_VERTICAL, 6);
    gtk_container_set_border_width(GTK_CONTAINER(column), 12);
    gtk_box_pack_start(GTK_BOX(column), MakePresets(view), FALSE, FALSE, 0);
    for (int i : {0, 1, 2, 3, 5})
        gtk_box_pack_start(GTK_BOX(column), view.boxes[i], FALSE, FALSE, 0);
    gtk_box_pack_start(GTK_BOX(column), MakeKeySound(view), FALSE, FALSE, 0);
    GtkWidget* content = gtk_dialog_get_content_area(GTK_DIALOG(view.dialog));
    gtk_box_pack_start(GTK_BOX(content), column, TRUE, TRUE, 0);
    g_signal_connect(view.dialog, "key-press-event", G_CALLBACK(OnDialogKey), nullptr);
    gtk_widget_show_all(view.dialog);
    gtk_widget_grab_focus(view.presets);
}

// The close box and Escape act as Cancel.
DialogButton ButtonOf(int response)
{
    return response == GTK_RESPONSE_OK ? DialogButton::Ok
                                       : response == kHelpResponse ? DialogButton::Help : DialogButton::Cancel;
}

void RunOptionsDialog(OptionsRecord& live)
{
    OptionsView view;
    view.model = OpenOptionsDialog(live, ShowHelpTopic);
    MakeDialog(GTK_WINDOW(TheShell().window), view);
    // Help leaves the dialog open.
    while (!PressButton(view.model, ButtonOf(RunToyDialog(GTK_DIALOG(view.dialog))))) {
    }
    gtk_widget_destroy(view.dialog);
}

}  // namespace gtk3
