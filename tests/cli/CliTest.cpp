// The command-line wizard as a user runs it: output, exit statuses, bad input, atomic -o, JSON.
#include "CliProcess.h"
#include "ScratchFolder.h"
#include "Version.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

std::string DefaultFile() {
    std::string expected = ReadBytes(QX_DEFAULT_SETTINGS);
    const std::string placeholder = "@VERSION@";
    const std::size_t at = expected.find(placeholder);
    EXPECT_NE(at, std::string::npos);
    return expected.replace(at, placeholder.size(), GetVersionText());
}

TEST(Cli, WritesTheDefaultSettingsFileToStandardOutput) {
    const ProcessResult run = RunCli({});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, DefaultFile());
    EXPECT_EQ(run.err, "");
}

TEST(Cli, RepeatedRunsGiveIdenticalBytesWhateverTheLocale) {
    const std::vector<std::string> args = {"--fps",        "14.645", "--columns",   "320",
                                           "--rows",       "240",    "--skipping",  "--low-power",
                                           "--blanking",   "hb=300", "--output-as", "fields",
                                           "--input-freq", "12.5",   "--hw-rev",    "1"};
    const ProcessResult first = RunCli(args);
    ASSERT_EQ(first.status, 0) << first.err;
    EXPECT_EQ(RunCli(args).out, first.out);
    EXPECT_EQ(RunCli(args, WithEnvironment({"LC_ALL=de_DE.UTF-8", "LANG=de_DE.UTF-8"})).out,
              first.out);
    EXPECT_NE(first.out.find("; Requested Frames Per Second: 14.645\r\n"), std::string::npos);
    EXPECT_NE(first.out.find("; Input Frequency: 12.500\r\n"), std::string::npos);
    EXPECT_NE(first.out.find("; Blanking Computation: HB = 300 then VB\r\n"), std::string::npos);
}

TEST(Cli, OptionsReachTheSettingsLines) {
    const ProcessResult bypass = RunCli({"--bypass-pll"});
    EXPECT_EQ(bypass.status, 0);
    EXPECT_NE(bypass.out.find("[PLL_settings]\r\n\r\n\r\n[Timing_settings]\r\n"),
              std::string::npos);

    const ProcessResult indirect = RunCli({"--addressing", "indirect"});
    EXPECT_EQ(indirect.status, 0);
    EXPECT_EQ(indirect.out.find("REG = 0x98E, 0x1000"), std::string::npos);
    EXPECT_NE(indirect.out.find("REG = 0x98E, 0x9803\t\t//stat_fd_zone_height\r\n"
                                "REG = 0x990, 0x07\t\t//      = 7\r\n"),
              std::string::npos);

    const ProcessResult fields = RunCli({"--output-as", "fields", "--addressing", "direct"});
    EXPECT_NE(fields.out.find("FIELD_WR = PLL_DIVIDERS, 0x0018\t\t//pll_dividers = 24\r\n"),
              std::string::npos);
    EXPECT_EQ(fields.out.find("REG = "), std::string::npos);

    const ProcessResult pll = RunCli({"--pll-n", "1", "--vco-freq", "-1", "--pll-m=-1"});
    EXPECT_EQ(pll.status, 0) << pll.err;
    EXPECT_NE(pll.out.find("REG = 0x0010, 0x0130\t\t//pll_dividers = 304\r\n"), std::string::npos);
}

struct BadInput {
    std::vector<std::string> args;
    const char* line; // the one line on standard error
};

