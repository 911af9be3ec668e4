// Parameters as JSON in (--params) and several modes in one run (--batch): round trips, batch runs
// against single runs, and every refusal of bad input.
#include "CliProcess.h"
#include "ScratchFolder.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <sstream>
#include <vector>
#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace fs = std::filesystem;

namespace {

const std::string kPrefix = kCliPrefix;

// Parameter sets that between them turn every flag on and off and use every blanking mode, the
// field form, indirect addressing, fixed PLL values and a timing that is "n/a". The standard INI
// file of the last set is made by the test.
std::vector<std::vector<std::string>> ParameterSets(const std::string& standardIni) {
    return {
        {},
        {"--bypass-pll", "--input-freq", "60"},
        {"--use-min-freq", "--fps", "14.645"},
        {"--skipping", "--columns", "320", "--rows", "240"},
        {"--low-power", "--blanking", "hb-max"},
        {"--variable-frame-rate", "--fps", "8"},
        {"--variable-frame-rate", "--min-fps", "2.5", "--blanking", "vb-min"},
        {"--blanking", "vb-max", "--output-as", "fields"},
        {"--blanking", "hb=300", "--addressing", "indirect"},
        {"--blanking", "vb=40", "--fps", "7.5", "--hw-rev", "1"},
        {"--vco-freq", "500", "--pll-m", "24", "--pll-n", "0", "--system-freq", "10"},
        {"--fps", "0.5", "--columns", "648", "--rows", "1"},
        {"--standard-ini", standardIni, "--input-freq", "12.5"},
    };
}

std::string StandardIni(const ScratchFolder& folder) {
    const std::string path = folder.File("standard.ini");
    WriteBytes(path, "[PLL_settings]\n// DO NOT REMOVE\n[Timing_settings]\n// DO NOT REMOVE\n");
    return path;
}

std::vector<std::string> With(std::vector<std::string> args, std::vector<std::string> more) {
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

nlohmann::json Parsed(const std::string& text) {
    return nlohmann::json::parse(text);
}

TEST(Params, JsonOutputFedBackGivesTheSameBytes) {
    ScratchFolder folder;
    for (const std::vector<std::string>& args : ParameterSets(StandardIni(folder))) {
        SCOPED_TRACE(testing::PrintToString(args));
        const ProcessResult direct = RunCli(args);
        const ProcessResult json = RunCli(With(args, {"--json"}));
        ASSERT_EQ(json.status, 0) << json.err;
        WriteBytes(folder.File("whole.json"), json.out);
        WriteBytes(folder.File("parameters.json"), Parsed(json.out)["parameters"].dump());

        const ProcessResult fromWhole = RunCli({"--params", folder.File("whole.json")});
        EXPECT_EQ(fromWhole.status, direct.status);
        EXPECT_EQ(fromWhole.out, direct.out);
        EXPECT_EQ(fromWhole.err, direct.err);
        const ProcessResult jsonAgain =
            RunCli({"--params", folder.File("parameters.json"), "--json"});
        EXPECT_EQ(jsonAgain.out, json.out);
        const ProcessResult fromStdin =
            RunCli({"--params", "-"}, InputFrom(folder.File("parameters.json")));
        EXPECT_EQ(fromStdin.out, direct.out);
    }
}

TEST(Params, OptionsOverrideTheFileAndKeysLeftOutKeepTheirDefaults) {
    ScratchFolder folder;
    WriteBytes(folder.File("p.json"),
               R"({"frameRate": 8, "variableFrameRate": true, "outputAs": "fields"})");
    const ProcessResult run = RunCli({"--params", folder.File("p.json"), "--fps", "15", "--json"});
    ASSERT_EQ(run.status, 0) << run.err;
    const nlohmann::json parameters = Parsed(run.out)["parameters"];
    EXPECT_EQ(parameters["frameRate"], 15.0);
    EXPECT_EQ(parameters["outputAs"], "fields");
    // The file gives no minimum, so the box's rule sets it from the frame rate the run uses.
    EXPECT_EQ(parameters["minFrameRate"], 10.0);
    EXPECT_EQ(parameters["outputColumns"], 640);
    EXPECT_EQ(RunCli({"--params", folder.File("p.json"), "--fps", "15"}).out,
              RunCli({"--fps", "15", "--variable-frame-rate", "--output-as", "fields"}).out);
}

TEST(Batch, EachLineGivesTheFileOfASingleRun) {
    ScratchFolder folder;
    const std::vector<std::vector<std::string>> sets = ParameterSets(StandardIni(folder));
    std::string lines = "# one mode per line\n\n";
    for (std::size_t i = 0; i < sets.size(); ++i) {
        nlohmann::json line = Parsed(RunCli(With(sets[i], {"--json"})).out)["parameters"];
        line["name"] = "mode-" + std::to_string(i);
        lines += line.dump() + "\n";
    }
    WriteBytes(folder.File("modes.jsonl"), lines);

    const ProcessResult batch = RunCli(
        {"--batch", folder.File("modes.jsonl"), "--out-dir", folder.File("out"), "--skipping"});
    EXPECT_EQ(batch.status, 0) << batch.err;
    const ProcessResult json = RunCli({"--batch", folder.File("modes.jsonl"), "--json"});
    EXPECT_EQ(json.status, 0) << json.err;
    std::istringstream jsonLines(json.out);
    std::string jsonLine;
    for (std::size_t i = 0; i < sets.size(); ++i) {
        SCOPED_TRACE(testing::PrintToString(sets[i]));
        const std::string name = "mode-" + std::to_string(i);
        EXPECT_EQ(ReadBytes(folder.File("out/" + name + ".ini")),
                  RunCli(With(sets[i], {"--skipping"})).out);
        ASSERT_TRUE(std::getline(jsonLines, jsonLine));
        nlohmann::json fromBatch = Parsed(jsonLine);
        EXPECT_EQ(fromBatch["name"], name);
        fromBatch.erase("name");
        EXPECT_EQ(fromBatch, Parsed(RunCli(With(sets[i], {"--json"})).out));
    }
    EXPECT_FALSE(std::getline(jsonLines, jsonLine));
    EXPECT_EQ(
        std::distance(fs::directory_iterator(folder.Path() / "out"), fs::directory_iterator()),
        static_cast<long>(sets.size()));
}

struct BadObject {
    const char* text;    // a parameter object, or what stands in for one
    const char* message; // the line on standard error after the input's name
};

const BadObject kBadObjects[] = {
    {R"({"frameRate": 30,)", "not JSON: parse error at line 1, column 18: syntax error while "
                             "parsing object key - unexpected end of input; expected string "
                             "literal"},
    {"30", "not a JSON object but a number; accepted: an object of parameters, or the JSON output "
           "of the command line"},
    {R"({"frameRat": 30})", R"(unknown key "frameRat"; did you mean "frameRate"?)"},
    {R"({"fps": 30})", R"(unknown key "fps"; did you mean "frameRate"?)"},
    {R"({"frameRate": "30"})", R"(key "frameRate": a string where a number is due)"},
    {R"({"lowPower": 1})", R"(key "lowPower": a number where true or false is due)"},
    {R"({"outputAs": false})", R"(key "outputAs": false where a string is due)"},
    {R"({"frameRate": 10000})",
     R"(key "frameRate": invalid value 10000; accepted: a number from 0 to 9999)"},
    {R"({"outputRows": 4.5})",
     R"(key "outputRows": invalid value 4.5; accepted: an integer from 0 to 9999)"},
    {R"({"hwRev": 3})", R"(key "hwRev": invalid value 3; accepted: an integer from 1 to 2)"},
    {R"({"blanking": "hb=1000000"})",
     R"(key "blanking": invalid value "hb=1000000"; accepted: hb-min, hb-max, vb-min, vb-max, )"
     R"(hb=N or vb=N with N an integer from 0 to 999999)"},
    {R"({"minFrameRate": -1e999})",
     R"(key "minFrameRate": -1e999 is not a finite number; accepted: a number from 0 to 9999999)"},
    {R"({"frameRate": 30, "frameRate": 31})", R"(key "frameRate": given twice; accepted: once)"},
    {R"({"blankingMode": 1, "blanking": "hb-min"})",
     R"(key "blanking": disagrees with key "blankingMode"; accepted: values that agree)"},
    {R"({"parameters": [30]})", R"(key "parameters": an array where an object is due)"},
};

TEST(Params, BadInputGetsStatus2AndOneLineAndWritesNothing) {
    ScratchFolder folder;
    const std::string output = folder.File("settings.ini");
    const std::string params = folder.File("params.json");
    for (const BadObject& bad : kBadObjects) {
        SCOPED_TRACE(bad.text);
        WriteBytes(output, "previous");
        WriteBytes(params, bad.text);
        const ProcessResult run = RunCli({"--params", params, "-o", output});
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.err, kPrefix + "\"" + params + "\": " + bad.message + "\n");
        EXPECT_EQ(ReadBytes(output), "previous");
        const ProcessResult piped = RunCli({"--params", "-", "-o", output}, InputFrom(params));
        EXPECT_EQ(piped.err, kPrefix + "standard input: " + bad.message + "\n");
    }
    std::vector<std::string> unreadables{folder.File("missing.json"), folder.Path().string()};
#ifndef _WIN32
    // A device that never ends: refused at the size cap instead of filling the memory.
    unreadables.push_back("/dev/zero");
#endif
    for (const std::string& unreadable : unreadables) {
        const ProcessResult run = RunCli({"--params", unreadable, "-o", output});
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(
            run.err.rfind(kPrefix + "option --params: cannot read \"" + unreadable + "\": ", 0), 0u)
            << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1);
        EXPECT_EQ(ReadBytes(output), "previous");
    }
}

