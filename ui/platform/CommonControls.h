// The look of the common controls: the application style, with the few pieces the window needs at
// start-up drawn in code.
#pragma once

// Installs the common-controls style for the whole application, once; later calls keep it. The
// style draws the group-box frames and the toolbar and menu-bar extension arrows itself instead
// of reading them from images, so that showing the window loads no image-format plug-ins.
void InitCommonControls();
