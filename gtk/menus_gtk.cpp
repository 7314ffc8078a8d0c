// The menu bar and its commands: File (Save as BMP, Options, Exit), Edit
// (Clear), Help (About, Contents), with the texts and commands of the
// Windows program's menu. The titles carry no mnemonic; Alt+letter opens the
// popup whose title starts with the letter, and a letter in an open popup
// picks its item, by the same rules as the Windows program.
#include <string>
#include <vector>

#include "core/menu_keys.h"
#include "gtk/shell_gtk.h"
#include "res/resource.h"

namespace {

std::vector<GtkWidget*> g_popupTitles;

// GTK marks the mnemonic with '_' where Windows uses '&'.
std::string GtkMnemonic(const char* text)
{
    std::string label = text;
    for (char& c : label)
        c = c == '&' ? '_' : c;
    return label;
}

// The menu took the pointer and keyboard for itself and gave them back to
// nobody.
void OnMenuBarDeactivated(GtkMenuShell*, gpointer)
{
    GtkWidget* window = TheShell().window;
    OnMenuClosed(TheProgram(), window && gtk_window_is_active(GTK_WINDOW(window)));
}

// A click on the menu bar: the menu it opens needs grabs of its own kind.
gboolean OnMenuBarPressed(GtkWidget*, GdkEventButton*, gpointer)
{
    OnMenuOpening(TheProgram());
    return FALSE;
}

void OnItemChosen(GtkMenuItem*, gpointer command) { OnCommand(TheProgram(), GPOINTER_TO_INT(command)); }

// A letter typed in an open popup picks its item as Windows picks it: by
// the '&' mnemonic, else by the first letter of an item without one (About,
// Contents). Other keys (arrows, Return, Escape) are GTK's.
gboolean OnPopupKey(GtkWidget* menu, GdkEventKey* event, gpointer)
{
    if (event->state & (GDK_CONTROL_MASK | GDK_MOD1_MASK))
        return FALSE;
    const gunichar letter = gdk_keyval_to_unicode(event->keyval);
    if (letter == 0 || letter > 255 || !g_unichar_isgraph(letter))
        return FALSE;
    std::vector<GtkWidget*> items;
    std::vector<std::string> texts;
    GList* children = gtk_container_get_children(GTK_CONTAINER(menu));
    for (GList* child = children; child; child = child->next) {
        auto* item = static_cast<GtkWidget*>(child->data);
        const char* label = GTK_IS_SEPARATOR_MENU_ITEM(item) ? nullptr : gtk_menu_item_get_label(GTK_MENU_ITEM(item));
        std::string text = label ? label : "";
        for (char& c : text)
            c = c == '_' ? '&' : c;
        items.push_back(item);
        texts.push_back(text);
    }
    g_list_free(children);
    const int index = PopupItemForLetter(static_cast<int>(letter), texts);
    if (index >= 0)
        gtk_menu_shell_activate_item(GTK_MENU_SHELL(menu), items[index], TRUE);
    return TRUE;
}

void AddItem(GtkWidget* menu, const char* text, int command)
{
    GtkWidget* item = gtk_menu_item_new_with_mnemonic(GtkMnemonic(text).c_str());
    g_signal_connect(item, "activate", G_CALLBACK(OnItemChosen), GINT_TO_POINTER(command));
    gtk_menu_shell_append(GTK_MENU_SHELL(menu), item);
}

void AddSeparator(GtkWidget* menu) { gtk_menu_shell_append(GTK_MENU_SHELL(menu), gtk_separator_menu_item_new()); }

GtkWidget* AddPopup(GtkWidget* bar, const char* title)
{
    GtkWidget* item = gtk_menu_item_new_with_label(title);
    GtkWidget* menu = gtk_menu_new();
    g_signal_connect(menu, "key-press-event", G_CALLBACK(OnPopupKey), nullptr);
    gtk_menu_item_set_submenu(GTK_MENU_ITEM(item), menu);
    gtk_menu_shell_append(GTK_MENU_SHELL(bar), item);
    g_popupTitles.push_back(item);
    return menu;
}

}  // namespace

bool OpenPopupForLetter(guint keyval)
{
    std::vector<std::string> titles;
    for (GtkWidget* item : g_popupTitles)
        titles.emplace_back(gtk_menu_item_get_label(GTK_MENU_ITEM(item)));
    const int index = PopupForLetter(static_cast<int>(gdk_keyval_to_unicode(keyval)), titles);
    if (index < 0)
        return false;
    OnMenuOpening(TheProgram());
    gtk_widget_mnemonic_activate(g_popupTitles[index], FALSE);
    return true;
}

GtkWidget* MakeMenuBar()
{
    GtkWidget* bar = gtk_menu_bar_new();
    GtkWidget* file = AddPopup(bar, TEXT_MENU_FILE);
    AddItem(file, TEXT_MENU_SAVE_BMP, IDM_SAVE_BMP);
    AddSeparator(file);
    AddItem(file, TEXT_MENU_OPTIONS, IDM_OPTIONS);
    AddSeparator(file);
    AddItem(file, TEXT_MENU_EXIT, IDM_EXIT);
    AddItem(AddPopup(bar, TEXT_MENU_EDIT), TEXT_MENU_CLEAR, IDM_CLEAR);
    GtkWidget* help = AddPopup(bar, TEXT_MENU_HELP);
    AddItem(help, TEXT_MENU_ABOUT, IDM_ABOUT);
    AddItem(help, TEXT_MENU_CONTENTS, IDM_HELP_CONTENTS);
    g_signal_connect(bar, "deactivate", G_CALLBACK(OnMenuBarDeactivated), nullptr);
    g_signal_connect(bar, "button-press-event", G_CALLBACK(OnMenuBarPressed), nullptr);
    return bar;
}