const BadInput kBadInputs[] = {
    {{"--fps", "abc"},
     "qx7r310-wizard-cli: option --fps: invalid value \"abc\"; accepted: a number from 0 to 9999"},
    {{"--fps", "30fps"},
     "qx7r310-wizard-cli: option --fps: invalid value \"30fps\"; accepted: a number from 0 to "
     "9999"},
    {{"--fps", "30,5"},
     "qx7r310-wizard-cli: option --fps: invalid value \"30,5\"; accepted: a number from 0 to 9999"},
    {{"--input-freq", "nan"},
     "qx7r310-wizard-cli: option --input-freq: invalid value \"nan\"; accepted: a number from 0 "
     "to 9999"},
    {{"--system-freq", "inf"},
     "qx7r310-wizard-cli: option --system-freq: invalid value \"inf\"; accepted: a number from 0 "
     "to 9999"},
    {{"--min-fps", "1e999"},
     "qx7r310-wizard-cli: option --min-fps: invalid value \"1e999\"; accepted: a number from 0 "
     "to 9999999"},
    {{"--fps", "9999.5"},
     "qx7r310-wizard-cli: option --fps: invalid value \"9999.5\"; accepted: a number from 0 to "
     "9999"},
    {{"--vco-freq", "-2"},
     "qx7r310-wizard-cli: option --vco-freq: invalid value \"-2\"; accepted: a number from -1 "
     "to 9999"},
    {{"--columns", "10000"},
     "qx7r310-wizard-cli: option --columns: invalid value \"10000\"; accepted: an integer from 0 "
     "to 9999"},
    {{"--rows", "4.5"},
     "qx7r310-wizard-cli: option --rows: invalid value \"4.5\"; accepted: an integer from 0 to "
     "9999"},
    {{"--pll-m", "2147483648"},
     "qx7r310-wizard-cli: option --pll-m: invalid value \"2147483648\"; accepted: an integer "
     "from -2147483648 to 2147483647"},
    {{"--hw-rev", "3"},
     "qx7r310-wizard-cli: option --hw-rev: invalid value \"3\"; accepted: an integer from 1 to 2"},
    {{"--blanking", "hb=1000000"},
     "qx7r310-wizard-cli: option --blanking: invalid value \"hb=1000000\"; accepted: hb-min, "
     "hb-max, vb-min, vb-max, hb=N or vb=N with N an integer from 0 to 999999"},
    {{"--blanking", "HB-MIN"},
     "qx7r310-wizard-cli: option --blanking: invalid value \"HB-MIN\"; accepted: hb-min, "
     "hb-max, vb-min, vb-max, hb=N or vb=N with N an integer from 0 to 999999"},
    {{"--output-as", "register"},
     "qx7r310-wizard-cli: option --output-as: invalid value \"register\"; accepted: registers "
     "or fields"},
    {{"--addressing", ""},
     "qx7r310-wizard-cli: option --addressing: invalid value \"\"; accepted: direct or "
     "indirect"},
    {{"--fps", "3\n0"},
     "qx7r310-wizard-cli: option --fps: invalid value \"3\\x0A0\"; accepted: a number from 0 to "
     "9999"},
    {{"--fps"},
     "qx7r310-wizard-cli: option --fps: value missing; accepted: a number from 0 to 9999"},
    {{"--rows", "1", "--rows", "2"},
     "qx7r310-wizard-cli: option --rows: given more than once; accepted: once"},
    {{"--low-power=1"},
     "qx7r310-wizard-cli: option --low-power: invalid value \"1\"; accepted: the option alone, "
     "without a value"},
    {{"--frames", "30"},
     "qx7r310-wizard-cli: unknown option \"--frames\"; accepted: the options listed by --help"},
    {{"settings.ini"},
     "qx7r310-wizard-cli: unexpected argument \"settings.ini\"; accepted: options only, see "
     "--help"},
    {{"--params"},
     "qx7r310-wizard-cli: option --params: value missing; accepted: a file name, or - for "
     "standard input"},
    {{"--params", ""},
     "qx7r310-wizard-cli: option --params: invalid value \"\"; accepted: a file name, or - for "
     "standard input"},
    {{"--batch", "modes.jsonl"},
     "qx7r310-wizard-cli: option --output: not with --batch; its files go to --out-dir"},
    {{"--out-dir"}, "qx7r310-wizard-cli: option --out-dir: value missing; accepted: a folder name"},
};

