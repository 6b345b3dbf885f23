// The grid demo over a fresh database in a private X server, driven by xdotool as a user would,
// clicking where the demo reports its targets: a room typed into the filter row, the amount's
// title clicked up and down, a date picked from a cell's calendar and an amount typed over, a note
// typed below the grid, the grid exported by Ctrl+E and read back by Python's CSV reader, and the
// visits read back from the database with isql once the demo has closed. Dates are typed as the
// grid shows them, into a cell, into the filter row and into the find dialog; screenshots of the
// window, a cell editor, the find dialog and the calendar are kept as PNG files for people to look at.
#include <gtest/gtest.h>
#include <signal.h>

#include <QImage>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/child_process.h"
#include "tests/support/temp_dir.h"
#include "tests/support/xvfb_server.h"
#include "tests/support/xwd_image.h"
#include "tests/tools/grid_demo/demo_targets.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using grid_demo_test::DemoTargets;
using grid_demo_test::ReadDemoTargets;
using Rows = std::vector<std::vector<std::string>>;

// Python's CSV reader turns the export into a JSON list of rows.
constexpr const char* kCsvToJson =
    "import csv, json, sys\n"
    "with open(sys.argv[1], newline='', encoding='utf-8') as f:\n"
    "    rows = list(csv.reader(f, delimiter=';', quotechar='\"', doublequote=True, strict=True))\n"
    "print(json.dumps(rows))\n";

constexpr const char* kVisitsQuery =
    "SET HEADING OFF;\n"
    "SELECT ID || '|' || CUSTOMER_ID || '|' || VISIT_DATE || '|' || ROOM || '|' || AMOUNT || '|' || PAID"
    " || '|' || COALESCE(NOTE, '-') FROM VISITS ORDER BY ID;\n";

bool WaitFor(const std::function<bool()>& condition, std::chrono::milliseconds timeout = 10s) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < end) {
        if (condition())
            return true;
        std::this_thread::sleep_for(50ms);
    }
    return condition();
}

std::string FileText(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// Writes each of the demo's shown top-level windows as "<file> <x> <y>" and its own dump to <file>:
// `xwd -root` composes Qt's windows one by one and blanks a dialog or drop-down lying wholly inside
// the main window, while a window read by its own id comes back drawn.
constexpr const char* kDumpWindows = R"sh(
cd "$1" && for w in $(xdotool search --onlyvisible --classname grid_demo); do
  eval $(xdotool getwindowgeometry --shell $w)
  xwd -id $w -silent -out window_$w.xwd && echo "window_$w.xwd $X $Y"
done > windows.txt)sh";

// The screen's xwd dump with the windows' own dumps laid over it, larger windows first, as a PNG.
bool SaveAsPng(const fs::path& screen, const fs::path& windowList, const fs::path& png) {
    const XwdImage shot(screen.string());
    QImage image(shot.Width(), shot.Height(), QImage::Format_RGB32);
    for (int y = 0; y < shot.Height(); ++y)
        for (int x = 0; x < shot.Width(); ++x) image.setPixel(x, y, 0xFF000000u | shot.Rgb(x, y));
    struct Placed {
        XwdImage image;
        int left, top;
    };
    std::vector<Placed> windows;
    std::istringstream lines(FileText(windowList));
    std::string file;
    for (int left = 0, top = 0; lines >> file >> left >> top;)
        windows.push_back({XwdImage((windowList.parent_path() / file).string()), left, top});
    std::stable_sort(windows.begin(), windows.end(), [](const Placed& a, const Placed& b) {
        return a.image.Width() * a.image.Height() > b.image.Width() * b.image.Height();
    });
    for (const Placed& w : windows)
        for (int y = 0; y < w.image.Height(); ++y)
            for (int x = 0; x < w.image.Width(); ++x)
                if (image.rect().contains(w.left + x, w.top + y))
                    image.setPixel(w.left + x, w.top + y, 0xFF000000u | w.image.Rgb(x, y));
    return image.save(QString::fromStdString(png.string()), "PNG");
}

