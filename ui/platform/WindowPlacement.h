// Placing a top-level window by its outer frame, window-manager decoration included.
#pragma once

#include <QMargins>
#include <QRect>
#include <functional>

class QWidget;

// The decoration the window manager puts around a top-level window.
using FrameMarginsOf = std::function<QMargins(const QWidget& window)>;

// Gives window the outer rectangle outer. A window manager reports its frame only after it has
// framed the shown window, so the window is sized again, once, when the decoration becomes
// known; a window maximised by then is left as it is. margins defaults to what the platform
// reports.
void SetOuterGeometry(QWidget& window, const QRect& outer, FrameMarginsOf margins = {});