TEST(Cli, BadInputGetsOneLineAndStatus2AndWritesNothing) {
    ScratchFolder folder;
    const std::string output = folder.File("settings.ini");
    WriteBytes(output, "previous");
    for (const BadInput& bad : kBadInputs) {
        std::vector<std::string> args = bad.args;
        args.insert(args.begin(), {"-o", output});
        SCOPED_TRACE(bad.line);
        const ProcessResult run = RunCli(args);
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.err, std::string(bad.line) + "\n");
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(ReadBytes(output), "previous");
    }
}

TEST(Cli, OutputOptionReplacesTheFileWithTheSameBytes) {
    ScratchFolder folder;
    const std::string output = folder.File("settings.ini");
    WriteBytes(output, std::string(20000, 'o'));
    const ProcessResult run = RunCli({"--output", output});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(ReadBytes(output), DefaultFile());
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.Path()), fs::directory_iterator()), 1);
}

TEST(Cli, AFailedWriteReportsStatus1AndKeepsWhatWasThere) {
    ScratchFolder folder;
    fs::create_directory(folder.Path() / "taken");
    WriteBytes(folder.File("taken/inside.ini"), "kept");
#ifdef _WIN32
    const std::string device = "NUL"; // refused: a device's reserved name
#else
    const std::string device = "/dev/full"; // written into, and the write fails
#endif
    for (const std::string& target :
         {folder.File("taken"), folder.File("missing/settings.ini"), device}) {
        SCOPED_TRACE(target);
        const ProcessResult run = RunCli({"-o", target});
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.err.rfind("qx7r310-wizard-cli: cannot write \"" + target + "\"", 0), 0u)
            << run.err;
        EXPECT_EQ(run.out, "");
    }
    EXPECT_TRUE(fs::is_directory(folder.Path() / "taken"));
    EXPECT_EQ(ReadBytes(folder.File("taken/inside.ini")), "kept");
    EXPECT_FALSE(fs::exists(folder.Path() / "missing"));
#ifndef _WIN32
    const ProcessResult full = RunCli({}, OutputTo("/dev/full"));
    EXPECT_EQ(full.status, 1);
    EXPECT_EQ(full.err, "qx7r310-wizard-cli: cannot write to standard output\n");
#endif
}

#ifndef _WIN32
TEST(Cli, AnOutputFileInAReadOnlyFolderSurvives) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "permission bits do not stop root";
    ScratchFolder folder;
    const std::string output = folder.File("settings.ini");
    WriteBytes(output, "previous");
    fs::permissions(folder.Path(), fs::perms::owner_read | fs::perms::owner_exec);
    const ProcessResult run = RunCli({"-o", output});
    fs::permissions(folder.Path(), fs::perms::owner_all);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(ReadBytes(output), "previous");
}
#endif

TEST(Cli, StandardIniSpliceAndItsFailure) {
    ScratchFolder folder;
    const std::string standard = folder.File("standard.ini");
    WriteBytes(standard, "[PLL_settings]\n// DO NOT REMOVE\n[Timing_settings]\n// DO NOT REMOVE\n");
    const ProcessResult spliced = RunCli({"--standard-ini", standard});
    EXPECT_EQ(spliced.status, 0);
    EXPECT_EQ(spliced.err, "qx7r310-wizard-cli: Do you want to use the Standard INI file? Yes\n");
    const std::string top = "; This file was generated by: QX7R310 Register Wizard\r\n;  " +
                            GetVersionText() +
                            "\r\n[PLL_settings]\r\n\r\n; Bypass PLL: Unchecked\r\n";
    EXPECT_EQ(spliced.out.substr(0, top.size()), top);

    // The standard file is read whole before the output replaces it, so both may be one file.
    const ProcessResult inPlace = RunCli({"--standard-ini", standard, "-o", standard});
    EXPECT_EQ(inPlace.status, 0);
    EXPECT_EQ(ReadBytes(standard), spliced.out);

    const ProcessResult failed = RunCli({"--standard-ini", folder.File("missing.ini")});
    EXPECT_EQ(failed.status, 3);
    EXPECT_EQ(failed.err, "qx7r310-wizard-cli: Do you want to use the Standard INI file? Yes\n"
                          "qx7r310-wizard-cli: Unable to open standard ini file!\n"
                          "Only output the existing data.\n");
    EXPECT_EQ(failed.out, DefaultFile());
}

