// The register values a settings file holds, read from its lines rather than recomputed: the
// file does not echo every parameter (the variable frame rate), so only its lines say what it
// writes.
#pragma once

#include "Register.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

// Per register table row, the value the file's lines give it; none for a row the file does not
// write (the PLL dividers of a bypassed PLL). Every line form is read (register or field form,
// direct or indirect addressing, spliced or plain) by the comment each line ends with,
// "//name = value" or, for the data line of an indirect write, "//      = value" after the
// address line's "//name". Lines of other names are ignored.
std::array<std::optional<std::uint32_t>, kRegisterCount>
ReadSettingsRegisterValues(std::string_view bytes);
