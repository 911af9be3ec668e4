// --list-pll: the table and the JSON of every PLL divider setting, their order, the marked one
// against the registers a run writes, bypass, -o and the locale.
#include "CliProcess.h"
#include "ScratchFolder.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <sstream>

namespace {

constexpr const char* kHeader = "   N   M   D  P3  Fpdf MHz  Fvco MHz  System MHz  Output MHz  "
                                "Error ppm  VCO error MHz  Exact";

struct Setting {
    int n;
    int m;
    int divider;
    bool operator==(const Setting&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Setting& s) {
    return out << "(N " << s.n << ", M " << s.m << ", D " << s.divider << ")";
}

struct TableRow {
    bool marked;
    Setting setting;
    std::string exact;
};

// The rows under the header, read back by their words.
std::vector<TableRow> Rows(const std::vector<std::string>& lines) {
    std::vector<TableRow> rows;
    for (std::size_t k = 1; k < lines.size(); ++k) {
        std::istringstream words(lines[k].substr(1));
        TableRow row{lines[k][0] == '*', {}, {}};
        std::string skip;
        words >> row.setting.n >> row.setting.m >> row.setting.divider;
        for (int column = 0; column < 7; ++column)
            words >> skip;
        words >> row.exact;
        rows.push_back(row);
    }
    return rows;
}

// The setting a plain run writes into PLL_DIVIDERS (N << 8 | M) and PLL_P_DIVIDERS ((D - 1) << 8).
Setting WrittenSetting(std::vector<std::string> args) {
    args.push_back("--json");
    const ProcessResult run = RunCli(args);
    EXPECT_EQ(run.status, 0) << run.err;
    const nlohmann::json registers = nlohmann::json::parse(run.out)["results"]["registers"];
    const int dividers = registers[0]["value"];
    const int pDividers = registers[1]["value"];
    return {dividers >> 8, dividers & 0xFF, (pDividers >> 8) + 1};
}

std::vector<std::string> With(std::vector<std::string> args, const char* more) {
    args.push_back(more);
    return args;
}

TEST(ListPll, TableOfTheSettingsBestFirstWithTheWizardsChoiceMarked) {
    struct Case {
        const char* what;
        std::vector<std::string> args;
        std::size_t rows;
        std::vector<Setting> first; // the first rows, in order
        Setting marked;             // D 0: only checked against the registers
        std::size_t exact;          // the exact rows, which come first
        int onlyN;                  // -1: any N
    };
    const Case cases[] = {
        {"defaults: the four exact settings, divider 6 before 4, then visit order",
         {},
         215,
         {{0, 24, 6}, {1, 48, 6}, {0, 16, 4}, {1, 32, 4}},
         {0, 24, 6},
         4,
         -1},
        {"fixed N", {"--pll-n", "1"}, 0, {{1, 48, 6}, {1, 32, 4}}, {1, 48, 6}, 2, 1},
        {"the minimum clock for 15 fps becomes the target",
         {"--use-min-freq", "--fps", "15"},
         0,
         {{0, 16, 8}, {1, 32, 8}, {0, 20, 10}, {1, 40, 10}, {0, 24, 12}, {1, 48, 12}},
         {0, 16, 8},
         6,
         -1},
        {"no exact setting", {"--system-freq", "44.1"}, 0, {}, {}, 0, -1},
        {"VCO target", {"--vco-freq", "500"}, 0, {}, {}, 4, -1},
        {"44 MHz input", {"--input-freq", "44", "--system-freq", "37.5"}, 1190, {}, {}, 0, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const ProcessResult run = RunCli(With(c.args, "--list-pll"));
        ASSERT_EQ(run.status, 0) << run.err;
        // A target the PLL cannot match is warned about; the table stays on standard output.
        EXPECT_TRUE(run.err.empty() || run.err.starts_with(kCliPrefix + std::string("warning: ")))
            << run.err;
        const std::vector<std::string> lines = OutputLines(run.out);
        ASSERT_GE(lines.size(), 2u);
        const std::vector<TableRow> rows = Rows(lines);
        if (c.rows != 0) {
            EXPECT_EQ(rows.size(), c.rows);
        }
        for (std::size_t k = 0; k < c.first.size(); ++k)
            EXPECT_EQ(rows[k].setting, c.first[k]) << "row " << k;
        // Aligned: every line as long as the header.
        for (const std::string& line : lines)
            EXPECT_EQ(line.size(), lines[0].size()) << line;
        std::vector<Setting> marked;
        for (std::size_t k = 0; k < rows.size(); ++k) {
            if (rows[k].marked)
                marked.push_back(rows[k].setting);
            EXPECT_EQ(rows[k].exact, k < c.exact ? "yes" : "no") << "row " << k;
            if (c.onlyN >= 0) {
                EXPECT_EQ(rows[k].setting.n, c.onlyN);
            }
        }
        ASSERT_EQ(marked.size(), 1u);
        if (c.marked.divider != 0) {
            EXPECT_EQ(marked[0], c.marked);
        }
        // The marked setting is the one the run puts into the registers.
        EXPECT_EQ(marked[0], WrittenSetting(c.args));
    }
}

TEST(ListPll, TheTableItself) {
    const ProcessResult run = RunCli({"--list-pll", "--vco-freq", "528"});
    ASSERT_EQ(run.status, 0) << run.err;
    const std::vector<std::string> lines = OutputLines(run.out);
    ASSERT_GE(lines.size(), 6u);
    EXPECT_EQ(lines[0], kHeader);
    EXPECT_EQ(lines[1], "*  0  24   6   5   11.0000  528.0000     44.0000     22.0000        0.0"
                        "         0.0000    yes");
    EXPECT_EQ(lines[3], "   0  16   4   3   11.0000  352.0000     44.0000     22.0000        0.0"
                        "       176.0000    yes");
    EXPECT_EQ(lines[5], "   1  47   6   5    5.5000  517.0000     43.0833     21.5417   -20833.3"
                        "        11.0000     no");
}

TEST(ListPll, FixedValuesOutsideTheLimitsListNothing) {
    const ProcessResult text = RunCli({"--list-pll", "--pll-m", "49", "--pll-n", "2"});
    ASSERT_EQ(text.status, 0) << text.err;
    EXPECT_EQ(text.out, "  N  M  D  P3  Fpdf MHz  Fvco MHz  System MHz  Output MHz  Error ppm  "
                        "VCO error MHz  Exact\n");
    const ProcessResult json = RunCli({"--list-pll", "--pll-m", "49", "--pll-n", "2", "--json"});
    ASSERT_EQ(json.status, 0) << json.err;
    EXPECT_EQ(json.out,
              "{\n  \"pllSolutions\": [],\n  \"pllBypassed\": false,\n  \"timingValid\": "
              "true,\n  \"adjustments\": [\n    \"Target System Frequency 44 MHz "
              "cannot be matched: no PLL divider setting fits the fixed M and N\"\n  ]\n}\n");
}

TEST(ListPll, JsonKeysInOrderWithNullsForWhatIsNotMeasured) {
    struct Case {
        std::vector<std::string> args;
        bool ppm;
        bool vco;
    };
    const Case cases[] = {
        {{}, true, false},
        {{"--system-freq", "0"}, false, false},
        {{"--vco-freq", "500"}, true, true},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = c.args;
        args.insert(args.end(), {"--list-pll", "--json"});
        const ProcessResult run = RunCli(args);
        ASSERT_EQ(run.status, 0) << run.err;
        const nlohmann::ordered_json json = nlohmann::ordered_json::parse(run.out);
        ASSERT_EQ(json["pllSolutions"].size(), 215u);
        EXPECT_FALSE(json["pllBypassed"].get<bool>());
        int chosen = 0;
        for (const auto& s : json["pllSolutions"]) {
            std::vector<std::string> keys;
            for (const auto& item : s.items())
                keys.push_back(item.key());
            EXPECT_EQ(keys, (std::vector<std::string>{
                                "n", "m", "divider", "p3", "fpdfMHz", "fvcoMHz", "systemFreqMHz",
                                "outputClockMHz", "errorPpm", "vcoErrorMHz", "exact", "chosen"}));
            EXPECT_EQ(s["errorPpm"].is_number(), c.ppm);
            EXPECT_EQ(s["vcoErrorMHz"].is_number(), c.vco);
            chosen += s["chosen"].get<bool>() ? 1 : 0;
        }
        EXPECT_EQ(chosen, 1);
    }
    const ProcessResult defaults = RunCli({"--list-pll", "--json"});
    const nlohmann::json first = nlohmann::json::parse(defaults.out)["pllSolutions"][0];
    EXPECT_EQ(first, nlohmann::json::parse(R"({"n": 0, "m": 24, "divider": 6, "p3": 5,
        "fpdfMHz": 11.0, "fvcoMHz": 528.0, "systemFreqMHz": 44.0, "outputClockMHz": 22.0,
        "errorPpm": 0.0, "vcoErrorMHz": null, "exact": true, "chosen": true})"));
    const ProcessResult high = RunCli({"--list-pll", "--json", "--system-freq", "44.1"});
    const nlohmann::json closest = nlohmann::json::parse(high.out)["pllSolutions"][0];
    EXPECT_NEAR(closest["errorPpm"].get<double>(), (44.0 - 44.1) / 44.1 * 1e6, 1e-6);
}

TEST(ListPll, ABypassedPllListsNoSetting) {
    const ProcessResult text = RunCli({"--list-pll", "--bypass-pll"});
    EXPECT_EQ(text.status, 0);
    EXPECT_EQ(text.out, "The PLL is bypassed: the system clock is the input clock, so there are "
                        "no divider settings to list.\n");
    const ProcessResult json = RunCli({"--list-pll", "--bypass-pll", "--json"});
    EXPECT_EQ(json.status, 0);
    EXPECT_EQ(json.out, "{\n  \"pllSolutions\": [],\n  \"pllBypassed\": true,\n  \"timingValid\": "
                        "true,\n  \"adjustments\": [\n    \"Max. Frames Rate 30 fps cannot be "
                        "matched: the timing gives 7.5 fps\"\n  ]\n}\n");
}

TEST(ListPll, OutputFileLocaleAndRefusals) {
    ScratchFolder folder;
    const std::string path = folder.File("pll.txt");
    const ProcessResult stdoutRun = RunCli({"--list-pll", "--input-freq", "12.5"});
    const ProcessResult fileRun = RunCli({"--list-pll", "--input-freq", "12.5", "-o", path});
    ASSERT_EQ(fileRun.status, 0) << fileRun.err;
    EXPECT_EQ(fileRun.out, "");
    EXPECT_EQ(ReadBytes(path), stdoutRun.out);
    EXPECT_EQ(RunCli({"--list-pll", "--input-freq", "12.5"},
                     WithEnvironment({"LC_ALL=de_DE.UTF-8", "LANG=de_DE.UTF-8"}))
                  .out,
              stdoutRun.out);
    const ProcessResult unwritable =
        RunCli({"--list-pll", "-o", folder.File("missing-folder/pll.txt")});
    EXPECT_EQ(unwritable.status, 1);

    const struct {
        std::vector<std::string> args;
        const char* line;
    } refusals[] = {
        {{"--list-pll", "--batch", "modes.jsonl", "--json"},
         "qx7r310-wizard-cli: option --list-pll: not with --batch; it lists the settings of one "
         "set of clock parameters\n"},
        {{"--list-pll=yes"},
         "qx7r310-wizard-cli: option --list-pll: invalid value \"yes\"; accepted: the option "
         "alone, without a value\n"},
    };
    for (const auto& r : refusals) {
        const ProcessResult run = RunCli(r.args);
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, r.line);
    }
}

} // namespace
