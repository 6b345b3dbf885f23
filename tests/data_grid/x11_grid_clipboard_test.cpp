// The grid's clipboard on a real X server (a private Xvfb): xclip reads each target a copy
// offers byte for byte, text xclip offers with LF line ends pastes into the grid, and a second
// process pastes the first one's "VCLDBIF" while the first serves it.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "data_grid/column.h"
#include "data_grid/columns.h"
#include "data_grid/db_grid.h"
#include "data_grid/grid_clipboard.h"
#include "data_grid/grid_export.h"
#include "platform/db/data_source.h"
#include "platform/db/field.h"
#include "platform/rtl/memory_stream.h"
#include "platform/ui/clipboard.h"
#include "platform/ui/form.h"
#include "tests/platform/ui/x11_host_test.h"
#include "tests/support/memory_dataset.h"

namespace {

// Set in the second process: the file it writes the rows it pasted to.
const char* const ChildOutVariable = "GRID_CLIPBOARD_PASTE_OUT";

bool InChild() {
    return std::getenv(ChildOutVariable) != nullptr;
}

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

class X11GridClipboardTest : public X11HostTest {
  protected:
    // The second process works on the first one's display.
    static void SetUpTestSuite() {
        if (!InChild())
            return X11HostTest::SetUpTestSuite();
        setenv("QT_QPA_PLATFORM", "xcb", 1);
        static int argc = 1;
        static char name[] = "data_grid_x11_tests";
        static char* argv[] = {name, nullptr};
        host = new platform::ui::QtHost(argc, argv);
    }

    void SetUp() override {
        ASSERT_NE(host, nullptr) << "Xvfb did not start";
        dir_ = std::filesystem::temp_directory_path() / ("grid_clipboard_" + std::to_string(getpid()));
        std::filesystem::create_directories(dir_);
        Application->CreateForm(&form_);
        form_->SetBounds(0, 0, 500, 300);
        grid_ = NewComponent<TCustomDBGridEh>(form_);
        grid_->SetParent(form_);
        grid_->SetBounds(0, 0, 500, 300);
        ds_.SetColumns({"ID", "NAME", "CITY"});
        ds_.SetColumnType(0, ftInteger);
        ds_.SetColumnType(1, ftString, 20);
        ds_.SetColumnType(2, ftString, 20);
        if (!InChild()) {
            ds_.AddRow({Variant(1), Variant("Alpha"), Variant("Москва")});
            ds_.AddRow({Variant(2), Variant("Bravo \"b\""), Variant("Тверь")});
            ds_.AddRow({Variant(3), Variant("Gamma"), Variant("Омск")});
        }
        source_ = NewComponent<TDataSource>(form_);
        source_->SetDataSet(&ds_);
        auto& columns = static_cast<TDBGridColumnsEh&>(*grid_->Columns());
        for (const char* name : {"ID", "NAME", "CITY"}) columns.Add()->SetFieldName(name);
        grid_->SetDataSource(source_);
        ds_.Open();
        form_->Show();
        Pump([] { return false; }, std::chrono::milliseconds(200));
    }
    void TearDown() override {
        if (grid_ != nullptr)
            grid_->SetDataSource(nullptr);
        Application->DestroyForms();
        ds_.BeforeDestruction();
        std::filesystem::remove_all(dir_);
    }

