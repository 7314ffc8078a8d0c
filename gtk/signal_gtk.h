// Signal connections without casts between function pointer types: each
// handler is a plain function over the signal's parameter values, reached
// through one closure marshaller.
#pragma once

#include <gtk/gtk.h>

// params[0] is the emitting object, params[1..] the signal's arguments.
// The result answers signals that return a boolean ("handled").
using SignalHandler = bool (*)(const GValue* params, guint count);

void ConnectSignal(gpointer instance, const char* signal, SignalHandler handler);

// The event argument of an event signal, or null.
GdkEvent* EventParameter(const GValue* params, guint count);
