// The menu bar, built from the core's menu table with the texts and commands
// of the Windows program's menu, in the user's language. Alt+letter opens
// the popup whose title has that letter (its mnemonic, else its first), and
// a letter in an open popup picks its item, by the same rules as the
// Windows program.
#include <string>

#include "core/menu_keys.h"
#include "core/menu_table.h"
#include "core/texts.h"
#include "gtk/shell_gtk.h"

namespace gtk3 {

// GTK marks the mnemonic with '_' where Windows uses '&' ("&&" is a
// literal '&'); a literal '_' is doubled.
std::string GtkMnemonic(const std::string& text)
{
    std::string label;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size() && text[i + 1] == '&')
            label += text[i++];
        else if (text[i] == '&')
            label += '_';
        else
            label += text[i] == '_' ? "__" : std::string(1, text[i]);
    }
    return label;
}

// A popup's title on the bar, or an item of a popup, by its place in the table.
GtkWidget* NthChild(GtkWidget* container, int index)
{
    GList* children = gtk_container_get_children(GTK_CONTAINER(container));
    auto* child = static_cast<GtkWidget*>(g_list_nth_data(children, static_cast<guint>(index)));
    g_list_free(children);
    return child;
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
gboolean OnPopupKey(GtkWidget* menu, GdkEventKey* event, gpointer popup)
{
    if (event->state & (GDK_CONTROL_MASK | GDK_MOD1_MASK))
        return FALSE;
    const gunichar letter = gdk_keyval_to_unicode(event->keyval);
    if (letter == 0 || !g_unichar_isgraph(letter))
        return FALSE;
    const int index = PopupItemForLetter(static_cast<int>(letter), MenuItemTexts(GPOINTER_TO_INT(popup)));
    if (index >= 0)
        gtk_menu_shell_activate_item(GTK_MENU_SHELL(menu), NthChild(menu, index), TRUE);
    return TRUE;
}

GtkWidget* MakePopup(int index, const MenuPopup& popup)
{
    GtkWidget* menu = gtk_menu_new();
    g_signal_connect(menu, "key-press-event", G_CALLBACK(OnPopupKey), GINT_TO_POINTER(index));
    for (const MenuItem& entry : popup.items) {
        if (!entry.text) {
            gtk_menu_shell_append(GTK_MENU_SHELL(menu), gtk_separator_menu_item_new());
            continue;
        }
        GtkWidget* item = gtk_menu_item_new_with_mnemonic(GtkMnemonic(Tr(entry.text)).c_str());
        g_signal_connect(item, "activate", G_CALLBACK(OnItemChosen), GINT_TO_POINTER(entry.command));
        gtk_menu_shell_append(GTK_MENU_SHELL(menu), item);
    }
    return menu;
}

bool OpenPopupForLetter(guint keyval)
{
    const int index = PopupForLetter(static_cast<int>(gdk_keyval_to_unicode(keyval)), MenuTitles());
    if (index < 0 || !TheShell().menuBar)
        return false;
    OnMenuOpening(TheProgram());
    gtk_widget_mnemonic_activate(NthChild(TheShell().menuBar, index), FALSE);
    return true;
}

GtkWidget* MakeMenuBar()
{
    GtkWidget* bar = gtk_menu_bar_new();
    for (size_t i = 0; i < MainMenu().size(); ++i) {
        GtkWidget* title = gtk_menu_item_new_with_mnemonic(GtkMnemonic(Tr(MainMenu()[i].title)).c_str());
        gtk_menu_item_set_submenu(GTK_MENU_ITEM(title), MakePopup(static_cast<int>(i), MainMenu()[i]));
        gtk_menu_shell_append(GTK_MENU_SHELL(bar), title);
    }
    g_signal_connect(bar, "deactivate", G_CALLBACK(OnMenuBarDeactivated), nullptr);
    g_signal_connect(bar, "button-press-event", G_CALLBACK(OnMenuBarPressed), nullptr);
    return bar;
}

}  // namespace gtk3
