// Prints every text of the native program's menu bar and options dialog,
// one a line, as its widgets hold them ('_' before a mnemonic), after the
// catalogue is chosen as the program chooses it: from the environment's
// language. The first line is the active catalogue's language.
#include <cstdio>

#include "core/texts.h"
#include "gtk/shell_gtk.h"

namespace {

void Print(const char* text)
{
    if (text && *text)
        std::printf("%s\n", text);
}

// Each widget's own text, then its children's, internal ones too.
void PrintTexts(GtkWidget* widget, gpointer)
{
    if (GTK_IS_WINDOW(widget))
        Print(gtk_window_get_title(GTK_WINDOW(widget)));
    if (GTK_IS_MENU_ITEM(widget)) {
        Print(gtk_menu_item_get_label(GTK_MENU_ITEM(widget)));
        if (GtkWidget* popup = gtk_menu_item_get_submenu(GTK_MENU_ITEM(widget)))
            PrintTexts(popup, nullptr);
        return;
    }
    if (GTK_IS_BUTTON(widget) && !GTK_IS_COMBO_BOX(widget))
        Print(gtk_button_get_label(GTK_BUTTON(widget)));
    else if (GTK_IS_LABEL(widget))
        Print(gtk_label_get_label(GTK_LABEL(widget)));
    if (GTK_IS_COMBO_BOX(widget)) {
        GtkTreeModel* model = gtk_combo_box_get_model(GTK_COMBO_BOX(widget));
        GtkTreeIter row;
        for (gboolean more = gtk_tree_model_get_iter_first(model, &row); more;
             more = gtk_tree_model_iter_next(model, &row)) {
            gchar* text = nullptr;
            gtk_tree_model_get(model, &row, 0, &text, -1);
            Print(text);
            g_free(text);
        }
        return;
    }
    if (GTK_IS_CONTAINER(widget))
        gtk_container_forall(GTK_CONTAINER(widget), PrintTexts, nullptr);
}

// Once the options dialog is up: its texts, then Cancel.
gboolean PrintDialog(gpointer)
{
    GList* windows = gtk_window_list_toplevels();
    for (GList* item = windows; item; item = item->next) {
        if (GTK_IS_DIALOG(item->data)) {
            PrintTexts(GTK_WIDGET(item->data), nullptr);
            gtk_dialog_response(GTK_DIALOG(item->data), GTK_RESPONSE_CANCEL);
        }
    }
    g_list_free(windows);
    return G_SOURCE_REMOVE;
}

}  // namespace

int main(int argc, char** argv)
{
    if (!gtk_init_check(&argc, &argv))
        return 1;
    gtk3::SpeakUsersLanguage();
    std::printf("language: %s\n", ActiveLanguage().c_str());
    GtkWidget* bar = g_object_ref_sink(gtk3::MakeMenuBar());
    PrintTexts(bar, nullptr);
    OptionsRecord options = DefaultOptions();
    g_idle_add(PrintDialog, nullptr);
    gtk3::RunOptionsDialog(options);
    return 0;
}