// The demo program over a database in the test's folder; GridDemoEndToEnd starts it with the test.
class GridDemoProgram : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_FALSE(xserver_.Display().empty()) << "Xvfb did not start";
        fs::create_directories(engineDir_);
    }

    void Launch() {
        fs::remove(targets_);
        const std::string command = std::string("exec '") + GRID_DEMO_PROGRAM + "' '" + database_.string() +
                                    "' '" + export_.string() + "' --target-rects '" + targets_.string() +
                                    "' > '" + log_.string() + "' 2>&1";
        demo_.Start({"/bin/sh", "-c", command}, Environment());
    }
    // Starts the demo and waits until it shows the visits.
    void StartDemo() {
        Launch();
        ASSERT_TRUE(WaitFor([&] { return Targets().rows.size() == 7; }, 20s))
            << "the demo did not show its visits\n"
            << FileText(log_);
    }

    void TearDown() override {
        if (!HasFailure())
            return;
        // Kept beside the test's log, outside the scratch folder that goes with the test.
        const fs::path shot = fs::current_path() / "grid_demo_e2e_failure.xwd";
        xserver_.Run({"xwd", "-root", "-silent", "-out", shot.string()});
        std::cerr << "screenshot: " << shot << "\ndemo output:\n"
                  << FileText(log_) << "\nlast targets:\n"
                  << FileText(targets_);
    }

    std::vector<std::string> Environment() const {
        return {"DISPLAY=" + xserver_.Display(), "LC_ALL=C", "FIREBIRD_LOCK=" + engineDir_.string(),
                "FIREBIRD_TMP=" + engineDir_.string()};
    }
    DemoTargets Targets() const { return ReadDemoTargets(targets_); }

    bool Xdotool(std::vector<std::string> args) {
        args.insert(args.begin(), "xdotool");
        return xserver_.Run(args, 15s);
    }
    // Clicks the middle of a target once the demo reports it.
    bool Click(const std::string& target) {
        std::optional<grid_demo_test::TargetRect> rect;
        if (!WaitFor([&] { return (rect = Targets().Find(target)).has_value(); }))
            return false;
        return Xdotool(
            {"mousemove", std::to_string(rect->CenterX()), std::to_string(rect->CenterY()), "click", "1"});
    }
    // Clicks a cell, then the editor's button once it shows in that cell.
    bool ClickCellButton(const std::string& cellTarget) {
        return Click(cellTarget) && WaitFor([&] { return ButtonOnRowOf(cellTarget); }) && Click("button");
    }
    bool Type(const std::string& text) { return Xdotool({"type", "--delay", "40", text}); }
    bool Key(const std::string& keys) { return Xdotool({"key", "--delay", "60", keys}); }

    // The screen as a PNG in the test's working folder, kept after the test for people to look at.
    void Screenshot(const std::string& name) {
        const fs::path folder = fs::current_path() / "grid_demo_screens";
        fs::create_directories(folder);
        const fs::path xwd = dir_ / (name + ".xwd");
        const fs::path png = folder / (name + ".png");
        // A moment for the last input's painting to reach the screen.
        ASSERT_TRUE(Xdotool({"sleep", "0.4"}));
        ASSERT_TRUE(xserver_.Run({"xwd", "-root", "-silent", "-out", xwd.string()}));
        const fs::path windows = dir_ / name;
        fs::create_directories(windows);
        ASSERT_TRUE(xserver_.Run({"/bin/sh", "-c", kDumpWindows, "sh", windows.string()}));
        ASSERT_TRUE(SaveAsPng(xwd, windows / "windows.txt", png)) << png;
        std::cout << "screenshot: " << png.string() << '\n';
    }

    // Whether the cell editor's button shows on the row of the named cell.
    bool ButtonOnRowOf(const std::string& cell) {
        const auto at = Targets().Find(cell);
        const auto button = Targets().Find("button");
        return at && button && button->y == at->y;
    }

    bool RowsBecome(const std::vector<int>& rows) {
        return WaitFor([&] { return Targets().rows == rows; });
    }
    bool CellShows(int visit, const std::string& field, const std::string& text) {
        return WaitFor([&] { return Targets().CellText(visit, field) == text; });
    }

    Rows ReadExport() {
        const fs::path script = dir_ / "csv_to_json.py";
        std::ofstream(script) << kCsvToJson;
        const fs::path json = dir_ / "export.json";
        testsupport::ChildProcess python;
        python.Start(
            {"/bin/sh", "-c",
             "exec python3 '" + script.string() + "' '" + export_.string() + "' > '" + json.string() + "'"});
        EXPECT_EQ(python.WaitExit(30s), 0) << "the CSV reader refused the export:\n" << FileText(export_);
        return nlohmann::json::parse(FileText(json), nullptr, false).get<Rows>();
    }

    // What an engine tool (its path and options, then the database) printed; its exit code 0.
    std::string RunEngineTool(const std::string& options) {
        const fs::path output = dir_ / "tool.txt";
        testsupport::ChildProcess tool;
        tool.Start({"/bin/sh", "-c",
                    "exec " + options + " -user SYSDBA '" + database_.string() + "' > '" + output.string() +
                        "' 2>&1"},
                   Environment());
        EXPECT_EQ(tool.WaitExit(30s), 0) << options << '\n' << FileText(output);
        return FileText(output);
    }

    // The engine's full check of the database: nothing to report.
    void ExpectSoundDatabase() {
        EXPECT_EQ(RunEngineTool(std::string("'") + GFIX_PROGRAM + "' -v -full"), "");
    }

    // The visits as the server holds them, "ID|CUSTOMER_ID|VISIT_DATE|ROOM|AMOUNT|PAID|NOTE".
    std::vector<std::string> ServerVisits() {
        const fs::path script = dir_ / "visits.sql";
        std::ofstream(script) << kVisitsQuery;
        const std::string output =
            RunEngineTool(std::string("'") + ISQL_PROGRAM + "' -q -i '" + script.string() + "'");
        std::vector<std::string> rows;
        std::istringstream lines(output);
        for (std::string line; std::getline(lines, line);) {
            line.erase(line.find_last_not_of(" \r") + 1);
            if (!line.empty())
                rows.push_back(line);
        }
        return rows;
    }

    testsupport::TempDir dir_{"grid_demo_e2e"};
    fs::path engineDir_ = dir_ / "engine";
    fs::path database_ = dir_ / "visits.fdb";
    fs::path export_ = dir_ / "visits.csv";
    fs::path targets_ = dir_ / "targets.txt";
    fs::path log_ = dir_ / "demo.log";
    testsupport::XvfbServer xserver_{"1024x768x24"};
    testsupport::ChildProcess demo_;
};

