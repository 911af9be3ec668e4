// Mode sets on the command line: the register table header compiled and run against the settings
// files --batch writes, --diff against those files, and the refusals of bad mode sets.
#include "CliProcess.h"
#include "ModeSetFile.h"
#include "ScratchFolder.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <map>
#include <sstream>

namespace {

const std::string kPrefix = kCliPrefix;
const std::vector<std::string> kModeNames = {"preview", "capture", "video"};

using Writes = std::vector<std::pair<unsigned, unsigned>>; // address, value

// The register lines of a settings file in the register form: "REG = 0xA, 0xV" in file order.
Writes RegisterLines(const std::string& path) {
    Writes writes;
    std::istringstream lines(ReadBytes(path));
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("REG = ", 0) != 0)
            continue;
        const std::size_t comma = line.find(',');
        writes.emplace_back(std::stoul(line.substr(6, comma - 6), nullptr, 16),
                            std::stoul(line.substr(comma + 2), nullptr, 16));
    }
    return writes;
}

// The field form's values by field name: "FIELD_WR = NAME, 0xV".
std::map<std::string, unsigned> FieldValues(const std::string& path) {
    std::map<std::string, unsigned> values;
    std::istringstream lines(ReadBytes(path));
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("FIELD_WR = ", 0) != 0)
            continue;
        const std::size_t comma = line.find(',');
        values[line.substr(11, comma - 11)] = std::stoul(line.substr(comma + 2), nullptr, 16);
    }
    return values;
}

// The example modes' settings files in the field form, into the folder; the exit status.
int WriteExampleFieldForm(const ScratchFolder& folder) {
    return RunCli({"--batch", QX_EXAMPLE_MODES, "--output-as", "fields", "--out-dir",
                   folder.Path().string()})
        .status;
}

// Prints every mode description, then its writes, in decimal; valid C99 and C++17 alike.
constexpr const char* kPrintModes =
    "#include \"modes.h\"\n#include <stdio.h>\n"
    "int main(void) {\n"
    "  unsigned m, r;\n"
    "  for (m = 0; m < sizeof qx7r310_modes / sizeof qx7r310_modes[0]; ++m) {\n"
    "    const struct qx7r310_mode *d = &qx7r310_modes[m];\n"
    "    printf(\"mode %s %u %u %u %u %u %u\\n\", d->name, (unsigned)d->width,\n"
    "           (unsigned)d->height, (unsigned)d->fps_mhz, (unsigned)d->pixel_clock_hz,\n"
    "           (unsigned)d->line_length, (unsigned)d->frame_length);\n"
    "    for (r = 0; r < d->num_regs; ++r)\n"
    "      printf(\"%u %u %u\\n\", (unsigned)d->regs[r].addr, (unsigned)d->regs[r].val,\n"
    "             (unsigned)d->regs[r].width);\n"
    "  }\n"
    "  return 0;\n"
    "}\n";

// Compiles main with the header beside it and runs it; its standard output.
std::string CompileAndRun(const ScratchFolder& folder, const std::string& compiler,
                          const std::string& source, const std::vector<std::string>& standard) {
    WriteBytes(folder.File(source), kPrintModes);
    std::vector<std::string> args = standard;
    for (const char* arg : {"-Wall", "-Wextra", "-Werror", "-o"})
        args.push_back(arg);
    args.push_back(folder.File(source + ".out"));
    args.push_back(folder.File(source));
    const ProcessResult compiled = RunProcess(compiler, args);
    EXPECT_EQ(compiled.status, 0) << compiled.err;
    const ProcessResult run = RunProcess(folder.File(source + ".out"), {});
    EXPECT_EQ(run.status, 0);
    return run.out;
}

// What the compiled header printed: mode descriptions, and each mode's writes.
struct PrintedModes {
    std::vector<std::string> descriptions;
    std::map<std::string, Writes> writes;
    std::map<std::string, std::vector<unsigned>> widths;
};

PrintedModes ParsePrinted(const std::string& text) {
    PrintedModes printed;
    std::istringstream lines(text);
    std::string mode;
    for (std::string line; std::getline(lines, line);) {
        std::istringstream fields(line);
        if (line.rfind("mode ", 0) == 0) {
            printed.descriptions.push_back(line.substr(5));
            fields.ignore(5) >> mode;
            continue;
        }
        unsigned address = 0, value = 0, width = 0;
        fields >> address >> value >> width;
        printed.writes[mode].emplace_back(address, value);
        printed.widths[mode].push_back(width);
    }
    return printed;
}

