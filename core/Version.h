// The application title and the one-line version and build-date text.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

inline constexpr std::string_view kAppTitle = "QX7R310 Register Wizard";

using FileVersion = std::array<std::uint16_t, 4>;

// The version numbers compiled into this build.
std::optional<FileVersion> GetBuildFileVersion();

// "Version: a.b.c.d    Build Date: MM/DD/YYYY"; without a version "Version: -.-.-.-". The date
// text is the compiler's form, e.g. "Apr 21 2025".
std::string FormatVersionText(const std::optional<FileVersion>& version,
                              std::string_view compileDate);

// The text for this build.
std::string GetVersionText();