TEST(Batch, ABadLineFailsAloneWithItsLineNumber) {
    ScratchFolder folder;
    const std::string batch = folder.File("modes.jsonl");
    for (const BadObject& bad : kBadObjects) {
        SCOPED_TRACE(bad.text);
        WriteBytes(batch, std::string("{\"name\": \"before\"}\n") + bad.text +
                              "\n{\"name\": \"after\", \"frameRate\": 15}\n");
        fs::remove_all(folder.Path() / "out");
        const ProcessResult run = RunCli({"--batch", batch, "--out-dir", folder.File("out")});
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.err, kPrefix + "\"" + batch + "\" line 2: " + bad.message + "\n");
        EXPECT_EQ(ReadBytes(folder.File("out/before.ini")), RunCli({}).out);
        EXPECT_EQ(ReadBytes(folder.File("out/after.ini")), RunCli({"--fps", "15"}).out);
        EXPECT_EQ(
            std::distance(fs::directory_iterator(folder.Path() / "out"), fs::directory_iterator()),
            2);
    }
}

TEST(Batch, NamesAreFileNamesOfTheirOwn) {
    ScratchFolder folder;
    const std::string batch = folder.File("modes.jsonl");
    WriteBytes(batch, "{\"name\": \"video\"}\r\n"
                      "  # a comment after blanks\n"
                      "\t\n"
                      "{}\n"
                      "{\"name\": \"video\", \"frameRate\": 15}\n"
                      "{\"name\": \"line-4\"}\n"
                      "{\"name\": \"\"}\n"
                      "{\"name\": \"..\"}\n"
                      "{\"name\": \"a/b\"}\n"
                      "{\"name\": \"tab\\there\"}\n"
                      "{\"name\": 7}\n");
    const ProcessResult run = RunCli({"--batch", batch, "--out-dir", folder.File("new/out")});
    EXPECT_EQ(run.status, 1);
    const std::string line = kPrefix + "\"" + batch + "\" line ";
    const std::string plain = "; accepted: a name that is not empty, \".\" or \"..\" and has no "
                              "\"/\" and no control characters\n";
    EXPECT_EQ(run.err,
              line + "5: name \"video\" already used by line 1; accepted: a name of its own\n" +
                  line +
                  "6: name \"line-4\" already used by line 4; accepted: a name of its own\n" +
                  line + "7: name \"\" is no plain file name" + plain + line +
                  "8: name \"..\" is no plain file name" + plain + line +
                  "9: name \"a/b\" is no plain file name" + plain + line +
                  "10: name \"tab\\x09here\" is no plain file name" + plain + line +
                  "11: key \"name\": a number where a string is due\n");
    EXPECT_EQ(ReadBytes(folder.File("new/out/video.ini")), RunCli({}).out);
    EXPECT_EQ(ReadBytes(folder.File("new/out/line-4.ini")), RunCli({}).out);
    EXPECT_EQ(
        std::distance(fs::directory_iterator(folder.Path() / "new/out"), fs::directory_iterator()),
        2);
}

