// The version and build-date line.
#include "Version.h"

#include <gtest/gtest.h>

namespace {

TEST(VersionText, FormatsVersionAndDate) {
    const struct {
        std::optional<FileVersion> version;
        const char* date;
        const char* text;
    } cases[] = {
        {FileVersion{2, 5, 0, 1234}, "Apr 21 2025",
         "Version: 2.5.0.1234    Build Date: 04/21/2025"},
        {std::nullopt, "Apr 21 2025", "Version: -.-.-.-    Build Date: 04/21/2025"},
        {FileVersion{1, 0, 0, 0}, "Dec  9 2026", "Version: 1.0.0.0    Build Date: 12/09/2026"},
        {FileVersion{65535, 0, 10, 7}, "Jan  1 1999",
         "Version: 65535.0.10.7    Build Date: 01/01/1999"},
        {std::nullopt, "Xyz 15 2024", "Version: -.-.-.-    Build Date: 00/15/2024"},
        {std::nullopt, "apr 15 2024", "Version: -.-.-.-    Build Date: 00/15/2024"},
        {std::nullopt, "Sep 30 99", "Version: -.-.-.-    Build Date: 09/30/0099"},
        {std::nullopt, "", "Version: -.-.-.-    Build Date: 00/00/0000"},
        {std::nullopt, "Oct", "Version: -.-.-.-    Build Date: 10/00/0000"},
        {std::nullopt, "Nov 7", "Version: -.-.-.-    Build Date: 11/07/0000"},
        {std::nullopt, "Febr 7 2020", "Version: -.-.-.-    Build Date: 02/00/0000"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatVersionText(c.version, c.date), c.text) << c.date;
}

TEST(VersionText, ThisBuildCarriesTheProjectVersion) {
    ASSERT_TRUE(GetBuildFileVersion().has_value());
    const std::string text = GetVersionText();
    EXPECT_EQ(text.substr(0, 9), "Version: ");
    EXPECT_NE(text.find(std::to_string((*GetBuildFileVersion())[0]) + "."), std::string::npos);
    const auto date = text.find("    Build Date: ");
    ASSERT_NE(date, std::string::npos);
    EXPECT_EQ(text.size(), date + 16 + 10);
    EXPECT_EQ(text[date + 18], '/');
    EXPECT_EQ(text[date + 21], '/');
}

} // namespace
