// The Modes page in the running program: modes added from the forms, the register grid's marks and
// its filter, and mode set files opened or refused through File > Open Mode Set.
#include "ModeSetModels.h"
#include "ModesView.h"
#include "WizardFixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QPushButton>
#include <QTableView>

namespace {

using ModesPageTest = WizardTest;

CModesView& Page(QWidget* wnd) {
    return *dynamic_cast<CModesView*>(wnd);
}

void Click(CModesView& page, const QString& text) {
    for (QPushButton* button : page.findChildren<QPushButton*>())
        if (button->text() == text) {
            QTest::mouseClick(button, Qt::LeftButton);
            PumpEvents();
            return;
        }
    ADD_FAILURE() << "no button " << text.toStdString();
}

// The register names of the grid's rows as its view shows them.
std::vector<QString> GridNames(const CModesView& page) {
    std::vector<QString> names;
    const QAbstractItemModel& grid = *page.Grid()->model();
    for (int row = 0; row < grid.rowCount(); ++row)
        names.push_back(grid.index(row, CModeRegisterModel::kColumnName).data().toString());
    return names;
}

TEST_F(ModesPageTest, AFrameRateChangeMarksTheTimingRegistersAndNotThePllOnes) {
    ClickTreeItem(kModesPage);
    CModesView& page = Page(Wnd(ID_LAYOUT_MODES));
    ASSERT_EQ(Tabs().GetActiveTab(), kModesPage);
    Click(page, QStringLiteral("&Add Current Mode"));
    ClickTreeItem(kImageTimingPage);
    TypeInto(TimingTop().Item<QComboBox>(IDC_FRAME_RATE)->lineEdit(), QStringLiteral("15"));
    ClickTreeItem(kModesPage);
    Click(page, QStringLiteral("&Add Current Mode"));

    const QAbstractItemModel& modes = *page.ModeTable()->model();
    ASSERT_EQ(modes.rowCount(), 2);
    EXPECT_EQ(modes.index(1, CModeTableModel::kColumnName).data().toString(), "mode 2");
    EXPECT_EQ(modes.index(1, CModeTableModel::kColumnRequestedRate).data().toString(), "15");
    // The 44 MHz clock stays; a longer frame and the flicker zones follow the lower rate.
    const std::vector<QString> timing = {"frame_length_lines", "cam_fd_config_max_fdzone_50hz",
                                         "cam_fd_config_max_fdzone_60hz",
                                         "cam_ae_config_target_fdzone"};
    const QAbstractItemModel& grid = *page.GridModel();
    ASSERT_EQ(grid.rowCount(), 15);
    std::vector<QString> marked;
    for (int row = 0; row < grid.rowCount(); ++row) {
        const QModelIndex first = grid.index(row, CModeRegisterModel::kColumnFirstMode);
        const QModelIndex second = grid.index(row, CModeRegisterModel::kColumnFirstMode + 1);
        EXPECT_FALSE(first.data(CModeRegisterModel::kChangedRole).toBool()); // the reference
        if (second.data(CModeRegisterModel::kChangedRole).toBool()) {
            marked.push_back(grid.index(row, 0).data().toString());
            EXPECT_TRUE(second.data(Qt::FontRole).value<QFont>().bold());
            EXPECT_EQ(second.data(Qt::ToolTipRole).toString(),
                      first.data().toString() + " in \"mode 1\"");
        }
    }
    EXPECT_EQ(marked, timing);
    EXPECT_EQ(GridNames(page).size(), 15u);
    QTest::mouseClick(page.ChangedOnlyBox(), Qt::LeftButton);
    EXPECT_EQ(GridNames(page), timing);
    // The switch from the first mode to the second writes exactly the marked registers.
    EXPECT_EQ(page.SwitchNote()->text(),
              "4 register writes, in the settings file's order and addressing.");
    EXPECT_TRUE(page.SwitchText().contains("REG = 0x300A, 0x03F2"))
        << page.SwitchText().toStdString();
    EXPECT_TRUE(m_prompts.Prompts().empty());
    // "Open in Forms" puts the first mode's 30 fps back, once the unsaved 15 fps were asked about.
    page.ModeTable()->selectRow(0);
    Click(page, QStringLiteral("&Open in Forms"));
    ASSERT_EQ(m_prompts.Texts().size(), 1u);
    EXPECT_TRUE(m_prompts.Texts()[0].startsWith("Save changes to"));
    EXPECT_EQ(Doc().m_Contexts[0].m_dFrameRate, 30.0);
    EXPECT_EQ(TimingTop().Item<QComboBox>(IDC_FRAME_RATE)->currentText(), "30");
    EXPECT_EQ(Doc().m_Registers[2].m_nValue, 0x01F9u); // frame_length_lines of 30 fps
}

TEST_F(ModesPageTest, OpensTheExampleModesAndRefusesABadFileWithoutAChange) {
    const QString folder = m_settingsDir.path();
    const auto write = [&folder](const char* name, const char* text) {
        QFile file(folder + QLatin1Char('/') + QLatin1String(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
        return file.fileName();
    };
    struct Case {
        QString path;
        QString refusal; // a part of the box's text; empty when the file opens
    };
    const Case cases[] = {
        {QStringLiteral(QX_EXAMPLE_MODES), {}},
        {write("bad.jsonl", "{\"name\": \"a\"}\n{\"name\": \"b\", \"frameRate\": \"fast\"}\n"),
         "\"bad.jsonl\" line 2: key \"frameRate\": a string where a number is due"},
        {write("twice.jsonl", "{\"name\": \"a\"}\n\n{\"name\": \"a\", \"frameRate\": 15}\n"),
         "\"twice.jsonl\" line 3: name \"a\" already used by line 1"},
        {write("empty.jsonl", "# no mode\n"), "\"empty.jsonl\": no mode"},
    };
    ClickTreeItem(kModesPage);
    CModesView& page = Page(Wnd(ID_LAYOUT_MODES));
    const QAbstractItemModel& modes = *page.ModeTable()->model();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        m_prompts.Clear();
        m_paths.push_back(c.path);
        Trigger(ID_FILE_OPEN_MODE_SET);
        if (c.refusal.isEmpty()) {
            EXPECT_TRUE(m_prompts.Prompts().empty());
        } else {
            ASSERT_EQ(m_prompts.Texts().size(), 1u);
            EXPECT_TRUE(m_prompts.Texts()[0].contains(c.refusal))
                << m_prompts.Texts()[0].toStdString();
        }
        // A refused file leaves the example modes as they were.
        ASSERT_EQ(modes.rowCount(), 3);
        for (int row = 0; row < 3; ++row) {
            EXPECT_EQ(modes.index(row, 0).data().toString(),
                      (std::vector<QString>{"preview", "capture", "video"}[row]));
            EXPECT_EQ(modes.index(row, CModeTableModel::kColumnValidity).data().toString(),
                      "valid");
        }
        EXPECT_EQ(page.Modes().PathName(), QStringLiteral(QX_EXAMPLE_MODES));
    }
    EXPECT_EQ(modes.index(0, CModeTableModel::kColumnSize).data().toString(), "320 x 240");
    EXPECT_EQ(modes.index(1, CModeTableModel::kColumnFrameLength).data().toString(), "505");
    // Saved and opened again, the set shows the same modes with the same figures.
    const auto cells = [&modes] {
        QStringList texts;
        for (int row = 0; row < modes.rowCount(); ++row)
            for (int column = 0; column < modes.columnCount(); ++column)
                texts << modes.index(row, column).data().toString();
        return texts;
    };
    const QStringList before = cells();
    m_prompts.Clear();
    const QString saved = folder + QStringLiteral("/saved.jsonl");
    m_paths = {saved, saved};
    Trigger(ID_FILE_SAVE_MODE_SET);
    Trigger(ID_FILE_OPEN_MODE_SET);
    EXPECT_EQ(page.Modes().PathName(), saved);
    EXPECT_EQ(cells(), before);
    // For people to look at: the three modes, their grid and the switch from preview to capture.
    Frame().resize(1100, 900);
    PumpEvents();
    EXPECT_FALSE(SaveScreenshot(Frame(), QStringLiteral("wizard-modes-examples")).isEmpty());
    EXPECT_TRUE(m_prompts.Prompts().empty());
}

} // namespace
