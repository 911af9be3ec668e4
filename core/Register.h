// One sensor register or firmware variable, and the constant table of the fifteen the wizard
// computes.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

class CRegister {
public:
    std::uint32_t m_nMask = 0xFFFFFFFFu;     // valid bits of the value; also its largest value
    std::string m_strName;                   // lower-case name shown in lists and comments
    int m_bBitField = 0;                     // flag: written to the settings file as a bit field
    int m_nAddress = 0;                      // sensor register address, or offset inside the driver
    int m_bDriverGroup = 0;                  // flag: 0 PLL group, 1 driver and timing group
    std::uint32_t m_nValue = 0;              // current value, overwritten by the calculations
    std::uint32_t m_nFullMask = 0xFFFFFFFFu; // 2^bits - 1 of the register width
    std::uint8_t m_nDriverId = 0;            // owning firmware driver; 0 for a sensor register

    // Arguments in the column order of a register table row.
    void Set(std::string_view name, int bBitField, int bDriverGroup, std::uint8_t nDriverId,
             int nAddress, std::uint8_t nBits, std::uint32_t nInitialValue, std::uint32_t nMask);

    // Hexadecimal digits (1 to 4) the value is printed with.
    int GetHexDigits() const;
};

// A row of the register table, in the argument order of CRegister::Set.
struct RegisterTableRow {
    std::string_view name;      // lower-case name
    std::string_view fieldName; // upper-case name used by the settings file's field form
    int bBitField;
    int bDriverGroup;
    std::uint8_t nDriverId;
    int nAddress;
    std::uint8_t nBits;
    std::uint32_t nInitialValue;
    std::uint32_t nMask;
};

inline constexpr std::size_t kRegisterCount = 15;

// Positions in the document's register list; a row's position is its identity.
enum RegisterRow : std::size_t {
    kRowPllDividers = 0,
    kRowPllPDividers = 1,
    kRowFrameLengthLines = 2,
    kRowLineLengthPck = 3,
    kRowFineCorrection = 4,
    kRowStatFdZoneHeight = 5,
    kRowFdPeriod50Hz = 6,
    kRowFdPeriod60Hz = 7,
    kRowSearchF1For50Hz = 8,
    kRowSearchF2For50Hz = 9,
    kRowSearchF1For60Hz = 10,
    kRowSearchF2For60Hz = 11,
    kRowMaxFdZone50Hz = 12,
    kRowMaxFdZone60Hz = 13,
    kRowAeTargetFdZone = 14,
};

extern const std::array<RegisterTableRow, kRegisterCount> kRegisterTable;

// A default record Set from a table row.
CRegister MakeRegister(const RegisterTableRow& row);
