// Help access. The viewer is not loaded yet: help does nothing for now.
#include "files/help_win.h"

void ShowHelpTopic(const char*) {}