TEST(Batch, FilesAreReplacedWholeKeepingTheirPermissions) {
    ScratchFolder folder;
    const fs::path out = folder.Path() / "out";
    fs::create_directories(out / "taken.ini");
    WriteBytes((out / "kept.ini").string(), "previous");
#ifndef _WIN32
    ::chmod((out / "kept.ini").c_str(), 0640);
#endif
    WriteBytes(folder.File("modes.jsonl"),
               "{\"name\": \"kept\", \"lowPower\": true}\n{\"name\": \"taken\"}\n");
    const ProcessResult run =
        RunCli({"--batch", folder.File("modes.jsonl"), "--out-dir", out.string()});
    EXPECT_EQ(run.status, 1);
    const std::string line = kPrefix + "\"" + folder.File("modes.jsonl") + "\" line ";
    EXPECT_EQ(run.err, line +
                           "1: warning: Max. Frames Rate 30 fps cannot be matched: the timing "
                           "gives 15.65 fps\n" +
                           line + "2: cannot write \"" + out.string() +
                           "/taken.ini\": it is a folder\n");
    EXPECT_EQ(ReadBytes((out / "kept.ini").string()), RunCli({"--low-power"}).out);
#ifndef _WIN32
    struct stat info {};
    ASSERT_EQ(::stat((out / "kept.ini").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
#endif
    EXPECT_TRUE(fs::is_directory(out / "taken.ini"));
    EXPECT_EQ(std::distance(fs::directory_iterator(out), fs::directory_iterator()), 2);
}

TEST(Batch, TheExampleModesOfTheReadmeRun) {
    ScratchFolder folder;
    const ProcessResult run =
        RunCli({"--batch", QX_EXAMPLE_MODES, "--out-dir", folder.File("settings")});
    EXPECT_EQ(run.status, 0) << run.err;
    for (const char* mode : {"preview", "capture", "video"}) {
        const std::string file = ReadBytes(folder.File("settings/" + std::string(mode) + ".ini"));
        EXPECT_NE(file.find("[Timing_settings]"), std::string::npos) << mode;
        EXPECT_EQ(file.find("cannot match"), std::string::npos) << mode;
    }
}

TEST(Batch, CommandLinesThatCannotRunAreRefused) {
    struct Case {
        std::vector<std::string> args;
        const char* line;
    };
    const Case cases[] = {
        {{"--out-dir", "out"}, "option --out-dir: only with --batch"},
        {{"--batch", "modes.jsonl"},
         "option --batch: needs --out-dir DIR, or --json for JSON Lines on standard output"},
        {{"--batch", "modes.jsonl", "--json", "--out-dir", "out"},
         "option --out-dir: not with --json; --json --batch writes JSON Lines to standard output"},
        {{"--batch", "-", "--params", "-", "--json"},
         "option --params: standard input already feeds --batch; accepted: a file name"},
        {{"--batch", "", "--json"},
         "option --batch: invalid value \"\"; accepted: a file name, or - for standard input"},
        // The reason follows in the user's language.
        {{"--batch", "missing.jsonl", "--json"}, "option --batch: cannot read \"missing.jsonl\": "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        const ProcessResult run = RunCli(c.args);
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.err.rfind(kPrefix + c.line, 0), 0u) << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1);
        EXPECT_EQ(run.out, "");
    }
}

} // namespace
