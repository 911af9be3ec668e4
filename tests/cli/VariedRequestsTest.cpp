// The command-line wizard over 240 varied requests: every result, report and settings file stays
// byte for byte what it was when the table was made.
#include "CliProcess.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iomanip>
#include <regex>
#include <sstream>

namespace {

// FNV-1a, 64 bits: enough to tell a changed byte in a line of a few kilobytes.
std::uint64_t Digest(const std::string& text) {
    std::uint64_t hash = 0xcbf29ce484222325ULL;
    for (const unsigned char c : text) {
        hash ^= c;
        hash *= 0x100000001b3ULL;
    }
    return hash;
}

// The build date in the version line is the day of the build, not part of the result.
std::string WithoutBuildDate(const std::string& line) {
    static const std::regex kDate("Build Date: [0-9]{2}/[0-9]{2}/[0-9]{4}");
    return std::regex_replace(line, kDate, "Build Date: --/--/----");
}

} // namespace

TEST(VariedRequests, EveryResultIsTheSameByteForByte) {
    const ProcessResult run = RunCli({"--batch", QX_VARIED_REQUESTS, "--json"});
    ASSERT_EQ(run.status, 0) << run.err;
    std::ifstream digestsFile(QX_VARIED_REQUESTS_DIGESTS);
    std::vector<std::string> expected;
    for (std::string line; std::getline(digestsFile, line);)
        expected.push_back(line);
    const std::vector<std::string> lines = OutputLines(run.out);
    ASSERT_EQ(lines.size(), expected.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::ostringstream digest;
        digest << "set-" << std::setw(3) << std::setfill('0') << i << ' ' << std::hex
               << std::setw(16) << Digest(WithoutBuildDate(lines[i]));
        EXPECT_EQ(digest.str(), expected[i]) << lines[i].substr(0, 400);
    }
}
