// The RTF export opened by a real reader: LibreOffice turns the document into plain text, in which
// every cell must stand in order as the grid shows it, braces, backslashes, line breaks and
// Cyrillic included, and each merged title once.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "data_grid/head_tree.h"
#include "platform/rtl/file_stream.h"
#include "platform/rtl/variant.h"
#include "tests/data_grid/grid_export_fixture.h"
#include "tests/support/child_process.h"
#include "tests/support/temp_dir.h"

namespace {

using grid_export_test::GridExport;

bool OnPath(const std::string& program) {
    const char* path = std::getenv("PATH");
    std::stringstream dirs(path != nullptr ? path : "");
    std::string dir;
    while (std::getline(dirs, dir, ':'))
        if (!dir.empty() && std::filesystem::exists(std::filesystem::path(dir) / program))
            return true;
    return false;
}

// The document as LibreOffice reads it, as UTF-8 text lines without empty ones.
std::vector<std::string> ReadBack(const testsupport::TempDir& dir, const std::filesystem::path& rtf) {
    testsupport::ChildProcess soffice;
    soffice.Start({"soffice", "-env:UserInstallation=file://" + (dir / "profile").string(), "--headless",
                   "--convert-to", "txt:Text (encoded):UTF8", "--outdir", (dir / "out").string(),
                   rtf.string()});
    const std::optional<int> status = soffice.WaitExit(std::chrono::seconds(90));
    EXPECT_EQ(status, 0);
    std::ifstream in(dir / "out" / (rtf.stem().string() + ".txt"), std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (text.rfind("\xEF\xBB\xBF", 0) == 0)
        text.erase(0, 3);
    std::vector<std::string> lines;
    std::stringstream stream(text);
    std::string line;
    while (std::getline(stream, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty())
            lines.push_back(line);
    }
    return lines;
}

TEST(GridExportRtfReader, EveryCellReadsBackInOrderWithMergedTitlesOnce) {
    if (!OnPath("soffice"))
        GTEST_SKIP()
            << "soffice is not installed (libreoffice-writer-nogui); the RTF export is not read back";
    GridExport f;
    f.Define({{"LAST", ftString, 40}, {"FIRST", ftString, 40}, {"NOTE", ftMemo}});
    f.ds.AddRow({Variant("Иванов"), Variant("Иван"), Variant("a\\b {c}")});
    f.ds.AddRow({Variant("{brace"), Variant("x}y"), Variant("two\r\nlines")});
    f.ds.AddRow({Variant("Ёлкин"), Variant::Null(), Variant("tab\there")});
    f.Open();
    f.AddColumn("LAST", "Пациент|Фамилия");
    f.AddColumn("FIRST", "Пациент|Имя");
    f.AddColumn("NOTE", "Примечание {\\}");
    f.grid->SetMemoAsText(true);
    f.grid->SetRowHeights(0, 60);
    f.grid->SetUseMultiTitle(true);
    f.grid->HeadTree()->BuildFromColumns(*f.grid);
    f.grid->SetFooterRowCount(1);
    f.Footer(2)->SetValueType(fvtCount);

    testsupport::TempDir dir("grid_rtf");
    const std::filesystem::path rtf = dir / "grid.rtf";
    {
        TFileStream file(rtf.string(), fmCreate);
        ExportGridToStream(ExportClass<TDBGridEhExportAsRTF>(), f.grid, file, true);
    }
    const std::vector<std::string> expected{
        "Пациент",   "Примечание {\\}", "Фамилия",    "Имя", "Иванов", "Иван",
        "a\\b {c}",  "{brace",          "x}y",        "two", "lines",  "Ёлкин",
        "tab\there", "footer 0/0",      "footer 1/0", "3"};
    EXPECT_EQ(ReadBack(dir, rtf), expected);
}

}  // namespace
