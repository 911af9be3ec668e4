// Register records and the register table as a new document lists them.
#include "Register.h"
#include "TestDocument.h"

#include <gtest/gtest.h>

namespace {

struct TableRow {
    const char* name;
    int driverGroup;
    int driverId;
    int address;
    std::uint32_t value;
    std::uint32_t mask;
    std::uint32_t fullMask;
    int hexDigits;
};

// clang-format off
const TableRow kExpectedRows[] = {
    {"pll_dividers",                  0, 0, 0x0010, 0x0366, 0x3FFF, 0xFFFF, 4},
    {"pll_p_dividers",                0, 0, 0x0012, 0x00F5, 0x0F00, 0xFFFF, 3},
    {"frame_length_lines",            1, 0, 0x300A, 0x01F9, 0xFFFF, 0xFFFF, 4},
    {"line_length_pck",               1, 0, 0x300C, 0x02D6, 0x1FFF, 0xFFFF, 4},
    {"fine_correction",               1, 0, 0x3010, 0x0010, 0x1FFF, 0xFFFF, 4},
    {"stat_fd_zone_height",           1, 6, 0x0003, 0x04,   0xFF,   0xFF,   2},
    {"cam_fd_config_fdperiod_50hz",   1, 8, 0x006E, 0x0097, 0xFFFF, 0xFFFF, 4},
    {"cam_fd_config_fdperiod_60hz",   1, 8, 0x0070, 0x0099, 0xFFFF, 0xFFFF, 4},
    {"cam_fd_config_search_f1_50",    1, 8, 0x0072, 0x0C,   0xFF,   0xFF,   2},
    {"cam_fd_config_search_f2_50",    1, 8, 0x0073, 0x0E,   0xFF,   0xFF,   2},
    {"cam_fd_config_search_f1_60",    1, 8, 0x0074, 0x0F,   0xFF,   0xFF,   2},
    {"cam_fd_config_search_f2_60",    1, 8, 0x0075, 0x11,   0xFF,   0xFF,   2},
    {"cam_fd_config_max_fdzone_50hz", 1, 8, 0x0076, 0x000E, 0xFFFF, 0xFFFF, 4},
    {"cam_fd_config_max_fdzone_60hz", 1, 8, 0x0078, 0x0010, 0xFFFF, 0xFFFF, 4},
    {"cam_ae_config_target_fdzone",   1, 8, 0x001A, 0x0004, 0xFFFF, 0xFFFF, 4},
};
// clang-format on

TEST(RegisterTable, NewDocumentListsTheRowsInTableOrder) {
    CKXC2280RegisterWizardDoc doc;
    doc.OnNewDocument();
    ASSERT_EQ(doc.m_Registers.size(), std::size(kExpectedRows));
    for (std::size_t i = 0; i < doc.m_Registers.size(); ++i) {
        const CRegister& reg = doc.m_Registers[i];
        const TableRow& row = kExpectedRows[i];
        SCOPED_TRACE(row.name);
        EXPECT_EQ(reg.m_strName, row.name);
        EXPECT_EQ(reg.m_bBitField, 0);
        EXPECT_EQ(reg.m_bDriverGroup, row.driverGroup);
        EXPECT_EQ(reg.m_nDriverId, row.driverId);
        EXPECT_EQ(reg.m_nAddress, row.address);
        EXPECT_EQ(reg.m_nMask, row.mask);
        EXPECT_EQ(reg.m_nFullMask, row.fullMask);
        EXPECT_EQ(reg.GetHexDigits(), row.hexDigits);
        if (i >= 2) { // rows 0 and 1 already hold the first clock calculation
            EXPECT_EQ(reg.m_nValue, row.value);
        }
    }
}

TEST(RegisterTable, FieldNamesAreTheUpperCaseNames) {
    EXPECT_EQ(kRegisterTable[0].fieldName, "PLL_DIVIDERS");
    EXPECT_EQ(kRegisterTable[14].fieldName, "CAM_AE_CONFIG_TARGET_FDZONE");
    for (const auto& row : kRegisterTable) {
        std::string upper(row.name);
        for (char& ch : upper)
            ch = static_cast<char>(ch >= 'a' && ch <= 'z' ? ch - 'a' + 'A' : ch);
        EXPECT_EQ(row.fieldName, upper);
    }
}

TEST(Register, DefaultRecord) {
    const CRegister reg;
    EXPECT_EQ(reg.m_nMask, 0xFFFFFFFFu);
    EXPECT_EQ(reg.m_nFullMask, 0xFFFFFFFFu);
    EXPECT_TRUE(reg.m_strName.empty());
    EXPECT_EQ(reg.m_bBitField, 0);
    EXPECT_EQ(reg.m_nAddress, 0);
    EXPECT_EQ(reg.m_bDriverGroup, 0);
    EXPECT_EQ(reg.m_nValue, 0u);
    EXPECT_EQ(reg.m_nDriverId, 0);
}

TEST(Register, SetDerivesTheFullMaskFromTheWidth) {
    const struct {
        int bits;
        std::uint32_t fullMask;
    } cases[] = {{16, 0xFFFF}, {8, 0xFF}, {40, 0xFFFFFFFF}, {32, 0xFFFFFFFF}, {0, 0}, {1, 1}};
    for (const auto& c : cases) {
        CRegister reg;
        reg.Set("x", 0, 1, 8, 0x72, static_cast<std::uint8_t>(c.bits), 12, 0xFF);
        EXPECT_EQ(reg.m_nFullMask, c.fullMask) << c.bits << " bits";
    }
}

TEST(Register, HexDigitsFollowTheFullMaskForBitFields) {
    const struct {
        int bitField;
        std::uint32_t mask;
        int bits;
        int digits;
    } cases[] = {
        {0, 0xF, 16, 1},  {0, 0x10, 16, 2},  {0, 0xFF, 16, 2},
        {0, 0x100, 8, 3}, {0, 0x1000, 8, 4}, {0, 0xFFFFFFFF, 8, 4},
        {1, 0xF, 16, 4},  {1, 0xFFFF, 8, 2}, {1, 0xFFFF, 4, 1},
    };
    for (const auto& c : cases) {
        CRegister reg;
        reg.Set("x", c.bitField, 1, 0, 0, static_cast<std::uint8_t>(c.bits), 0, c.mask);
        EXPECT_EQ(reg.GetHexDigits(), c.digits) << std::hex << c.mask << " bitfield " << c.bitField;
    }
}

TEST(Register, CopyIsIndependent) {
    CRegister source = MakeRegister(kRegisterTable[3]);
    CRegister copy = source;
    copy.m_nValue = 1234;
    copy.m_strName = "changed";
    EXPECT_EQ(source.m_nValue, 0x02D6u);
    EXPECT_EQ(source.m_strName, "line_length_pck");
    CRegister assigned;
    assigned = source;
    EXPECT_EQ(assigned.m_nAddress, 0x300C);
    EXPECT_EQ(assigned.m_nMask, 0x1FFFu);
}

} // namespace
