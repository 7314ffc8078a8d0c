// One marshaller for every signal the shell listens to.
#include "gtk/signal_gtk.h"

namespace {

struct Connection {
    SignalHandler handler;
};

void Marshal(GClosure* closure, GValue* result, guint count, const GValue* params, gpointer, gpointer)
{
    const auto* connection = static_cast<const Connection*>(closure->data);
    const bool handled = connection->handler(params, count);
    if (result && G_VALUE_HOLDS_BOOLEAN(result))
        g_value_set_boolean(result, handled);
}

void Forget(gpointer data, GClosure*) { delete static_cast<Connection*>(data); }

}  // namespace

void ConnectSignal(gpointer instance, const char* signal, SignalHandler handler)
{
    auto* connection = new Connection{handler};
    GClosure* closure = g_closure_new_simple(sizeof(GClosure), connection);
    g_closure_add_finalize_notifier(closure, connection, Forget);
    g_closure_set_marshal(closure, Marshal);
    g_signal_connect_closure(instance, signal, closure, FALSE);
}

GdkEvent* EventParameter(const GValue* params, guint count)
{
    if (count < 2 || !G_VALUE_HOLDS(&params[1], GDK_TYPE_EVENT))
        return nullptr;
    return static_cast<GdkEvent*>(g_value_get_boxed(&params[1]));
}
