// --from: a settings file the wizard wrote as the parameters of a run: regenerated, converted,
// overridden, under --params, fed to --list-pll, and refused with status 2.
#include "CliProcess.h"
#include "ScratchFolder.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <sys/stat.h>

namespace {

const std::string kPrefix = "qx7r310-wizard-cli: ";
const std::string kVariableFrameRateNote =
    "note: Variable frame rate and its minimum frame rate are not in the file: they keep their "
    "current values.\n";

std::vector<std::string> With(std::vector<std::string> args, const std::vector<std::string>& more) {
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

// Writes the settings file of args and returns its path.
std::string Written(const ScratchFolder& folder, const std::vector<std::string>& args) {
    const std::string path = folder.File("written.ini");
    const ProcessResult run = RunCli(With(args, {"-o", path}));
    EXPECT_EQ(run.status, 0) << run.err;
    return path;
}

TEST(From, ASettingsFileIsWrittenAgainByteForByte) {
    struct Case {
        std::vector<std::string> args;
        std::vector<std::string> again; // what the file cannot say, given again
    };
    const Case cases[] = {
        {{}, {}},
        {{"--input-freq", "48", "--fps", "15", "--columns", "320", "--rows", "240", "--skipping"},
         {}},
        {{"--bypass-pll", "--input-freq", "60"}, {}},
        {{"--use-min-freq", "--fps", "14.645"}, {}},
        {{"--low-power", "--blanking", "hb-max", "--hw-rev", "1"}, {}},
        {{"--blanking", "vb=40", "--fps", "7.5"}, {}},
        {{"--blanking", "hb=300", "--addressing", "indirect"}, {}},
        {{"--blanking", "vb-min", "--output-as", "fields"}, {}},
        {{"--vco-freq", "500", "--pll-m", "24", "--pll-n", "0", "--system-freq", "10"}, {}},
        {{"--fps", "0.5", "--columns", "648", "--rows", "1"}, {}},
        {{"--variable-frame-rate", "--min-fps", "2.5", "--fps", "8"},
         {"--variable-frame-rate", "--min-fps", "2.5"}},
    };
    ScratchFolder folder;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.args));
        const std::string path = Written(folder, c.args);
        const ProcessResult again = RunCli(With({"--from", path}, c.again));
        ASSERT_EQ(again.status, 0) << again.err;
        EXPECT_EQ(again.out, ReadBytes(path));
        EXPECT_EQ(again.err.rfind(kPrefix + "\"" + path + "\": " + kVariableFrameRateNote, 0), 0u)
            << again.err;
    }
}

TEST(From, OptionsOverTheFileAndTheFileOverParams) {
    ScratchFolder folder;
    const std::vector<std::string> args = {"--input-freq", "48",  "--fps",  "15",
                                           "--columns",    "320", "--rows", "240"};
    const std::string path = Written(folder, args);
    struct Case {
        std::vector<std::string> from;   // with --from
        std::vector<std::string> direct; // the same run without it
    };
    const Case cases[] = {
        {{"--from", path, "--output-as", "fields"}, With(args, {"--output-as", "fields"})},
        {{"--fps", "20", "--from", path},
         {"--input-freq", "48", "--fps", "20", "--columns", "320", "--rows", "240"}},
        {{"--from", path, "--list-pll"}, With(args, {"--list-pll"})},
        {{"--from", path, "--list-pll", "--json"}, With(args, {"--list-pll", "--json"})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.from));
        const ProcessResult from = RunCli(c.from);
        ASSERT_EQ(from.status, 0) << from.err;
        EXPECT_EQ(from.out, RunCli(c.direct).out);
    }

    // --params lies under the file, wherever it stands: the file's frame rate wins, and what the
    // file does not hold comes from the object.
    WriteBytes(folder.File("p.json"),
               R"({"frameRate": 8, "variableFrameRate": true, "minFrameRate": 5})");
    const ProcessResult layered =
        RunCli({"--from", path, "--params", folder.File("p.json"), "--rows", "200", "--json"});
    ASSERT_EQ(layered.status, 0) << layered.err;
    const nlohmann::json parameters = nlohmann::json::parse(layered.out)["parameters"];
    EXPECT_EQ(parameters["frameRate"], 15.0);
    EXPECT_EQ(parameters["inputFreqMHz"], 48.0);
    EXPECT_EQ(parameters["variableFrameRate"], true);
    EXPECT_EQ(parameters["minFrameRate"], 5.0);
    EXPECT_EQ(parameters["outputRows"], 200);
}