class GridDemoEndToEnd : public GridDemoProgram {
  protected:
    void SetUp() override {
        GridDemoProgram::SetUp();
        StartDemo();
    }
};

TEST_F(GridDemoEndToEnd, FilteredSortedEditedVisitsAreExportedAndCommitted) {
    // The filter row: the room typed into its cell, then Enter.
    ASSERT_TRUE(Click("filter ROOM"));
    ASSERT_TRUE(Type("101"));
    ASSERT_TRUE(Key("Return"));
    ASSERT_TRUE(RowsBecome({1, 3, 5, 7})) << "the filter kept other rooms";

    // The amount's title: up, then down. The pause keeps the two clicks from making a double click.
    ASSERT_TRUE(Click("title AMOUNT"));
    ASSERT_TRUE(RowsBecome({5, 3, 7, 1})) << "not sorted up by the amount";
    ASSERT_TRUE(Xdotool({"sleep", "0.6"}));
    ASSERT_TRUE(Click("title AMOUNT"));
    ASSERT_TRUE(RowsBecome({1, 7, 3, 5})) << "not sorted down by the amount";

    // Visit 7: a day picked from its date cell's calendar, its amount typed over, then Down.
    ASSERT_TRUE(ClickCellButton("cell 7 VISIT_DATE")) << "no button in the date cell";
    ASSERT_TRUE(Click("day 2024-03-20")) << "no calendar";
    ASSERT_TRUE(CellShows(7, "VISIT_DATE", "20.03.2024"));
    ASSERT_TRUE(Click("cell 7 AMOUNT"));
    ASSERT_TRUE(Type("700"));
    ASSERT_TRUE(Key("Down"));
    ASSERT_TRUE(CellShows(7, "AMOUNT", "700.0000"));
    ASSERT_TRUE(WaitFor([&] { return Targets().state == "browse"; })) << "the edited visit was not posted";

    // Visit 3, now current: its note typed into the edit below the grid, then Tab.
    ASSERT_TRUE(Click("control NOTE"));
    ASSERT_TRUE(Type("needs x-ray"));
    ASSERT_TRUE(Key("Tab"));
    ASSERT_TRUE(CellShows(3, "NOTE", "needs x-ray")) << "the grid does not show the note";

    ASSERT_TRUE(Key("ctrl+e"));
    ASSERT_TRUE(WaitFor([&] { return fs::exists(export_); })) << "nothing exported";
    const Rows expected = {
        {"№", "Пациент", "Дата", "Кабинет", "Сумма", "Оплачено", "Примечание"},
        {"1", "Ivanova Anna", "04.03.2024", "101", "1,500.0000", "True", "first visit"},
        {"7", "Ivanova Anna", "20.03.2024", "101", "700.0000", "False", ""},
        {"3", "Sidorov Pavel", "05.03.2024", "101", "250.2500", "False", "needs x-ray"},
        {"5", "Petrov Boris", "07.03.2024", "101", "99.9900", "True", "repeat"},
        // The count of the visits and the sum of their amounts, 640 having become 700.
        {"4", "", "", "", "2,550.2400", "", ""},
    };
    EXPECT_EQ(ReadExport(), expected);

    ASSERT_TRUE(Click("control CLOSE"));
    EXPECT_EQ(demo_.WaitExit(15s), 0) << FileText(log_);
    EXPECT_EQ(ServerVisits(), (std::vector<std::string>{
                                  "1|1|2024-03-04|101|1500.0000|TRUE|first visit",
                                  "2|2|2024-03-05|205|700.5000|FALSE|-",
                                  "3|3|2024-03-05|101|250.2500|FALSE|needs x-ray",
                                  "4|1|2024-03-06|102|3000.0000|TRUE|-",
                                  "5|2|2024-03-07|101|99.9900|TRUE|repeat",
                                  "6|3|2024-03-11|205|1200.0000|FALSE|-",
                                  "7|1|2024-03-20|101|700.0000|FALSE|-",
                              }));
}

