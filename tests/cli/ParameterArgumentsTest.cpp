// The parameter options, --params and --from as a library, the way another program takes the
// wizard's parameters after its own arguments.
#include "CliProcess.h"
#include "CommandLine.h"
#include "ScratchFolder.h"

#include <gtest/gtest.h>

namespace {

std::variant<ParameterSet, CliExit> Parse(std::vector<std::string> args,
                                          std::vector<std::string>* notes = nullptr) {
    args.insert(args.begin(), "qx7r310-wizard");
    std::vector<const char*> argv;
    for (const std::string& arg : args)
        argv.push_back(arg.c_str());
    return ParseParameterArguments("qx7r310-wizard", static_cast<int>(argv.size()), argv.data(),
                                   notes);
}

TEST(ParameterArguments, FileThenOptionsThenTheCheckBoxRule) {
    ScratchFolder folder;
    WriteBytes(folder.File("p.json"), R"({"frameRate": 8, "blanking": "hb=300"})");
    const auto parsed = Parse({"--variable-frame-rate", "--params", folder.File("p.json"),
                               "--columns", "320", "--standard-ini", "std.ini"});
    ASSERT_TRUE(std::holds_alternative<ParameterSet>(parsed));
    const ParameterSet& set = std::get<ParameterSet>(parsed);
    EXPECT_EQ(set.Number(ParameterIndex("frameRate")), 8.0);
    EXPECT_EQ(set.Number(ParameterIndex("blankingMode")), 4.0);
    EXPECT_EQ(set.Number(ParameterIndex("hBlank")), 300.0);
    EXPECT_EQ(set.Number(ParameterIndex("outputColumns")), 320.0);
    EXPECT_EQ(set.Number(ParameterIndex("outputRows")), 480.0);
    EXPECT_EQ(set.Number(ParameterIndex("minFrameRate")), 8.0);
    EXPECT_EQ(set.Number(ParameterIndex("useStandardIni")), 1.0);
    EXPECT_EQ(set.Text(ParameterIndex("standardIniPath")), "std.ini");
}

TEST(ParameterArguments, SettingsFileOverParamsUnderTheOptionsWithItsNotes) {
    ScratchFolder folder;
    const std::string ini = folder.File("mode.ini");
    ASSERT_EQ(RunCli({"--fps", "15", "--columns", "320", "--skipping", "-o", ini}).status, 0);
    WriteBytes(folder.File("p.json"), R"({"frameRate": 8, "minFrameRate": 4})");
    std::vector<std::string> notes;
    const auto parsed =
        Parse({"--rows", "200", "--from", ini, "--params", folder.File("p.json")}, &notes);
    ASSERT_TRUE(std::holds_alternative<ParameterSet>(parsed));
    const ParameterSet& set = std::get<ParameterSet>(parsed);
    EXPECT_EQ(set.Number(ParameterIndex("frameRate")), 15.0);
    EXPECT_EQ(set.Number(ParameterIndex("outputColumns")), 320.0);
    EXPECT_EQ(set.Number(ParameterIndex("allowSkipping")), 1.0);
    EXPECT_EQ(set.Number(ParameterIndex("outputRows")), 200.0);
    EXPECT_EQ(set.Number(ParameterIndex("minFrameRate")), 4.0);
    EXPECT_EQ(notes, (std::vector<std::string>{
                         "qx7r310-wizard: \"" + ini +
                         "\": note: Variable frame rate and its minimum frame rate are not in the "
                         "file: they keep their current values."}));

    const auto refused = Parse({"--from", folder.File("p.json")});
    ASSERT_TRUE(std::holds_alternative<CliExit>(refused));
    EXPECT_EQ(std::get<CliExit>(refused).status, kExitBadUsage);
    EXPECT_EQ(std::get<CliExit>(refused).text.rfind("qx7r310-wizard: \"" + folder.File("p.json") +
                                                        "\": Line 1 of the settings file",
                                                    0),
              0u);
}

TEST(ParameterArguments, RefusalsNameTheProgramAndNoOutputOptionIsTaken) {
    const struct {
        std::vector<std::string> args;
        const char* text;
    } cases[] = {
        {{"--fps", "abc"},
         "qx7r310-wizard: option --fps: invalid value \"abc\"; accepted: a "
         "number from 0 to 9999\n"},
        {{"--json"},
         "qx7r310-wizard: unknown option \"--json\"; accepted: the options listed "
         "by --help\n"},
        {{"--low-power=yes"},
         "qx7r310-wizard: option --low-power: invalid value \"yes\"; "
         "accepted: the option alone, without a value\n"},
        {{"--params", "/nonexistent/p.json"},
         "qx7r310-wizard: option --params: cannot read \"/nonexistent/p.json\": "},
    };
    for (const auto& c : cases) {
        const auto parsed = Parse(c.args);
        ASSERT_TRUE(std::holds_alternative<CliExit>(parsed)) << c.text;
        const CliExit& exit = std::get<CliExit>(parsed);
        EXPECT_EQ(exit.status, kExitBadUsage);
        EXPECT_EQ(exit.text.rfind(c.text, 0), 0u) << exit.text;
    }
    const auto help = Parse({"--help"});
    ASSERT_TRUE(std::holds_alternative<CliExit>(help));
    EXPECT_EQ(std::get<CliExit>(help).status, kExitOk);
    EXPECT_NE(std::get<CliExit>(help).text.find("--min-fps FPS"), std::string::npos);
    EXPECT_EQ(std::get<CliExit>(help).text.find("-o,--output"), std::string::npos);
}

} // namespace