TEST(RegisterTable, CompilesAsCAndCxxAndWritesWhatTheSettingsFilesWrite) {
#ifdef _WIN32
    GTEST_SKIP() << "the C and C++ compilers run on the build machine, not under Wine";
#endif
    for (const char* addressing : {"direct", "indirect"}) {
        SCOPED_TRACE(addressing);
        ScratchFolder folder;
        const std::vector<std::string> form = {"--batch",   QX_EXAMPLE_MODES, "--output-as",
                                               "registers", "--addressing",   addressing};
        std::vector<std::string> files = form;
        files.insert(files.end(), {"--out-dir", folder.Path().string()});
        ASSERT_EQ(RunCli(files).status, 0);
        std::vector<std::string> table = form;
        table.insert(table.end(), {"--register-table", folder.File("modes.h")});
        const ProcessResult written = RunCli(table);
        ASSERT_EQ(written.status, 0) << written.err;
        EXPECT_EQ(written.err, "");

        const std::string asC = CompileAndRun(folder, QX_GCC, "main.c", {"-std=c99", "-pedantic"});
        const std::string asCxx = CompileAndRun(folder, QX_GXX, "main.cpp", {"-std=c++17"});
        EXPECT_EQ(asCxx, asC);
        const PrintedModes printed = ParsePrinted(asC);
        // Line and frame lengths as the settings files give them: 0x0192 0x0390, 0x05AC 0x01F9,
        // 0x02D6 0x01F9; the pixel clock is a quarter of the 44 MHz system clock.
        EXPECT_EQ(printed.descriptions,
                  (std::vector<std::string>{"preview 320 240 30000 11000000 402 912",
                                            "capture 640 480 15000 11000000 1452 505",
                                            "video 640 480 30000 11000000 726 505"}));
        for (const std::string& name : kModeNames) {
            SCOPED_TRACE(name);
            EXPECT_EQ(printed.writes.at(name), RegisterLines(folder.File(name + ".ini")));
            for (const unsigned width : printed.widths.at(name))
                EXPECT_TRUE(width == 8 || width == 16) << width;
        }
    }
}

// The table test of the example modes: each mode's register values are the settings file's.
TEST(ModeSetFile, ExampleModesHoldTheRegisterValuesOfTheirSettingsFiles) {
    ScratchFolder folder;
    ASSERT_EQ(WriteExampleFieldForm(folder), 0);
    auto read = ReadModeSetFile(QX_EXAMPLE_MODES, ParameterArguments());
    ASSERT_TRUE(std::holds_alternative<ModeSet>(read)) << std::get<std::string>(read);
    const ModeSet& modes = std::get<ModeSet>(read);
    ASSERT_EQ(modes.Modes().size(), kModeNames.size());
    for (std::size_t k = 0; k < kModeNames.size(); ++k) {
        const Mode& mode = modes.Modes()[k];
        EXPECT_EQ(mode.name, kModeNames[k]);
        const std::map<std::string, unsigned> file = FieldValues(folder.File(mode.name + ".ini"));
        ASSERT_EQ(file.size(), mode.registers.size());
        for (std::size_t row = 0; row < mode.registers.size(); ++row)
            EXPECT_EQ(mode.registers[row].m_nValue,
                      file.at(std::string(kRegisterTable[row].fieldName)))
                << mode.name << " " << mode.registers[row].m_strName;
    }
}

TEST(Diff, OfAFileWithItselfSaysNothingAndOfTwoModesListsTheRegistersThatDiffer) {
    ScratchFolder folder;
    ASSERT_EQ(WriteExampleFieldForm(folder), 0);
    const ProcessResult same =
        RunCli({"--diff", folder.File("video.ini"), folder.File("video.ini")});
    EXPECT_EQ(same.status, 0);
    EXPECT_EQ(same.out, "");
    EXPECT_EQ(same.err, "");
    for (const auto& [a, b] : {std::pair("preview", "capture"), std::pair("video", "capture")}) {
        SCOPED_TRACE(std::string(a) + " " + b);
        const std::string fileA = folder.File(std::string(a) + ".ini");
        const std::string fileB = folder.File(std::string(b) + ".ini");
        const std::map<std::string, unsigned> fa = FieldValues(fileA);
        const std::map<std::string, unsigned> fb = FieldValues(fileB);
        std::vector<std::string> differing;
        for (const RegisterTableRow& row : kRegisterTable)
            if (fa.at(std::string(row.fieldName)) != fb.at(std::string(row.fieldName)))
                differing.push_back(std::string(row.name));
        // The modes of the batch, and the settings files written for them.
        for (const std::vector<std::string>& args :
             {std::vector<std::string>{"--batch", QX_EXAMPLE_MODES, "--diff", a, b, "--json"},
              std::vector<std::string>{"--diff", fileA, fileB, "--json"}}) {
            const ProcessResult diff = RunCli(args);
            EXPECT_EQ(diff.status, 1) << diff.err;
            std::vector<std::string> listed;
            const nlohmann::json parsed = nlohmann::json::parse(diff.out);
            for (const auto& reg : parsed["registers"])
                listed.push_back(reg["name"]);
            EXPECT_EQ(listed, differing) << args[1];
        }
    }
    const ProcessResult text =
        RunCli({"--diff", folder.File("video.ini"), folder.File("capture.ini")});
    EXPECT_EQ(text.status, 1);
    EXPECT_NE(text.out.find("frameRate: 30.0 -> 15.0\n"), std::string::npos) << text.out;
    EXPECT_NE(text.out.find("line_length_pck 0x300C: 0x02D6 -> 0x05AC\n"), std::string::npos);
}