// A condition typed into one filter cell stays when the user clicks into another; Enter applies both.
TEST_F(GridDemoEndToEnd, ConditionsOfTwoFilterCellsApplyTogether) {
    ASSERT_TRUE(Click("filter ROOM"));
    ASSERT_TRUE(Type("101"));
    ASSERT_TRUE(Click("filter ID"));
    ASSERT_TRUE(Type(">2"));
    ASSERT_TRUE(Key("Return"));
    ASSERT_TRUE(RowsBecome({3, 5, 7})) << "both conditions should hold";
}

// The drop-down grid of the patient's cell grows under a drag of its size grip and stays open.
TEST_F(GridDemoEndToEnd, TheDropDownGridIsSizedByItsGrip) {
    ASSERT_TRUE(ClickCellButton("cell 1 CUSTOMER")) << "no button in the patient's cell";
    std::optional<grid_demo_test::TargetRect> list;
    std::optional<grid_demo_test::TargetRect> grip;
    ASSERT_TRUE(WaitFor([&] {
        const DemoTargets targets = Targets();
        list = targets.Find("list");
        grip = targets.Find("grip");
        return list && grip;
    })) << "no drop-down grid with a grip";
    // The grip is a triangle in the lower right corner: pressed near that corner.
    const int x = grip->x + grip->width - 3;
    const int y = grip->y + grip->height - 3;
    ASSERT_TRUE(
        Xdotool({"mousemove", std::to_string(x), std::to_string(y), "sleep", "0.2", "mousedown", "1"}));
    for (int step = 1; step <= 4; ++step)
        ASSERT_TRUE(Xdotool(
            {"mousemove", std::to_string(x + 20 * step), std::to_string(y + 15 * step), "sleep", "0.1"}));
    ASSERT_TRUE(Xdotool({"mouseup", "1"}));
    ASSERT_TRUE(WaitFor([&] {
        const auto sized = Targets().Find("list");
        return sized && sized->width >= list->width + 60 && sized->height >= list->height + 30;
    })) << "the drop-down grid did not follow the grip";
    ASSERT_TRUE(Xdotool({"sleep", "0.3"}));
    EXPECT_TRUE(Targets().Find("list").has_value()) << "the drag closed the drop-down";
}

