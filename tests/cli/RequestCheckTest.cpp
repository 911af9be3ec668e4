// Requests the sensor cannot do are refused with nothing written; adjusted ones are written with a
// warning (refused with --strict); every other request keeps the bytes it always had.
#include "CliProcess.h"
#include "ScratchFolder.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdint>
#include <sstream>

namespace {

constexpr int kRefused = 4;

std::vector<std::string> Words(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> words;
    for (std::string word; in >> word;)
        words.push_back(word);
    return words;
}

// FNV-1a of a settings file without its second line, which carries the build date.
std::uint64_t Fingerprint(const std::string& file) {
    const std::size_t first = file.find("\r\n");
    const std::size_t second = file.find("\r\n", first + 2);
    if (first == std::string::npos || second == std::string::npos)
        return 0;
    const std::string kept = file.substr(0, first + 2) + file.substr(second + 2);
    std::uint64_t hash = 0xcbf29ce484222325u;
    for (const char c : kept) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 0x100000001b3u;
    }
    return hash;
}

struct Unchanged {
    const char* args;
    std::uint64_t fingerprint; // of the file the wizard wrote before requests were checked
};

// Valid requests across the options, adjusted ones among them (a clamped input clock, unmatched
// targets, clamped blanking): each still writes exactly what it wrote before.
constexpr Unchanged kUnchanged[] = {
    {"", 0x0ca4d32d79bdfac5u},
    {"--fps 15", 0xba94913112fc085du},
    {"--fps 7.5 --low-power", 0x27cb472fc5cbcd57u},
    {"--fps 60", 0x151f86bec53b4119u},
    {"--fps 5 --columns 320 --rows 240 --skipping", 0x35a4a9dbfd978330u},
    {"--fps 30 --columns 160 --rows 120 --skipping", 0x66491edf3e53ca52u},
    {"--fps 14.645 --columns 648 --rows 488", 0x8e28a6085ba7bdc7u},
    {"--columns 1 --rows 1", 0x8daa8416d58a4b07u},
    {"--blanking hb-max", 0x5d7558fd4914fe53u},
    {"--blanking vb-min", 0xccc05501a93ce335u},
    {"--blanking vb-max", 0x2b35287f8a4fbd2bu},
    {"--blanking hb=300", 0x9dd63fab09845dabu},
    {"--blanking vb=40 --fps 10", 0xea46d46f1524b1d2u},
    {"--blanking hb=20", 0x815e6e863e78c830u},
    {"--blanking vb=5", 0xb843614d8c53c2a9u},
    {"--hw-rev 1", 0xc9cd83ed022454ccu},
    {"--input-freq 12.5", 0x6ae4396cf5128df1u},
    {"--input-freq 27 --system-freq 48", 0x5556af96fb037094u},
    {"--input-freq 48", 0xfb38c2a9b52164d1u},
    {"--input-freq 2", 0xf9fb484f05e7fc63u},
    {"--system-freq 45.1", 0x89a3ac51d9902696u},
    {"--vco-freq 600", 0x21e094b012c416a1u},
    {"--vco-freq 528", 0x429b0d35b1fa7e45u},
    {"--pll-m 49 --pll-n 2", 0x3a18685a45f258c2u},
    {"--bypass-pll", 0x3900dd0495288149u},
    {"--bypass-pll --input-freq 24", 0xc88e594a8709e7edu},
    {"--use-min-freq", 0xe8085c9868577724u},
    {"--use-min-freq --fps 15 --columns 320 --rows 240 --skipping", 0x3cc70bc4e8e83457u},
    {"--variable-frame-rate", 0x646c3ad13c2f4c81u},
    {"--variable-frame-rate --min-fps 5", 0x9697eeabaa8e57d4u},
    {"--output-as fields", 0x01c2cce203e4d7a1u},
    {"--addressing indirect", 0xd01a22b026f0d7b9u},
    {"--output-as fields --low-power --fps 20", 0x6720e62158ae7c9du},
    {"--fps 0.1", 0xcc7d43967ff790ecu},
    {"--fps 200", 0xa65f736185f2c613u},
    {"--system-freq 20 --fps 60", 0x651541e5cde99ecfu},
};

TEST(RequestCheck, ValidRequestsWriteTheBytesTheyAlwaysWrote) {
    for (const Unchanged& c : kUnchanged) {
        const ProcessResult run = RunCli(Words(c.args));
        EXPECT_EQ(run.status, 0) << c.args << ": " << run.err;
        EXPECT_EQ(Fingerprint(run.out), c.fingerprint) << c.args;
    }
}

struct Checked {
    const char* args;
    const char* err; // standard error, without the program's prefix on each line
};

constexpr Checked kNotAvailable[] = {
    {"--columns 9000",
     "Output Columns 9000 is outside the sensor's 1 to 648 columns: the timing cannot be "
     "computed, so no settings file was written.\n"},
    {"--rows 0", "Output Rows 0 is outside the sensor's 1 to 488 rows: the timing cannot be "
                 "computed, so no settings file was written.\n"},
    {"--fps 0", "Max. Frames Rate 0 fps is at or below the slowest rate the sensor can time at "
                "this clock, 0.011 fps: the timing cannot be computed, so no settings file was "
                "written.\n"},
    {"--rows 700 --skipping",
     "Output Rows 700 is outside the sensor's 1 to 488 rows: the timing cannot be computed, so "
     "no settings file was written.\n"},
    {"--columns 0 --rows 9999",
     "Output Columns 0 is outside the sensor's 1 to 648 columns; Output Rows 9999 is outside the "
     "sensor's 1 to 488 rows: the timing cannot be computed, so no settings file was written.\n"},
};

