// The guide's program over a database it makes itself: it ends well and every step prints what
// README's "Using the libraries" says it does.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "tests/firebird/engine_database.h"
#include "tests/support/child_process.h"

namespace {

TEST(LibraryGuide, EveryStepDoesWhatTheGuideSays) {
    const std::filesystem::path folder = fbtest::TEngineFolder::Get().Path();
    const std::filesystem::path database = folder / "library_guide.fdb";
    const std::filesystem::path output = folder / "library_guide.out";
    std::filesystem::remove(database);
    testsupport::ChildProcess guide;
    guide.Start({"/bin/sh", "-c", "exec \"$0\" \"$1\" >\"$2\" 2>&1", LIBRARY_GUIDE_PROGRAM, database.string(),
                 output.string()},
                {"QT_QPA_PLATFORM=offscreen"});
    const auto status = guide.WaitExit(std::chrono::seconds(60));
    std::ostringstream printed;
    printed << std::ifstream(output).rdbuf();
    const std::string text = printed.str();
    ASSERT_EQ(status, 0) << text;
    for (const char* line : {
             "update statement:\nUpdate VISITS Set\r\n     ID=?NEW_ID,",
             "where VISITS.ID=?OLD_ID",
             "all visits: 7 visits, amount 7,390.7400",
             "amount > 500: 5 visits, amount 7,040.5000",
             "saved note: checked by the guide",
             "refused: ",
             "after the edits: 7 visits, amount 7,390.7400",
         })
        EXPECT_NE(text.find(line), std::string::npos) << "missing: " << line << "\nin:\n" << text;
    EXPECT_NE(text.find("CUSTOMER_ID"), std::string::npos) << text;
}

}  // namespace