// A user types what the grid shows: a date in a cell posts, in the filter row it filters, and the
// find dialog, filled from the date cell, finds that very row.
TEST_F(GridDemoEndToEnd, DatesTypedAsShownPostFilterAndAreFound) {
    ASSERT_TRUE(CellShows(2, "VISIT_DATE", "05.03.2024"));
    Screenshot("window");

    // Visit 2's date typed over, as shown, then Down posts it. The first click may only bring the
    // window forward: the editor is in the date's cell once its button shows on that row.
    const auto editorInDateCell = [&] { return ButtonOnRowOf("cell 2 VISIT_DATE"); };
    ASSERT_TRUE(Click("cell 2 VISIT_DATE"));
    if (!WaitFor(editorInDateCell, 2s)) {
        ASSERT_TRUE(Click("cell 2 VISIT_DATE"));
    }
    ASSERT_TRUE(WaitFor(editorInDateCell)) << "the editor is not in the date's cell";
    // Home and End move the grid's column: the old text goes by Backspace and Delete.
    ASSERT_TRUE(Xdotool({"key", "--repeat", "10", "--delay", "30", "BackSpace"}));
    ASSERT_TRUE(Xdotool({"key", "--repeat", "10", "--delay", "30", "Delete"}));
    ASSERT_TRUE(Type("09.03.2024"));
    Screenshot("cell_editor");
    ASSERT_TRUE(Key("Down"));
    ASSERT_TRUE(CellShows(2, "VISIT_DATE", "09.03.2024")) << FileText(log_);
    ASSERT_TRUE(WaitFor([&] { return Targets().state == "browse"; })) << "the edited visit was not posted";

    // The date filter: the one visit left on the 5th.
    ASSERT_TRUE(Click("filter VISIT_DATE"));
    ASSERT_TRUE(Type("05.03.2024"));
    ASSERT_TRUE(Key("Return"));
    ASSERT_TRUE(RowsBecome({3})) << "the date as shown did not filter\n" << FileText(log_);
    for (const char* key : {"ctrl+a", "BackSpace", "Return"}) ASSERT_TRUE(Key(key));
    ASSERT_TRUE(RowsBecome({1, 2, 3, 4, 5, 6, 7})) << "the filter was not cleared";

    // Ctrl+F on visit 4's date (the editor reached by the keyboard, its text selected): the dialog
    // takes the date as shown and its search, with "С учетом формата" on, finds visit 4.
    ASSERT_TRUE(Click("cell 4 ROOM"));
    ASSERT_TRUE(Key("Left"));
    ASSERT_TRUE(Key("ctrl+f"));
    ASSERT_TRUE(WaitFor([&] {
        const auto find = Targets().Find("find");
        return find && find->text == "06.03.2024";
    })) << "the find dialog did not take the date as shown";
    Screenshot("find_dialog");
    ASSERT_TRUE(Key("Return"));
    ASSERT_TRUE(WaitFor([&] { return Targets().found == "1"; })) << "the date was not found";
    EXPECT_EQ(Targets().current, 4);
    ASSERT_TRUE(Key("Escape"));
    ASSERT_TRUE(WaitFor([&] { return !Targets().Find("find"); })) << "the dialog did not close";

    // The calendar of visit 6's date cell.
    ASSERT_TRUE(Click("cell 6 VISIT_DATE"));
    ASSERT_TRUE(WaitFor([&] { return ButtonOnRowOf("cell 6 VISIT_DATE"); })) << "no button in the date cell";
    ASSERT_TRUE(Click("button"));
    ASSERT_TRUE(WaitFor([&] { return Targets().Find("day 2024-03-11").has_value(); })) << "no calendar";
    Screenshot("calendar");
    ASSERT_TRUE(Key("Escape"));

    ASSERT_TRUE(Click("control CLOSE"));
    EXPECT_EQ(demo_.WaitExit(15s), 0) << FileText(log_);
    const std::vector<std::string> visits = ServerVisits();
    ASSERT_EQ(visits.size(), 7u);
    EXPECT_EQ(visits[1], "2|2|2024-03-09|205|700.5000|FALSE|-");
}

