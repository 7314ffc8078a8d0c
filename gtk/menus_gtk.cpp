// The menu bar and its commands: File (Save as BMP, Options, Exit), Edit
// (Clear), Help (About, Contents). The titles carry no mnemonic; Alt+letter
// opens the popup whose title starts with the letter, and a letter in an
// open popup picks its item, by the same rules as the Windows program.
#include <string>
#include <vector>

#include "core/menu_keys.h"
#include "gtk/canvas_gtk.h"
#include "gtk/commands_gtk.h"
#include "gtk/shell_gtk.h"
#include "gtk/signal_gtk.h"
#include "res/texts.h"

namespace {

std::vector<GtkWidget*> g_popupTitles;

// The menu took the pointer and keyboard for itself and gave them back to
// nobody: lift the pen and take back what the toy holds.
bool OnMenuClosed(const GValue*, guint)
{
    LiftPen(TheToy().pen);
    if (TheShell().window && gtk_window_is_active(GTK_WINDOW(TheShell().window))) {
        HoldKeyboard();
        ApplyPointerMoment(PointerMoment::Activated);
    }
    return false;
}

// A click on the menu bar: the menu it opens needs grabs of its own kind.
bool OnMenuBarPressed(const GValue*, guint)
{
    ReleaseKeyboard();
    ReleasePointerGrab();
    return false;
}

bool OnSaveChosen(const GValue*, guint)
{
    SaveCanvasAsBmp();
    return false;
}

bool OnOptionsChosen(const GValue*, guint)
{
    RunOptionsDialog();
    KeepTickTimer();
    LiftPen(TheToy().pen);
    ApplyPointerMoment(PointerMoment::OptionsClosed);
    return false;
}

bool OnExitChosen(const GValue*, guint)
{
    gtk_window_close(GTK_WINDOW(TheShell().window));
    return false;
}

bool OnClearChosen(const GValue*, guint)
{
    int width = 0;
    int height = 0;
    ClientSize(width, height);
    ClearCairoCanvas(width, height);
    gtk_widget_queue_draw(TheShell().area);
    return false;
}

bool OnAboutChosen(const GValue*, guint)
{
    GtkWidget* box = gtk_message_dialog_new(GTK_WINDOW(TheShell().window), GTK_DIALOG_MODAL, GTK_MESSAGE_OTHER,
                                            GTK_BUTTONS_OK, "%s", TEXT_ABOUT);
    gtk_window_set_title(GTK_WINDOW(box), "About");
    gtk_dialog_run(GTK_DIALOG(box));
    gtk_widget_destroy(box);
    LiftPen(TheToy().pen);
    return false;
}

bool OnContentsChosen(const GValue*, guint)
{
    ShowHelpTopic("scrivlet.htm");
    LiftPen(TheToy().pen);
    return false;
}

// A letter typed in an open popup picks its item as Windows picks it: by
// the '&' mnemonic, else by the first letter of an item without one (About,
// Contents). Other keys (arrows, Return, Escape) are GTK's.
bool OnPopupKey(const GValue* params, guint count)
{
    const GdkEvent* event = EventParameter(params, count);
    if (!event || (event->key.state & (GDK_CONTROL_MASK | GDK_MOD1_MASK)))
        return false;
    const gunichar letter = gdk_keyval_to_unicode(event->key.keyval);
    if (letter == 0 || letter > 255 || !g_unichar_isgraph(letter))
        return false;
    auto* menu = static_cast<GtkWidget*>(g_value_get_object(&params[0]));
    std::vector<GtkWidget*> items;
    std::vector<std::string> texts;
    GList* children = gtk_container_get_children(GTK_CONTAINER(menu));
    for (GList* child = children; child; child = child->next) {
        auto* item = static_cast<GtkWidget*>(child->data);
        const char* label = GTK_IS_SEPARATOR_MENU_ITEM(item) ? nullptr : gtk_menu_item_get_label(GTK_MENU_ITEM(item));
        // GTK marks the mnemonic with '_' where Windows uses '&'.
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
    return true;
}

GtkWidget* AddItem(GtkWidget* menu, const char* text, SignalHandler handler)
{
    GtkWidget* item = gtk_menu_item_new_with_mnemonic(text);
    ConnectSignal(item, "activate", handler);
    gtk_menu_shell_append(GTK_MENU_SHELL(menu), item);
    return item;
}

void AddSeparator(GtkWidget* menu) { gtk_menu_shell_append(GTK_MENU_SHELL(menu), gtk_separator_menu_item_new()); }

GtkWidget* AddPopup(GtkWidget* bar, const char* title)
{
    GtkWidget* item = gtk_menu_item_new_with_label(title);
    GtkWidget* menu = gtk_menu_new();
    ConnectSignal(menu, "key-press-event", OnPopupKey);
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
    // The menu takes the keyboard and the pointer with grabs of its own
    // kind, which ours would refuse; it gives them back when it closes.
    ReleaseKeyboard();
    ReleasePointerGrab();
    gtk_widget_mnemonic_activate(g_popupTitles[index], FALSE);
    return true;
}

GtkWidget* MakeMenuBar()
{
    GtkWidget* bar = gtk_menu_bar_new();
    GtkWidget* file = AddPopup(bar, "File");
    AddItem(file, "_Save as BMP", OnSaveChosen);
    AddSeparator(file);
    AddItem(file, "_Options", OnOptionsChosen);
    AddSeparator(file);
    AddItem(file, "E_xit", OnExitChosen);
    AddItem(AddPopup(bar, "Edit"), "_Clear", OnClearChosen);
    GtkWidget* help = AddPopup(bar, "Help");
    AddItem(help, "About", OnAboutChosen);
    AddItem(help, "Contents", OnContentsChosen);
    ConnectSignal(bar, "deactivate", OnMenuClosed);
    ConnectSignal(bar, "button-press-event", OnMenuBarPressed);
    return bar;
}