TEST(From, NotesOfWhatTheFileDoesNotHoldGoToStandardError) {
    ScratchFolder folder;
    const std::string path =
        Written(folder, {"--bypass-pll", "--input-freq", "44", "--output-as", "fields"});
    const ProcessResult run = RunCli({"--from", path});
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string name = kPrefix + "\"" + path + "\": note: ";
    EXPECT_EQ(run.err,
              name + kVariableFrameRateNote.substr(6) + name +
                  "The PLL was bypassed: the input frequency is taken from the system output "
                  "clock (half of it), and \"Use Min. Freq.\", the target system and VCO "
                  "frequencies, M and N are not in the file: they keep their current values.\n" +
                  name +
                  "The addressing of driver variables is not in a file of the field form: it "
                  "keeps its current value.\n");
}

TEST(From, FilesThatCannotBeReadGiveStatus2AndWriteNothing) {
    ScratchFolder folder;
    const std::string good = ReadBytes(Written(folder, {"--fps", "15"}));
    const std::string other = folder.File("other.ini");
    WriteBytes(other, "[Camera]\r\nGain=4\r\n");
    const std::string cut = folder.File("cut.ini");
    WriteBytes(cut, good.substr(0, good.find("[PLL_settings]")));
    const std::string binary = folder.File("binary.ini");
    WriteBytes(binary, std::string("\x7F"
                                   "ELF\x02\x01\x01\0\0\0",
                                   10));
    const std::string empty = folder.File("empty.ini");
    WriteBytes(empty, "");
    const std::string huge = folder.File("huge.ini");
    WriteBytes(huge, good + std::string(1024 * 1024, ';'));
    const std::string badNumber = folder.File("bad-number.ini");
    std::string damaged = good;
    const std::string fps = "; Requested Frames Per Second: 15.000";
    damaged.replace(damaged.find(fps), fps.size(), "; Requested Frames Per Second: 15,000");
    WriteBytes(badNumber, damaged);
    const std::string hwRev3 = folder.File("hw-rev-3.ini");
    std::string edited = good;
    const std::string hwRev = "; HW Rev: 2";
    edited.replace(edited.find(hwRev), hwRev.size(), "; HW Rev: 3");
    WriteBytes(hwRev3, edited);

    const struct {
        std::string path;
        std::string start; // of the one line after the program name
    } cases[] = {
        // The system's reason follows in the user's language.
        {folder.File("missing.ini"),
         "option --from: cannot open \"" + folder.File("missing.ini") + "\": "},
        {folder.Path().string(),
         "option --from: cannot open \"" + folder.Path().string() + "\": not a regular file"},
        {"", "option --from: invalid value \"\"; accepted: a file name"},
        {empty, "\"" + empty + "\": Line 1 of the settings file cannot be read"},
        {other, "\"" + other + "\": Line 1 of the settings file cannot be read"},
        {cut, "\"" + cut + "\": Line "},
        {binary, "\"" + binary + "\": Line 1 of the settings file cannot be read"},
        {huge, "\"" + huge +
                   "\": Line 1 of the settings file cannot be read: the file is larger "
                   "than 1 MiB"},
        {badNumber, "\"" + badNumber + "\": Line "},
        {hwRev3, "\"" + hwRev3 +
                     "\": the settings file gives 3 for \"HW Rev.\", which takes an integer from 1 "
                     "to 2"},
    };
    const std::string output = folder.File("out.ini");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        WriteBytes(output, "kept");
        for (const std::vector<std::string>& more :
             {std::vector<std::string>{"-o", output}, {"--list-pll", "-o", output}}) {
            const ProcessResult run = RunCli(With({"--from", c.path}, more));
            EXPECT_EQ(run.status, 2);
            EXPECT_EQ(run.out, "");
            EXPECT_EQ(run.err.rfind(kPrefix + c.start, 0), 0u) << run.err;
            EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
            EXPECT_EQ(ReadBytes(output), "kept");
        }
    }
    const ProcessResult twice = RunCli({"--from", cut, "--from", cut});
    EXPECT_EQ(twice.status, 2);
    EXPECT_EQ(twice.err, kPrefix + "option --from: given more than once; accepted: once\n");
}

} // namespace
