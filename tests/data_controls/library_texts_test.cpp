// The library's texts: the not-found message keeps the quotes around the searched text.
#include <gtest/gtest.h>

#include <string>

#include "data_controls/library_texts.h"
#include "platform/rtl/format.h"

namespace {

TEST(LibraryTexts, SearchStringNotFoundQuotesTheText) {
    EXPECT_EQ(Format(SSearchStringNotFound, {std::string("Иванов")}), "Строка \"Иванов\" не найдена.");
}

}  // namespace
