#include "firebird_datasets/records_cache.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <numeric>
#include <string>
#include <vector>

#include "records_cache_layout.h"

namespace {

using namespace records_cache_test;

std::vector<std::int32_t> MapOf(const TRecordsCache& cache, int count) {
    std::vector<std::int32_t> map;
    for (int i = 0; i < count; ++i) map.push_back(cache.PhysicalOf(i));
    return map;
}

std::vector<std::int32_t> OneTo(int count) {
    std::vector<std::int32_t> numbers(static_cast<std::size_t>(count));
    std::iota(numbers.begin(), numbers.end(), 1);
    return numbers;
}

// A cache of plain 8-byte records (no texts) holding records 1..count, each filled with its number.
std::unique_ptr<TRecordsCache> PlainCache(int count, int recordsPerBlock = 32) {
    auto cache = std::make_unique<TRecordsCache>(recordsPerBlock, 8, 8, 0);
    cache->AddBlock();
    for (int n = 1; n <= count; ++n) {
        const std::vector<char> image(8, static_cast<char>(n));
        cache->WriteRecord(n, image.data(), true);
    }
    return cache;
}

char FirstByteOf(TRecordsCache& cache, int n) {
    char image[8];
    cache.ReadRecord(n, image);
    return image[0];
}

void ExpectMessage(const std::function<void()>& action, const std::string& message) {
    try {
        action();
        ADD_FAILURE() << "no error, expected " << message;
    } catch (const EMemManagerError& e) {
        EXPECT_EQ(e.Message, message);
    }
}

struct EdgeCase {
    const char* name;
    std::function<void()> check;
};

const EdgeCase kEdgeCases[] = {
    {"40-byte records, 32 to a block: 1280 bytes, no rounding",
     [] {
         TRecordsCache cache(32, 40, 40, 0);
         EXPECT_EQ(cache.BlockSize(), 1280);
         EXPECT_EQ(cache.RecordsPerBlock(), 32);
     }},
    {"20-byte records, 32 to a block, buffer 100: rounded to 1100 bytes holding 55",
     [] {
         TRecordsCache cache(32, 100, 20, 0);
         EXPECT_EQ(cache.BlockSize(), 1100);
         EXPECT_EQ(cache.RecordsPerBlock(), 55);
     }},
    {"a buffer size dividing 1024 rounds to 1024 plus the buffer",
     [] {
         TRecordsCache cache(32, 256, 20, 0);
         EXPECT_EQ(cache.BlockSize(), 1280);
         EXPECT_EQ(cache.RecordsPerBlock(), 64);
     }},
    {"a record larger than the rounded block: Incompatible Sizes",
     [] {
         ExpectMessage([] { TRecordsCache(0, 100, 2000, 0); }, "Incompatible Sizes");
         ExpectMessage([] { TRecordsCache(4, 100, 0, 0); }, "Incompatible Sizes");
         ExpectMessage([] { TRecordsCache(4, 0, 8, 0); }, "Incompatible Sizes");
     }},
    {"reading one record past a full block",
     [] {
         auto cache = PlainCache(128, 128);  // one full block
         EXPECT_EQ(FirstByteOf(*cache, 128), static_cast<char>(128));
         ExpectMessage([&] { FirstByteOf(*cache, 129); }, "Can't read Buffer.Incorrect RecordNo");
         ExpectMessage([&] { FirstByteOf(*cache, 0); }, "Can't read Buffer.Incorrect RecordNo");
         ExpectMessage([&] { cache->WriteRecord(129, nullptr, false); },
                       "Can't write to Buffer.Incorrect RecordNo");
         ExpectMessage([&] { cache->WriteRecord(257, nullptr, true); },
                       "Can't write to Buffer.Incorrect RecordNo");
         EXPECT_EQ(cache->HighMark(), 128);  // the failed writes changed nothing
         EXPECT_EQ(cache->BlockCount(), 1);
     }},
    {"a text ending in blanks is trimmed, a long one cut",
     [] {
         auto cache = MakeTextCache();
         Fetch(*cache, 1, MakeRecord('x', "", ""));
         cache->SetStringValue(0, 0, "ab  ");
         cache->SetStringValue(1, 0, Letters(12));
         EXPECT_EQ(ReadBack(*cache, 1).texts[0], "ab");
         EXPECT_EQ(ReadBack(*cache, 1).texts[1], Letters(12));
         cache->SetStringValue(0, 0, Letters(12));
         EXPECT_EQ(ReadBack(*cache, 1).texts[0], "abcdefghij");
         cache->SetStringValue(0, 0, "abcdefghi   x");  // cut in the blanks: the blanks go too
         EXPECT_EQ(ReadBack(*cache, 1).texts[0], "abcdefghi");
         cache->SetStringValue(0, 0, " a\tb");  // blanks inside and in front stay
         EXPECT_EQ(ReadBack(*cache, 1).texts[0], " a\tb");
     }},
    {"MoveRecord both ways",
     [] {
         auto cache = PlainCache(6);
         cache->MoveRecord(2, 5);
         EXPECT_EQ(MapOf(*cache, 6), (std::vector<std::int32_t>{1, 2, 4, 5, 6, 3}));
         auto other = PlainCache(6);
         other->MoveRecord(5, 2);
         EXPECT_EQ(MapOf(*other, 6), (std::vector<std::int32_t>{1, 2, 6, 3, 4, 5}));
         EXPECT_EQ(FirstByteOf(*other, 3), 6);
         other->MoveRecord(3, 3);
         EXPECT_EQ(MapOf(*other, 6), (std::vector<std::int32_t>{1, 2, 6, 3, 4, 5}));
     }},
    {"InsertRecord(0) then DeleteRecord(1)",
     [] {
         auto cache = PlainCache(10);
         cache->InsertRecord(0);
         EXPECT_EQ(cache->PhysicalOf(0), 11);
         EXPECT_EQ(cache->HighMark(), 11);
         EXPECT_EQ(cache->IndexOfPhysical(1), 1);
         cache->DeleteRecord(1);
         EXPECT_EQ(MapOf(*cache, 10), OneTo(10));
         EXPECT_EQ(cache->HighMark(), 10);
         EXPECT_FALSE(cache->ContainsRecord(11));
     }},
    {"a record logged twice keeps one slot with the image of the second logging",
     [] {
         auto cache = PlainCache(3);
         cache->SetLogging(true);
         cache->LogRecord(2);
         const std::vector<char> changed(8, 'z');
         cache->WriteRecord(2, changed.data(), false);
         cache->LogRecord(2);
         EXPECT_EQ(cache->ChangeCount(), 1);
         EXPECT_EQ(cache->FindChangePos(2, false), 1);
         EXPECT_EQ(cache->GetOldRecord(2)[0], 'z');
         EXPECT_EQ(cache->GetOldRecord(3)[0], 3);  // never logged: its current image
     }},
};

TEST(RecordsCache, EdgeCases) {
    for (const EdgeCase& c : kEdgeCases) {
        SCOPED_TRACE(c.name);
        c.check();
    }
}

TEST(RecordsCache, TextsLiveInTheStoreAndTheImageIsPacked) {
    auto cache = MakeTextCache();
    const Record first = MakeRecord('1', "short", Letters(12, 'A'));
    const Record second = MakeRecord('2', Letters(10), "");
    Fetch(*cache, 1, first);
    Fetch(*cache, 2, second);
    EXPECT_EQ(ReadBack(*cache, 1), first);
    EXPECT_EQ(ReadBack(*cache, 2), second);
    EXPECT_EQ(cache->StringStore()->GetValue(0, 0), "short");
    EXPECT_EQ(cache->StringStore()->GetValue(1, 0), Letters(12, 'A'));
    // The image holds the head and the tail only, one record after the other.
    const char* image = cache->RecordAddress(1);
    EXPECT_EQ(std::string(image, kRecordSize), std::string(kRecordSize, '1'));
    EXPECT_EQ(std::string(image + kRecordSize, kRecordSize), std::string(kRecordSize, '2'));
    // Zero-filling an image leaves its texts.
    cache->WriteRecord(1, nullptr, false);
    EXPECT_EQ(ReadBack(*cache, 1), MakeRecord('\0', "short", Letters(12, 'A')));
}

TEST(RecordsCache, TextsFromACharacterBuffer) {
    const struct {
        const char* name;
        std::string chars;
        bool trim;
        int length;
        std::string stored;
        std::string bufferAfter;  // the caller's characters afterwards
    } cases[] = {
        {"trimmed to its most", "ab        ", true, -1, "ab", std::string("ab\0       ", 10)},
        {"all blanks", "          ", true, -1, "", std::string("\0         ", 10)},
        {"full width keeps all", "abcdefghij", true, -1, "abcdefghij", "abcdefghij"},
        {"a given length", "abc  xyz  ", true, 5, "abc", std::string("abc\0 xyz  ", 10)},
        {"untrimmed up to the NUL", std::string("ab \0zzzzzz", 10), false, -1, "ab ",
         std::string("ab \0zzzzzz", 10)},
        {"untrimmed by length", "abcdefghij", false, 4, "abcd", "abcdefghij"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto cache = MakeTextCache();
        Fetch(*cache, 1, MakeRecord('x', "old", ""));
        std::string chars = c.chars;
        cache->SetStringValueBuf(0, 0, c.trim, c.length, chars.data());
        EXPECT_EQ(cache->StringStore()->GetValue(0, 0), c.stored);
        EXPECT_EQ(chars, c.bufferAfter);
    }
}

TEST(RecordsCache, StringValuesFollowTheMap) {
    auto cache = MakeTextCache();
    for (int n = 1; n <= 3; ++n) Fetch(*cache, n, MakeRecord('0' + n, std::to_string(n), ""));
    cache->ExchangeRecords(0, 2);
    cache->SetStringValue(0, 0, "first");  // logical row 0 is now physical 3
    EXPECT_EQ(ReadBack(*cache, 1).texts[0], "first");
    EXPECT_EQ(ReadBack(*cache, 3).texts[0], "1");
    EXPECT_EQ(cache->StringStore()->GetValue(0, 2), "first");
    EXPECT_THROW(cache->SetStringValue(2, 0, "x"), EStringCollectionError);
    EXPECT_THROW(cache->SetStringValue(0, 7, "x"), EStringCollectionError);  // no such logical row
}

// Without the change log one buffer holds the old image; it belongs to the record it was saved
// from and to no other.
TEST(RecordsCache, OldImageBelongsToItsRecord) {
    auto cache = MakeTextCache();
    const Record one = MakeRecord('1', "one", "key1");
    const Record two = MakeRecord('2', "two", "key2");
    Fetch(*cache, 1, one);
    Fetch(*cache, 2, two);
    cache->SaveOldRecord(1);
    const Record edited = MakeRecord('E', "edited", "key1");
    cache->WriteRecord(1, ToBuffer(edited).data(), false);
    EXPECT_EQ(FromBuffer(cache->GetOldRecord(2)), two);
    EXPECT_EQ(FromBuffer(cache->GetOldRecord(1)), edited);  // the buffer now holds record 2's
    cache->SaveOldRecord(1);
    cache->WriteRecord(1, ToBuffer(one).data(), false);
    EXPECT_EQ(FromBuffer(cache->GetOldRecord(1)), edited);
    cache->RestoreOldRecord(1);
    EXPECT_EQ(ReadBack(*cache, 1), edited);
    // A record taken back out of the map leaves no old image for the one that takes its number.
    cache->InsertRecord(0);
    Fetch(*cache, 1, MakeRecord('N', "new", ""));
    cache->SaveOldRecord(1);
    cache->DeleteRecord(1);
    cache->InsertRecord(0);
    Fetch(*cache, 1, MakeRecord('M', "newer", ""));
    EXPECT_EQ(FromBuffer(cache->GetOldRecord(1)), MakeRecord('M', "newer", ""));
}

TEST(RecordsCache, ChangeLogKeepsImagesAndTextsPerRecord) {
    auto cache = MakeTextCache();
    cache->SetLogging(true);
    for (int n = 1; n <= 40; ++n)
        Fetch(*cache, n, MakeRecord('a' + n % 26, Letters(n % 11), std::to_string(n)));
    for (int n : {30, 5, 17, 40, 1}) {
        cache->SaveOldRecord(n);
        cache->WriteRecord(n, ToBuffer(MakeRecord('!', "changed", "")).data(), false);
    }
    EXPECT_EQ(cache->ChangeCount(), 5);
    EXPECT_EQ(cache->LogBlockCount(), 1);
    for (int n : {30, 5, 17, 40, 1}) {
        SCOPED_TRACE(n);
        const Record original = MakeRecord('a' + n % 26, Letters(n % 11), std::to_string(n));
        EXPECT_EQ(ReadBack(*cache, n, true), original);
        EXPECT_EQ(FromBuffer(cache->GetOldRecord(n)), original);
        EXPECT_EQ(ReadBack(*cache, n), MakeRecord('!', "changed", ""));
    }
    int index = -1;
    EXPECT_TRUE(cache->FindChangeIndex(17, index));
    EXPECT_EQ(index, 2);  // 1, 5, 17, 30, 40
    EXPECT_FALSE(cache->FindChangeIndex(18, index));
    EXPECT_EQ(index, 3);
    cache->RestoreOldRecord(17);
    EXPECT_EQ(ReadBack(*cache, 17), MakeRecord('a' + 17, Letters(6), "17"));
    cache->ClearChangeLog();
    EXPECT_EQ(cache->ChangeCount(), 0);
    EXPECT_EQ(cache->LogBlockCount(), 0);
    EXPECT_EQ(ReadBack(*cache, 30, true), MakeRecord('!', "changed", ""));
}

TEST(RecordsCache, LogSpillsIntoFurtherBlocks) {
    auto cache = PlainCache(200);
    cache->SetLogging(true);
    for (int n = 200; n >= 1; --n) cache->LogRecord(n);
    EXPECT_EQ(cache->ChangeCount(), 200);
    EXPECT_EQ(cache->LogBlockCount(), 2);  // 128 records to a block
    for (int n = 1; n <= 200; ++n) cache->WriteRecord(n, nullptr, false);
    for (int n : {1, 72, 73, 200}) {
        char image[8];
        cache->ReadRecordEx(n, image, true);
        EXPECT_EQ(image[0], static_cast<char>(n)) << n;
    }
    cache->SetLogBlockCount(1);
    ExpectMessage(
        [&] {
            char image[8];
            cache->ReadRecordEx(1, image, true);  // logged last, in the second block
        },
        "Can't read LogBuffer.Incorrect RecordNo");
}

// A record taken back out gives its log slot up, so a record inserted under the same number has no
// logged image of the other one.
TEST(RecordsCache, DeletedRecordLeavesNoLogBehind) {
    auto cache = PlainCache(4);
    cache->SetLogging(true);
    cache->InsertRecord(1);
    const std::vector<char> inserted(8, 'i');
    cache->WriteRecord(2, inserted.data(), true);
    cache->LogRecord(2);  // physical 5, log position 1
    cache->LogRecord(5);  // physical 4, log position 2
    cache->DeleteRecord(2);
    EXPECT_EQ(cache->ChangeCount(), 1);
    EXPECT_EQ(cache->FindChangePos(4, false), 1);
    char image[8];
    cache->ReadRecordEx(4, image, true);
    EXPECT_EQ(image[0], 4);
    cache->InsertRecord(0);
    const std::vector<char> again(8, 'j');
    cache->WriteRecord(1, again.data(), true);
    EXPECT_EQ(cache->PhysicalOf(0), 5);
    cache->ReadRecordEx(1, image, true);
    EXPECT_EQ(image[0], 'j');
}

// Lookups between the changes make the cache keep its positions known; each change must move them.
TEST(RecordsCache, PositionsFollowEveryChangeOfTheMap) {
    auto cache = PlainCache(8);
    const auto agrees = [&cache](const char* after) {
        std::vector<std::int32_t> map;
        for (int n = 1; cache->MapRecNo(n) != 0; ++n) map.push_back(cache->MapRecNo(n));
        for (std::int32_t physical = 1; physical <= cache->HighMark() + 1; ++physical) {
            const auto found = std::find(map.begin(), map.end(), physical);
            const int expected = found == map.end() ? -1 : static_cast<int>(found - map.begin());
            EXPECT_EQ(cache->IndexOfPhysical(physical), expected) << after << ", record " << physical;
            EXPECT_EQ(cache->ContainsRecord(physical), expected >= 0) << after << ", record " << physical;
        }
    };
    cache->ExchangeRecords(0, 7);
    agrees("an exchange");
    cache->ExchangeRecords(2, 5);
    cache->ExchangeRecords(5, 0);
    agrees("two exchanges with the positions known");
    cache->MoveRecord(1, 6);
    agrees("a move");
    cache->InsertRecord(3);
    agrees("an insert");
    cache->DeleteRecord(5);
    agrees("a delete");
    EXPECT_THROW(cache->ExchangeRecords(0, 99), EListError);
    agrees("a refused exchange");
}

TEST(RecordsCache, MapLookups) {
    auto cache = PlainCache(5);
    EXPECT_FALSE(cache->HasMap());
    EXPECT_EQ(cache->IndexOfPhysical(4), 3);
    EXPECT_TRUE(cache->ContainsRecord(5));
    EXPECT_FALSE(cache->ContainsRecord(6));
    EXPECT_FALSE(cache->ContainsRecord(-1));
    cache->ExchangeRecords(0, 4);
    EXPECT_EQ(MapOf(*cache, 5), (std::vector<std::int32_t>{5, 2, 3, 4, 1}));
    EXPECT_EQ(cache->IndexOfPhysical(5), 0);
    EXPECT_EQ(cache->IndexOfPhysical(3), 2);
    EXPECT_EQ(cache->IndexOfPhysical(9), -1);
    EXPECT_EQ(FirstByteOf(*cache, 1), 5);
    EXPECT_THROW(cache->ExchangeRecords(0, 5), EListError);
    EXPECT_THROW(cache->MoveRecord(-1, 2), EListError);
    EXPECT_THROW(cache->InsertRecord(6), EListError);
    EXPECT_EQ(MapOf(*cache, 5), (std::vector<std::int32_t>{5, 2, 3, 4, 1}));
    // A record fetched after the map exists takes the next physical number.
    const std::vector<char> sixth(8, 6);
    cache->WriteRecord(6, sixth.data(), true);
    EXPECT_EQ(cache->PhysicalOf(5), 6);
    EXPECT_EQ(cache->HighMark(), 6);
    EXPECT_EQ(cache->RecordAddress(7), nullptr);
}

// A record taken out of the middle keeps its number and its texts: later fetches and insertions
// take new numbers, and the other records keep their texts.
TEST(RecordsCache, RecordTakenOutOfTheMiddleLendsNothing) {
    auto cache = MakeTextCache();
    for (int n = 1; n <= 5; ++n) Fetch(*cache, n, MakeRecord('0' + n, "text" + std::to_string(n), ""));
    cache->CreateMap();
    cache->DeleteRecord(2);
    EXPECT_EQ(cache->HighMark(), 5);
    EXPECT_FALSE(cache->ContainsRecord(2));
    Fetch(*cache, 5, MakeRecord('F', "fetched", ""));
    cache->InsertRecord(0);
    Fetch(*cache, 1, MakeRecord('I', "inserted", ""));
    EXPECT_EQ(MapOf(*cache, 6), (std::vector<std::int32_t>{7, 1, 3, 4, 5, 6}));
    const char* expected[] = {"inserted", "text1", "text3", "text4", "text5", "fetched"};
    for (int n = 1; n <= 6; ++n) EXPECT_EQ(ReadBack(*cache, n).texts[0], expected[n - 1]) << n;
}

TEST(RecordsCache, BlocksGrowOneAtATime) {
    auto cache = PlainCache(0, 128);
    for (int n = 1; n <= 1000; ++n) {
        const std::vector<char> image(8, static_cast<char>(n));
        ASSERT_NE(cache->ExtendMap(n), nullptr);
        cache->WriteRecord(n, image.data(), false);
    }
    EXPECT_EQ(cache->BlockCount(), 8);
    EXPECT_EQ(cache->HighMark(), 1000);
    EXPECT_EQ(FirstByteOf(*cache, 777), static_cast<char>(777));
    cache->SetBlockCount(2);
    EXPECT_EQ(cache->RecordAddress(300), nullptr);
    EXPECT_EQ(cache->AddBlock(), 3);
    EXPECT_EQ(FirstByteOf(*cache, 300), 0);  // a new block is zero-filled
}

}  // namespace
