// The image request of the Image Timing form and the timing results computed for it.
#pragma once

#include <cstdint>
#include <string>

// Warning bits of CImageContext::m_nWarnings.
inline constexpr std::uint32_t kWarnFrameRate = 0x1;       // achieved rate misses the request
inline constexpr std::uint32_t kWarnHBlank = 0x2;          // mode 4 changed the requested HBlank
inline constexpr std::uint32_t kWarnVBlank = 0x4;          // mode 5 changed the requested VBlank
inline constexpr std::uint32_t kWarnOutputColumns = 0x8;   // columns outside the sensor
inline constexpr std::uint32_t kWarnOutputRows = 0x10;     // rows outside the sensor
inline constexpr std::uint32_t kWarnTimingBits = 0x1F;     // bits the image form clears
inline constexpr std::uint32_t kWarnSystemFreq = 0x100000; // target system clock not matched
inline constexpr std::uint32_t kWarnVcoFreq = 0x200000;    // target VCO frequency not matched
inline constexpr std::uint32_t kWarnInputFreq = 0x400000;  // input clock outside 4 to 44 MHz
inline constexpr std::uint32_t kWarnClockBits = 0x700000;  // bits the clock form clears

// Blanking computation modes (m_nBlankingMode).
inline constexpr int kBlankHMinThenV = 0;
inline constexpr int kBlankHMaxThenV = 1;
inline constexpr int kBlankVMinThenH = 2;
inline constexpr int kBlankVMaxThenH = 3;
inline constexpr int kBlankHFixedThenV = 4;
inline constexpr int kBlankVFixedThenH = 5;

// The members that carry request parameters get their construction values from the parameter
// table (Parameters.h).
struct CImageContext {
    // The image request at its defaults, except that it asks for 0 fps in low-power mode until the
    // Image Timing form writes its own request.
    CImageContext();

    double m_dFrameRate;         // requested frames per second
    double m_dMinFrameRate;      // frames per second, floor for variable frame rate
    int m_nOutputColumns;        // requested output columns
    int m_nOutputRows;           // requested output rows
    int m_bJpeg = 0;             // flag: JPEG output requested (stored only)
    int m_nHBlank;               // pixels of horizontal blanking asked for in mode 4
    int m_nVBlank;               // rows of vertical blanking asked for in mode 5
    int m_bLowPower;             // flag: low-power mode
    bool m_bTimingValid = false; // the last run produced numbers, not "n/a"
    double m_dRowTime = 0.0;     // result: row time in microseconds
    std::string m_strTimingReport;
    std::string m_strTimingSummary;
    int m_nBlankingMode;            // kBlank... mode, 0 to 5
    std::uint32_t m_nWarnings = 0;  // kWarn... bits, shared with the clock side
    double m_dMinClockOutput = 4.0; // result: MHz of clock output the request needs
    int m_bBinning = 0;             // flag: binning requested; always cleared by a run
    int m_bXOnly = 0;               // flag: binning in X only (stored only)
    int m_bAllowSkipping;           // flag: sensor may skip columns and rows
    int m_bHorzMirror = 0;          // flag: stored only
    int m_bVertFlip = 0;            // flag: stored only
    int m_bVariableFrameRate;       // flag: variable frame rate
};
