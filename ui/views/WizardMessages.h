// Wizard message numbers exchanged between the views and the main frame, which routes them.
#pragma once

#include <cstdint>

// Private window messages exchanged between the views and the main frame.
inline constexpr unsigned WM_WIZ_STATUS_TEXT = 0x78;       // sent; wParam points at the help text
inline constexpr unsigned WM_WIZ_SHOW_PAGE = 0x400;        // posted by the tree; wParam = page id
inline constexpr unsigned WM_WIZ_SELECT_TREE_ITEM = 0x41C; // posted by the tab strip; wParam = tab
inline constexpr unsigned WM_WIZ_RECALC_CONTEXT = 0x41D;   // posted by the Image Timing form
inline constexpr unsigned WM_WIZ_RECALC_CLOCKS =
    0x41F; // posted when the Clock Settings page is chosen
inline constexpr unsigned WM_WIZ_SET_DEFAULTS = 0x420; // sent by File > Set Defaults
// Posted by either form after a recalculation; wParam = the context index. The timing diagram and
// the Image Timing form show the document's timing again; nothing is computed.
inline constexpr unsigned WM_WIZ_TIMING_CHANGED = 0x421;
// Posted by either form after a recalculation that ran the clock side; the Clock Settings form
// shows the document's clock again and the PLL Solutions page lists the candidates again.
inline constexpr unsigned WM_WIZ_CLOCKS_RECALCULATED = 0x423;
// Posted by the PLL Solutions page; wParam = PackPllSetting(N, M, D) of the row to use. The Clock
// Settings form fixes M and N and targets the row's system clock.
inline constexpr unsigned WM_WIZ_USE_PLL_SOLUTION = 0x424;
// Sent by the main frame, after a settings file was read and its parameters put into the document,
// to the Clock Settings form, the full Image Timing form and the register view, in this order.
// wParam = address of the ParameterSet read, valid only during the call: each view reloads the
// parameters it gives from the document, keeps the others, and recalculates as Set Defaults does.
inline constexpr unsigned WM_WIZ_RESTORE_PARAMETERS = 0x425;
// Posted by the register view after the user chose the output form or the addressing of the
// settings lines.
inline constexpr unsigned WM_WIZ_OUTPUT_FORM_CHANGED = 0x426;

// Posted by the PLL Solutions page: the Clock Settings form frees M and N again and recalculates,
// so every setting for the target clock is listed again.
inline constexpr unsigned WM_WIZ_FREE_PLL_DIVIDERS = 0x427;
// Sent by the main frame to the views of the page it just showed; wParam = address of a QString
// that a view sets to the help text of its control that has the focus, and leaves alone when the
// focus is not in it or that control has no help text.
inline constexpr unsigned WM_WIZ_GET_FOCUS_HINT = 0x428;

// N, M and D of a PLL setting in one message parameter, 8 bits each.
constexpr std::uintptr_t PackPllSetting(int n, int m, int d) {
    return (static_cast<std::uintptr_t>(n & 0xFF) << 16) |
           (static_cast<std::uintptr_t>(m & 0xFF) << 8) | static_cast<std::uintptr_t>(d & 0xFF);
}
constexpr int PackedPllN(std::uintptr_t packed) {
    return static_cast<int>((packed >> 16) & 0xFF);
}
constexpr int PackedPllM(std::uintptr_t packed) {
    return static_cast<int>((packed >> 8) & 0xFF);
}
constexpr int PackedPllD(std::uintptr_t packed) {
    return static_cast<int>(packed & 0xFF);
}

struct WizardMessage {
    unsigned message = 0;
    std::uintptr_t wParam = 0;
    std::intptr_t lParam = 0;

    friend bool operator==(const WizardMessage&, const WizardMessage&) = default;
};
