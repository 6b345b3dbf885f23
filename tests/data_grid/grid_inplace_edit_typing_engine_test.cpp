// Typing into a grid's lookup cell over TpFIBDataSets on the embedded engine: the letters complete
// to a client of the list dataset whatever their letter case, Cyrillic too, and leaving the row
// commits the client's key to the server.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/ui/inplace_edit.h"
#include "platform/ui/virtual_keys.h"
#include "tests/data_grid/visits_engine_fixture.h"

namespace {

class TypingEngine : public visits_engine::LookupColumnEngine {
  protected:
    void SetUp() override {
        LookupColumnEngine::SetUp();
        Exec({"INSERT INTO CLIENTS VALUES (4, 'Борис', NULL)"});
    }
    std::string EditorText() const { return grid_->InplaceEditor()->Text(); }
    std::string Selected() const { return grid_->InplaceEditor()->SelText(); }
};

TEST_F(TypingEngine, TypedLettersCompleteToAClientAndLeavingTheRowCommitsItsKey) {
    auto& visits = ShowVisits();
    // A letter typed into the grid opens the editor with the whole text to be typed over.
    ui_.TypeText("c");
    EXPECT_EQ(EditorText(), "Cid");
    EXPECT_EQ(Selected(), "id");
    EXPECT_EQ(grid_->EditKeyValue(), Variant(3));
    ui_.PressKey(VK_DOWN);
    ui_.TypeText("бО");
    EXPECT_EQ(EditorText(), "Борис");
    EXPECT_EQ(Selected(), "рис");
    ui_.TypeText("x");
    EXPECT_EQ(EditorText(), "Борис") << "no client starts with the letter";
    ui_.PressKey(VK_UP);
    ASSERT_EQ(visits.State(), dsBrowse);
    EXPECT_EQ(ServerRows("SELECT ID, CLIENT_ID FROM VISITS ORDER BY ID"),
              (std::vector<std::string>{"10|3", "11|4"}));
}

}  // namespace
