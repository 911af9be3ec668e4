// qx7r310-wizard --export-diagram run as a user runs it: without a display, with the command-line
// wizard's parameters and files, and every refusal.
#include "GuiTestHelpers.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

namespace {

struct ProgramRun {
    int status = -1;
    QByteArray out;
    QByteArray err;
};

// The window program with arguments, in an environment without a display or a chosen platform.
ProgramRun RunWizard(const QStringList& arguments) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(QString::fromLatin1(name));
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(QX_GUI_PATH), arguments);
    ProgramRun run;
    if (process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit)
        run.status = process.exitCode();
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

TEST(ExportDiagramCommand, WritesTheDiagramOfTheParametersWithoutADisplay) {
    QTemporaryDir dir;
    const QString svg = dir.filePath(QStringLiteral("defaults.svg"));
    const ProgramRun defaults = RunWizard({QStringLiteral("--export-diagram"), svg});
    ASSERT_EQ(defaults.status, 0) << defaults.err.toStdString();
    EXPECT_EQ(defaults.out, QByteArray());
    const QByteArray bytes = ReadFile(svg);
    for (const char* label :
         {">648 active<", ">78 blank<", ">726 clocks per row<", ">488 active<", ">17 blank<",
          ">505 rows<", ">Frame rate: 30.003 fps<", ">50 Hz<", ">60 Hz<",
          ">input clock 11 MHz, system clock 44 MHz, 640 x 480, 30 fps requested, 30.003 fps "
          "achieved<"})
        EXPECT_TRUE(bytes.contains(label)) << label;

    // The parameter options, --params and --from all reach the picture, and the same parameters
    // give the same bytes however they are given.
    const QString small = dir.filePath(QStringLiteral("small.svg"));
    const QStringList options = {QStringLiteral("--fps"),     QStringLiteral("15"),
                                 QStringLiteral("--columns"), QStringLiteral("320"),
                                 QStringLiteral("--rows"),    QStringLiteral("240"),
                                 QStringLiteral("--skipping")};
    ASSERT_EQ(RunWizard(QStringList{QStringLiteral("--export-diagram"), small} + options).status,
              0);
    const QByteArray smallBytes = ReadFile(small);
    EXPECT_FALSE(smallBytes.contains(">648 active<"));
    EXPECT_TRUE(smallBytes.contains(">Requested: 15 fps<"));

    const QString params = dir.filePath(QStringLiteral("p.json"));
    WriteFile(params, R"({"frameRate": 15, "outputColumns": 320, "outputRows": 240,
                          "allowSkipping": true})");
    const QString fromParams = dir.filePath(QStringLiteral("params.svg"));
    ASSERT_EQ(RunWizard({QStringLiteral("--params"), params, QStringLiteral("--export-diagram"),
                         fromParams})
                  .status,
              0);
    EXPECT_EQ(ReadFile(fromParams), smallBytes);

    QProcess cli;
    cli.start(QStringLiteral(QX_CLI_PATH),
              options + QStringList{QStringLiteral("-o"), dir.filePath(QStringLiteral("s.ini"))});
    ASSERT_TRUE(cli.waitForFinished(30000));
    const QString fromIni = dir.filePath(QStringLiteral("ini.svg"));
    const ProgramRun ini =
        RunWizard({QStringLiteral("--export-diagram=") + fromIni, QStringLiteral("--from"),
                   dir.filePath(QStringLiteral("s.ini"))});
    ASSERT_EQ(ini.status, 0) << ini.err.toStdString();
    EXPECT_TRUE(ini.err.contains("note: Variable frame rate")) << ini.err.toStdString();
    EXPECT_EQ(ReadFile(fromIni), smallBytes);

    const QString png = dir.filePath(QStringLiteral("defaults.PNG"));
    ASSERT_EQ(RunWizard({QStringLiteral("--export-diagram"), png}).status, 0);
    const QImage image(png, "PNG");
    EXPECT_GE(image.width(), 1000);
    EXPECT_GE(image.height(), 760);
}

TEST(ExportDiagramCommand, BadOptionsExit2AndWriteNothing) {
    QTemporaryDir dir;
    const QString svg = dir.filePath(QStringLiteral("d.svg"));
    const QString exportOption = QStringLiteral("--export-diagram");
    const struct {
        QStringList arguments;
        const char* line;
    } cases[] = {
        {{exportOption, svg, QStringLiteral("--fps"), QStringLiteral("abc")},
         "qx7r310-wizard: option --fps: invalid value \"abc\"; accepted: a number from 0 to "
         "9999\n"},
        {{exportOption, svg, QStringLiteral("--json")},
         "qx7r310-wizard: unknown option \"--json\"; accepted: the options listed by --help\n"},
        {{exportOption, svg, QStringLiteral("extra.ini")},
         "qx7r310-wizard: unexpected argument \"extra.ini\"; accepted: options only, see --help\n"},
        {{exportOption, dir.filePath(QStringLiteral("d.txt"))}, nullptr},
        {{exportOption},
         "qx7r310-wizard: option --export-diagram: value missing; accepted: a "
         "file name ending in .svg or .png\n"},
        {{exportOption, svg, exportOption, svg},
         "qx7r310-wizard: option --export-diagram: given more than once; accepted: once\n"},
        {{exportOption, svg, QStringLiteral("--params"), dir.filePath(QStringLiteral("no.json"))},
         nullptr},
        {{exportOption, svg, QStringLiteral("--from"), svg}, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.join(QLatin1Char(' ')).toStdString());
        const ProgramRun run = RunWizard(c.arguments);
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.out, QByteArray());
        EXPECT_TRUE(run.err.startsWith("qx7r310-wizard: ")) << run.err.toStdString();
        EXPECT_EQ(run.err.count('\n'), 1) << run.err.toStdString();
        if (c.line != nullptr) {
            EXPECT_EQ(run.err, QByteArray(c.line));
        }
        EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
    }
}

TEST(ExportDiagramCommand, AFileThatCannotBeWrittenExits1) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("missing/d.svg"));
    const ProgramRun run = RunWizard({QStringLiteral("--export-diagram"), path});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.err.contains(("qx7r310-wizard: cannot write \"" + path + "\"").toUtf8()))
        << run.err.toStdString();
    EXPECT_FALSE(QFile::exists(path));
}

TEST(ExportDiagramCommand, HelpListsTheExportAndItsParameters) {
    const ProgramRun help = RunWizard({QStringLiteral("--help")});
    EXPECT_EQ(help.status, 0);
    for (const char* text : {"--export-diagram FILE.svg|FILE.png [PARAMETERS...]", "--fps FPS",
                             "--params FILE|-", "--from FILE.ini", "--version"})
        EXPECT_TRUE(help.out.contains(text)) << text;
    // The parameter parser's own --help is left out.
    EXPECT_EQ(help.out.count("\n  --help "), 1);
}

} // namespace