TEST(Cli, JsonCarriesEveryParameterAndResult) {
    ScratchFolder folder;
    const std::string standard = folder.File("standard.ini");
    // Bytes that are no UTF-8 must not break the JSON.
    WriteBytes(standard,
               "\xFF\xFE latin \xE9\n[PLL_settings]\n// DO NOT REMOVE\n[Timing_settings]\n"
               "// DO NOT REMOVE\n");
    const ProcessResult plain = RunCli({"--json"});
    ASSERT_EQ(plain.status, 0);
    const nlohmann::json json = nlohmann::json::parse(plain.out);
    EXPECT_EQ(json["version"], GetVersionText());
    EXPECT_EQ(json["parameters"]["frameRate"], 30.0);
    EXPECT_EQ(json["parameters"]["outputColumns"], 640);
    EXPECT_EQ(json["parameters"]["blanking"], "hb-min");
    EXPECT_EQ(json["parameters"]["outputAs"], "registers");
    EXPECT_EQ(json["results"]["systemFreqMHz"], 44.0);
    EXPECT_EQ(json["results"]["hBlankUsed"], 78);
    EXPECT_EQ(json["results"]["vBlankUsed"], 17);
    ASSERT_EQ(json["results"]["registers"].size(), 15u);
    EXPECT_EQ(json["results"]["registers"][0]["value"], 24);
    EXPECT_EQ(json["results"]["registers"][1]["valueHex"], "0x500");
    EXPECT_EQ(json["results"]["registers"][5]["name"], "stat_fd_zone_height");
    EXPECT_EQ(json["results"]["registers"][5]["value"], 7);
    EXPECT_EQ(json["settingsFile"], DefaultFile());

    const ProcessResult spliced = RunCli({"--json", "--standard-ini", standard});
    ASSERT_EQ(spliced.status, 0);
    const nlohmann::json splicedJson = nlohmann::json::parse(spliced.out);
    EXPECT_TRUE(splicedJson["standardIniSpliced"].get<bool>());
    EXPECT_TRUE(splicedJson["parameters"]["useStandardIni"].get<bool>());
}

TEST(Cli, VariableFrameRateSetsTheMinimumAsItsCheckBoxDoes) {
    struct Case {
        std::vector<std::string> args;
        double minFrameRate;
    };
    const Case cases[] = {
        {{"--fps", "8", "--variable-frame-rate"}, 8.0},
        {{"--fps", "30", "--variable-frame-rate"}, 10.0},
        {{"--fps", "8", "--variable-frame-rate", "--min-fps", "15"}, 15.0},
        {{"--fps", "8"}, 10.0},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = c.args;
        args.push_back("--json");
        const ProcessResult run = RunCli(args);
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(nlohmann::json::parse(run.out)["parameters"]["minFrameRate"], c.minFrameRate)
            << args[1];
    }
}

TEST(Cli, HelpAndVersion) {
    const ProcessResult help = RunCli({"--help"});
    EXPECT_EQ(help.status, 0);
    for (const char* text : {"--input-freq",    "--system-freq",
                             "--vco-freq",      "--pll-m",
                             "--pll-n",         "--bypass-pll",
                             "--use-min-freq",  "--hw-rev",
                             "--fps",           "--columns",
                             "--rows",          "--skipping",
                             "--low-power",     "--variable-frame-rate",
                             "--min-fps",       "--blanking",
                             "--output-as",     "--addressing",
                             "--standard-ini",  "-o,--output",
                             "--json",          "--params",
                             "--batch",         "--out-dir",
                             "--from FILE.ini", "--list-pll",
                             "--version",       "3  the standard INI splice failed"})
        EXPECT_NE(help.out.find(text), std::string::npos) << text;

    const ProcessResult version = RunCli({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "QX7R310 Register Wizard command line, " + GetVersionText() + "\n");
}

} // namespace