// SIGTERM and SIGINT end the demo as its Close button does: the note being typed is posted and
// committed, the database detached and sound, the exit code 0.
TEST_F(GridDemoEndToEnd, TerminationSignalsPostTheEditAndDetachCleanly) {
    std::string note = "first visit";
    for (const auto& [signal, typed] : {std::pair{SIGTERM, "+term"}, std::pair{SIGINT, "+int"}}) {
        if (!demo_.Running())
            StartDemo();
        ASSERT_TRUE(Click("control NOTE"));
        ASSERT_TRUE(Key("End"));
        ASSERT_TRUE(Type(typed));
        ASSERT_TRUE(WaitFor([&] { return Targets().state == "edit"; })) << "typing did not start an edit";
        ASSERT_TRUE(demo_.Signal(signal));
        ASSERT_EQ(demo_.WaitExit(15s), 0) << "signal " << signal << '\n' << FileText(log_);
        note += typed;
        ExpectSoundDatabase();
        const std::vector<std::string> visits = ServerVisits();
        ASSERT_FALSE(visits.empty());
        EXPECT_EQ(visits.front(), "1|1|2024-03-04|101|1500.0000|TRUE|" + note) << "signal " << signal;
    }
}

// A first start killed while it makes the database leaves no file that later starts refuse: the
// next start makes the database anew or opens the one finished, and the database is sound.
class GridDemoFirstStart : public GridDemoProgram {};

TEST_F(GridDemoFirstStart, AStartKilledWhileMakingTheDatabaseIsFollowedByOneThatWorks) {
    for (int ms : {20, 60, 120, 200, 300, 500, 800}) {
        database_ = dir_ / ("visits_" + std::to_string(ms) + ".fdb");
        Launch();
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
        demo_.Signal(SIGKILL);
        demo_.WaitExit(10s);
        StartDemo();
        ASSERT_TRUE(demo_.Signal(SIGTERM));
        ASSERT_EQ(demo_.WaitExit(15s), 0) << "killed after " << ms << " ms\n" << FileText(log_);
        ExpectSoundDatabase();
        EXPECT_EQ(ServerVisits().size(), 7u) << "killed after " << ms << " ms";
    }
    // The building files of the killed starts went with the starts that followed.
    for (const auto& entry : fs::directory_iterator(dir_.Path()))
        EXPECT_EQ(entry.path().string().find(".building"), std::string::npos) << entry.path();
}

}  // namespace