    void SelectRows(const std::vector<int>& ids) {
        for (int id : ids) {
            ds_.First();
            ds_.MoveBy(id - 1);
            grid_->SelectedRows()->SelectCurrentRow(true);
        }
    }
    std::string Export(const TDBGridEhExportClass& exportClass) {
        TMemoryStream stream;
        ExportGridToStream(exportClass, grid_, stream, false);
        return std::string(static_cast<const char*>(stream.Memory()),
                           static_cast<std::size_t>(stream.Size()));
    }
    // Runs a program while the loop serves the clipboard; its exit status.
    int Run(const std::vector<std::string>& argv, const std::vector<std::string>& env = {}) {
        testsupport::ChildProcess child;
        child.Start(argv, env);
        std::optional<int> status;
        Pump([&] { return (status = child.WaitExit(std::chrono::milliseconds(1))).has_value(); },
             std::chrono::seconds(20));
        return status.value_or(-1);
    }
    std::string XclipTarget(const std::string& target) {
        const std::filesystem::path out = dir_ / "target";
        EXPECT_EQ(
            Run({"sh", "-c", "xclip -o -selection clipboard -t '" + target + "' > '" + out.string() + "'"}),
            0)
            << target;
        return ReadFile(out);
    }
    std::vector<std::string> Rows() const {
        std::vector<std::string> rows;
        for (int i = 0; i < ds_.StoredRowCount(); ++i) {
            std::string row;
            for (int c = 0; c < ds_.ColumnCount(); ++c)
                row += (c > 0 ? "|" : "") + ds_.StoredRow(i).at(static_cast<std::size_t>(c)).AsString();
            rows.push_back(row);
        }
        return rows;
    }

    std::filesystem::path dir_;
    TForm* form_ = nullptr;
    TCustomDBGridEh* grid_ = nullptr;
    TMemoryDataSet ds_;
    TDataSource* source_ = nullptr;
};

TEST_F(X11GridClipboardTest, XclipReadsEachTargetOfACopyByteForByte) {
    if (InChild())
        GTEST_SKIP();
    SelectRows({1, 2});
    GridCopyToClipboard(grid_, false);
    const std::string zero(1, '\0');
    EXPECT_EQ(XclipTarget("UTF8_STRING"), Export(ExportClass<TDBGridEhExportAsText>()));
    EXPECT_EQ(XclipTarget("text/csv"), Export(ExportClass<TDBGridEhExportAsCSV>()) + zero);
    EXPECT_EQ(XclipTarget("text/rtf"), Export(ExportClass<TDBGridEhExportAsRTF>()) + zero);
    EXPECT_EQ(XclipTarget("application/x-vcldbif"), Export(ExportClass<TDBGridEhExportAsVCLDBIF>()));
}

TEST_F(X11GridClipboardTest, TextXclipOffersWithLineFeedsPastesIntoTheGrid) {
    if (InChild())
        GTEST_SKIP();
    const std::filesystem::path text = dir_ / "text";
    std::ofstream(text, std::ios::binary) << "n1\tПсков\nn2\tc2\n";
    // xclip keeps serving the selection in the background after it returns.
    ASSERT_EQ(Run({"xclip", "-selection", "clipboard", "-i", text.string()}), 0);
    // The clipboard is xclip's only once it has taken the selection and this process has heard so.
    ASSERT_TRUE(Pump([] { return Clipboard()->AsText() == "n1\tПсков\nn2\tc2\n"; }, std::chrono::seconds(5)));
    ds_.First();
    grid_->SelectColumnByIndex(1);
    GridPasteFromClipboard(grid_, false);
    EXPECT_EQ(Rows(), (std::vector<std::string>{"1|n1|Псков", "2|n2|c2", "3|Gamma|Омск"}));
}

TEST_F(X11GridClipboardTest, ASecondProcessPastesTheFirstOnesGridForm) {
    if (InChild())
        GTEST_SKIP();
    SelectRows({2, 3});
    GridCopyToClipboard(grid_, false);
    const std::filesystem::path out = dir_ / "pasted";
    ASSERT_EQ(Run({"/proc/self/exe", "--gtest_filter=X11GridClipboardTest.PasteInTheSecondProcess"},
                  {std::string(ChildOutVariable) + "=" + out.string()}),
              0);
    EXPECT_EQ(ReadFile(out), "2|Bravo \"b\"|Тверь\n3|Gamma|Омск\n");
}

// Runs only as the second process of the test above: pastes into an empty dataset.
TEST_F(X11GridClipboardTest, PasteInTheSecondProcess) {
    if (!InChild())
        GTEST_SKIP();
    ASSERT_TRUE(Clipboard()->HasFormat("VCLDBIF"));
    GridPasteFromClipboard(grid_, false);
    std::ofstream file(std::getenv(ChildOutVariable), std::ios::binary);
    for (const std::string& row : Rows()) file << row << '\n';
}

}  // namespace
