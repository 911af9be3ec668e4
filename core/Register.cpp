// CRegister operations and the register table data.
#include "Register.h"

#include <algorithm>
#include <cmath>

void CRegister::Set(std::string_view name, int bBitField, int bDriverGroup, std::uint8_t nDriverId,
                    int nAddress, std::uint8_t nBits, std::uint32_t nInitialValue,
                    std::uint32_t nMask) {
    m_strName = name;
    m_bBitField = bBitField;
    m_bDriverGroup = bDriverGroup;
    m_nDriverId = nDriverId;
    m_nAddress = nAddress;
    m_nValue = nInitialValue;
    m_nMask = nMask;
    // 2^32 - 1 is exact in double and fits the unsigned conversion.
    m_nFullMask = static_cast<std::uint32_t>(std::pow(2.0, std::min<int>(nBits, 32)) - 1.0);
}

int CRegister::GetHexDigits() const {
    const std::uint32_t mask = m_bBitField ? m_nFullMask : m_nMask;
    if (mask > 0xFFFu)
        return 4;
    if (mask > 0xFFu)
        return 3;
    if (mask > 0xFu)
        return 2;
    return 1;
}

CRegister MakeRegister(const RegisterTableRow& row) {
    CRegister reg;
    reg.Set(row.name, row.bBitField, row.bDriverGroup, row.nDriverId, row.nAddress, row.nBits,
            row.nInitialValue, row.nMask);
    return reg;
}

// clang-format off
const std::array<RegisterTableRow, kRegisterCount> kRegisterTable = {{
    {"pll_dividers",                  "PLL_DIVIDERS",                  0, 0, 0, 0x0010, 16, 0x0366, 0x3FFF},
    {"pll_p_dividers",                "PLL_P_DIVIDERS",                0, 0, 0, 0x0012, 16, 0x00F5, 0x0F00},
    {"frame_length_lines",            "FRAME_LENGTH_LINES",            0, 1, 0, 0x300A, 16, 0x01F9, 0xFFFF},
    {"line_length_pck",               "LINE_LENGTH_PCK",               0, 1, 0, 0x300C, 16, 0x02D6, 0x1FFF},
    {"fine_correction",               "FINE_CORRECTION",               0, 1, 0, 0x3010, 16, 0x0010, 0x1FFF},
    {"stat_fd_zone_height",           "STAT_FD_ZONE_HEIGHT",           0, 1, 6, 0x0003,  8, 0x04,   0xFF},
    {"cam_fd_config_fdperiod_50hz",   "CAM_FD_CONFIG_FDPERIOD_50HZ",   0, 1, 8, 0x006E, 16, 0x0097, 0xFFFF},
    {"cam_fd_config_fdperiod_60hz",   "CAM_FD_CONFIG_FDPERIOD_60HZ",   0, 1, 8, 0x0070, 16, 0x0099, 0xFFFF},
    {"cam_fd_config_search_f1_50",    "CAM_FD_CONFIG_SEARCH_F1_50",    0, 1, 8, 0x0072,  8, 0x0C,   0xFF},
    {"cam_fd_config_search_f2_50",    "CAM_FD_CONFIG_SEARCH_F2_50",    0, 1, 8, 0x0073,  8, 0x0E,   0xFF},
    {"cam_fd_config_search_f1_60",    "CAM_FD_CONFIG_SEARCH_F1_60",    0, 1, 8, 0x0074,  8, 0x0F,   0xFF},
    {"cam_fd_config_search_f2_60",    "CAM_FD_CONFIG_SEARCH_F2_60",    0, 1, 8, 0x0075,  8, 0x11,   0xFF},
    {"cam_fd_config_max_fdzone_50hz", "CAM_FD_CONFIG_MAX_FDZONE_50HZ", 0, 1, 8, 0x0076, 16, 0x000E, 0xFFFF},
    {"cam_fd_config_max_fdzone_60hz", "CAM_FD_CONFIG_MAX_FDZONE_60HZ", 0, 1, 8, 0x0078, 16, 0x0010, 0xFFFF},
    {"cam_ae_config_target_fdzone",   "CAM_AE_CONFIG_TARGET_FDZONE",   0, 1, 8, 0x001A, 16, 0x0004, 0xFFFF},
}};
// clang-format on