// --switch A B applied to A's settings file gives B's, for every ordered pair of the examples.
TEST(Switch, TakesEachExampleModeToEveryOther) {
    ScratchFolder folder;
    ASSERT_EQ(WriteExampleFieldForm(folder), 0);
    for (const std::string& a : kModeNames)
        for (const std::string& b : kModeNames) {
            SCOPED_TRACE(a + " -> " + b);
            const ProcessResult run =
                RunCli({"--batch", QX_EXAMPLE_MODES, "--output-as", "fields", "--switch", a, b});
            ASSERT_EQ(run.status, 0) << run.err;
            EXPECT_EQ(run.out.empty(), a == b);
            WriteBytes(folder.File("switch.ini"), run.out);
            std::map<std::string, unsigned> values = FieldValues(folder.File(a + ".ini"));
            for (const auto& [field, value] : FieldValues(folder.File("switch.ini")))
                values[field] = value;
            EXPECT_EQ(values, FieldValues(folder.File(b + ".ini")));
        }
}

struct RefusalCase {
    const char* what;
    std::string lines;
    std::vector<std::string> extra; // instead of --register-table
    int status;
    std::string err; // the line after the file name, or the whole message
    bool written;
    int errLines = 1; // on standard error
};

// Mode sets with one fault each (and one with an unknown mode for --diff).
std::vector<RefusalCase> RefusalCases() {
    const std::string good = "{\"name\": \"a\", \"frameRate\": 15}\n";
    const std::string wide = "{\"name\": \"wide\", \"outputColumns\": 700}\n";
    return {
        {"a name used twice",
         good + "# again\n" + good,
         {},
         2,
         " line 3: name \"a\" already used by line 1; accepted: a name of its own",
         false},
        {"a bad line",
         good + "{\"name\": \"b\", \"frameRate\": \"fast\"}\n",
         {},
         2,
         " line 2: ",
         false},
        {"no mode",
         "# nothing\n",
         {},
         2,
         ": no mode; accepted: one parameter object per line",
         false},
        {"one mode n/a",
         good + wide,
         {},
         1,
         "mode \"wide\" left out of the register table: Output Columns 700 is outside the "
         "sensor's 1 to 648 columns: the timing is n/a",
         true},
        {"every mode n/a",
         wide,
         {},
         4,
         "\nqx7r310-wizard-cli: no mode has a timing to export: every timing is n/a\n",
         false,
         2},
        {"one C name for two modes",
         good + "{\"name\": \"A\"}\n",
         {},
         2,
         "modes \"a\" and \"A\" both give the C name qx7r310_a_regs",
         false},
        {"an unknown mode",
         good,
         {"--diff", "a", "b"},
         2,
         "option --diff: no mode \"b\" in ",
         false},
        {"a switch to a mode whose timing is n/a",
         good + wide,
         {"--switch", "a", "wide"},
         4,
         "mode \"wide\": Output Columns 700 is outside the sensor's 1 to 648 columns: the "
         "timing is n/a",
         false},
    };
}

TEST(ModeSetRefusal, OneLineAndAStatusAndNoHeaderUnlessSomeModeIsValid) {
    for (const RefusalCase& c : RefusalCases()) {
        SCOPED_TRACE(c.what);
        ScratchFolder folder;
        const std::string modes = folder.File("modes.jsonl");
        WriteBytes(modes, c.lines);
        std::vector<std::string> args = {"--batch", modes};
        const std::vector<std::string> table = {"--register-table", folder.File("modes.h")};
        args.insert(args.end(), c.extra.empty() ? table.begin() : c.extra.begin(),
                    c.extra.empty() ? table.end() : c.extra.end());
        const ProcessResult run = RunCli(args);
        EXPECT_EQ(run.status, c.status);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), c.errLines) << run.err;
        EXPECT_NE(run.err.find(c.err), std::string::npos) << run.err;
        EXPECT_EQ(run.err.rfind(kPrefix, 0), 0u) << run.err;
        EXPECT_EQ(std::filesystem::exists(folder.File("modes.h")), c.written);
    }
}

} // namespace