constexpr Checked kAdjusted[] = {
    {"--input-freq 48", "warning: Input Frequency 48 MHz is outside the PLL's 4 to 44 MHz: the "
                        "clocks are computed for 44 MHz\n"},
    {"--fps 60", "warning: Max. Frames Rate 60 fps cannot be matched: the timing gives 30 fps\n"},
    {"--system-freq 45.1",
     "warning: Target System Frequency 45.1 MHz cannot be matched: the PLL gives 44 MHz\n"},
    {"--blanking vb=5", "warning: Vertical Blanking 5 rows is outside 17 to 16384 rows: the timing "
                        "uses 17 rows\n"},
};

// Each line of text with the program's prefix.
std::string Prefixed(const std::string& text) {
    std::string prefixed;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        prefixed += kCliPrefix + line + "\n";
    return prefixed;
}

TEST(RequestCheck, NotAvailableTimingWritesNothingAndSaysWhy) {
    ScratchFolder folder;
    const std::string target = folder.File("kept.ini");
    for (const Checked& c : kNotAvailable) {
        WriteBytes(target, "the user's file\r\n");
        std::vector<std::string> args = Words(c.args);
        const ProcessResult toStdout = RunCli(args);
        EXPECT_EQ(toStdout.status, kRefused) << c.args;
        EXPECT_EQ(toStdout.out, "") << c.args;
        EXPECT_EQ(toStdout.err, Prefixed(c.err)) << c.args;
        args.insert(args.end(), {"-o", target});
        EXPECT_EQ(RunCli(args).status, kRefused) << c.args;
        EXPECT_EQ(ReadBytes(target), "the user's file\r\n") << c.args;
        // A report still reports, and says the settings file would be refused.
        const ProcessResult json = RunCli(Words(std::string(c.args) + " --json"));
        EXPECT_EQ(json.status, 0) << c.args;
        const nlohmann::json parsed = nlohmann::json::parse(json.out);
        EXPECT_EQ(parsed["refusal"], std::string(c.err).substr(0, std::strlen(c.err) - 1));
        EXPECT_TRUE(parsed["settingsFile"].is_null()) << c.args;
        const nlohmann::json pll =
            nlohmann::json::parse(RunCli(Words(std::string(c.args) + " --list-pll --json")).out);
        EXPECT_EQ(pll["timingValid"], false) << c.args;
    }
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{"kept.ini"});
}

TEST(RequestCheck, AdjustedRequestsAreWrittenWithWarningsAndRefusedWhenStrict) {
    ScratchFolder folder;
    const std::string target = folder.File("kept.ini");
    for (const Checked& c : kAdjusted) {
        const ProcessResult run = RunCli(Words(c.args));
        EXPECT_EQ(run.status, 0) << c.args;
        EXPECT_EQ(run.err, Prefixed(c.err)) << c.args;
        EXPECT_NE(run.out, "") << c.args;
        const nlohmann::json json =
            nlohmann::json::parse(RunCli(Words(std::string(c.args) + " --json")).out);
        EXPECT_EQ(json["adjustments"].size(), 1u) << c.args;
        EXPECT_EQ(json["settingsFile"], run.out) << c.args;

        WriteBytes(target, "the user's file\r\n");
        const ProcessResult strict = RunCli(Words(std::string(c.args) + " --strict -o " + target));
        EXPECT_EQ(strict.status, kRefused) << c.args;
        EXPECT_EQ(strict.err,
                  Prefixed(std::string(c.err) + "--strict: the request was adjusted, so no "
                                                "settings file was written.\n"))
            << c.args;
        EXPECT_EQ(ReadBytes(target), "the user's file\r\n") << c.args;
    }
    EXPECT_EQ(RunCli({"--strict"}).status, 0);
}

TEST(RequestCheck, BatchLineThatCannotBeComputedFailsAlone) {
    ScratchFolder folder;
    const std::string batch = folder.File("modes.jsonl");
    WriteBytes(batch, "{\"name\": \"preview\", \"frameRate\": 15}\n"
                      "{\"name\": \"huge\", \"outputColumns\": 9000}\n"
                      "{\"name\": \"fast\", \"frameRate\": 60}\n");
    const ProcessResult run = RunCli({"--batch", batch, "--out-dir", folder.File("out")});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, Prefixed("\"" + batch + "\" line 2: " + kNotAvailable[0].err + "\"" + batch +
                                "\" line 3: " + kAdjusted[1].err));
    EXPECT_EQ(ReadBytes(folder.File("out/preview.ini")), RunCli({"--fps", "15"}).out);
    EXPECT_EQ(ReadBytes(folder.File("out/fast.ini")), RunCli({"--fps", "60"}).out);
    EXPECT_FALSE(std::filesystem::exists(folder.File("out/huge.ini")));
}

} // namespace
