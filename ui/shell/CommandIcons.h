// Toolbar images drawn in code, so that no image file or image plug-in is loaded at start-up.
#pragma once

#include <QIcon>

// The 16 by 15 pixel image of a toolbar command; a null icon for a command without one.
QIcon CommandIcon(int commandId);
