// Long seeded runs of mixed cache operations against a plain model: records in logical order, each
// with its current and logged contents, every read compared.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "firebird_datasets/records_cache.h"
#include "records_cache_layout.h"

namespace {

using namespace records_cache_test;

struct ModelRecord {
    Record current;
    std::optional<Record> logged;
};

// What storing a text through SetStringValue keeps.
std::string StoredText(std::string text, int maxLength) {
    const auto trimRight = [](std::string& s) {
        while (!s.empty() && static_cast<unsigned char>(s.back()) <= ' ') s.pop_back();
    };
    if (text.size() > static_cast<std::size_t>(maxLength)) {
        text.resize(static_cast<std::size_t>(maxLength));
        trimRight(text);
    } else if (!text.empty() && text.back() == ' ') {
        trimRight(text);
    }
    return text;
}

class ModelRun {
  public:
    explicit ModelRun(unsigned seed) : random_(seed), cache_(MakeTextCache()) { cache_->SetLogging(true); }

    void Step() {
        switch (Pick(13)) {
            case 0:
            case 1:
                Fetch();
                break;
            case 2:
                Rewrite();
                break;
            case 3:
                Insert();
                break;
            case 4:
                Move();
                break;
            case 5:
                Exchange();
                break;
            case 6:
                Log();
                break;
            case 7:
                SetText();
                break;
            case 8:
                TakeBackInsertion();
                break;
            case 9:
                ZeroFill();
                break;
            case 10:
                OldImageWithoutLog();
                break;
            default:
                ClearLogSometimes();
                break;
        }
        ReadAndCompare();
    }

    void CompareAll() {
        for (int n = 1; n <= Count(); ++n) Compare(n);
    }

  private:
    int Count() const { return static_cast<int>(records_.size()); }
    int Pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(random_); }
    int AnyPosition() { return Pick(Count()); }

    std::string RandomText(int longest) {
        static constexpr char kChars[] = "abcxyz  \t";
        std::string text(static_cast<std::size_t>(Pick(longest + 1)), ' ');
        for (char& c : text) c = kChars[Pick(sizeof kChars - 1)];
        return text;
    }

    Record RandomRecord() {
        Record record;
        for (char& c : record.fixed) c = static_cast<char>(Pick(256));
        for (std::size_t i = 0; i < 2; ++i) record.texts[i] = RandomText(kMaxLength[i]);
        return record;
    }

    void Fetch() {
        const Record record = RandomRecord();
        records_.push_back({record, std::nullopt});
        records_cache_test::Fetch(*cache_, Count(), record);
    }

    void Rewrite() {
        if (Count() == 0)
            return;
        const int position = AnyPosition();
        const Record record = RandomRecord();
        records_[static_cast<std::size_t>(position)].current = record;
        cache_->WriteRecord(position + 1, ToBuffer(record).data(), false);
    }

    void Insert() {
        const int position = Pick(Count() + 1);
        const Record record = RandomRecord();
        cache_->InsertRecord(position);
        records_cache_test::Fetch(*cache_, position + 1, record);
        records_.insert(records_.begin() + position, {record, std::nullopt});
        lastInserted_ = position;
    }

    // The dataset takes back the insertion it has just made when posting it fails.
    void TakeBackInsertion() {
        if (!lastInserted_)
            return;
        cache_->DeleteRecord(*lastInserted_ + 1);
        records_.erase(records_.begin() + *lastInserted_);
        lastInserted_.reset();
    }

    // Out of the middle, too: the record's number is not given to another.
    void TakeOutAny() {
        if (!cache_->HasMap() || Count() == 0 || Pick(4) != 0)
            return;
        const int position = AnyPosition();
        cache_->DeleteRecord(position + 1);
        records_.erase(records_.begin() + position);
        lastInserted_.reset();
    }

    void Move() {
        if (Count() == 0)
            return;
        const int from = AnyPosition();
        const int to = AnyPosition();
        cache_->MoveRecord(from, to);
        const ModelRecord moved = records_[static_cast<std::size_t>(from)];
        records_.erase(records_.begin() + from);
        records_.insert(records_.begin() + to, moved);
        lastInserted_.reset();
    }

    void Exchange() {
        if (Count() == 0)
            return;
        const int i = AnyPosition();
        const int j = AnyPosition();
        cache_->ExchangeRecords(i, j);
        std::swap(records_[static_cast<std::size_t>(i)], records_[static_cast<std::size_t>(j)]);
        lastInserted_.reset();
    }

    void Log() {
        if (Count() == 0)
            return;
        // Often the record just inserted, whose number a later insertion may take once it goes.
        const int position = lastInserted_ && Pick(2) == 0 ? *lastInserted_ : AnyPosition();
        cache_->LogRecord(position + 1);
        records_[static_cast<std::size_t>(position)].logged =
            records_[static_cast<std::size_t>(position)].current;
    }

    void SetText() {
        if (Count() == 0)
            return;
        const int position = AnyPosition();
        const int column = Pick(2);
        const std::string text = RandomText(kMaxLength[static_cast<std::size_t>(column)] + 4);
        cache_->SetStringValue(column, position, text);
        records_[static_cast<std::size_t>(position)].current.texts[static_cast<std::size_t>(column)] =
            StoredText(text, kMaxLength[static_cast<std::size_t>(column)]);
    }

    void ZeroFill() {
        if (Count() == 0)
            return;
        const int position = AnyPosition();
        cache_->WriteRecord(position + 1, nullptr, false);
        records_[static_cast<std::size_t>(position)].current.fixed.fill('\0');
    }

    // Off the log, the old-image buffer: saved, changed and restored.
    void OldImageWithoutLog() {
        if (Count() == 0)
            return;
        const int position = AnyPosition();
        ModelRecord& record = records_[static_cast<std::size_t>(position)];
        cache_->SetLogging(false);
        cache_->SaveOldRecord(position + 1);
        const Record saved = record.current;
        record.current = RandomRecord();
        cache_->WriteRecord(position + 1, ToBuffer(record.current).data(), false);
        if (Count() > 1) {
            const int other = (position + 1 + Pick(Count() - 1)) % Count();
            EXPECT_EQ(FromBuffer(cache_->GetOldRecord(other + 1)),
                      records_[static_cast<std::size_t>(other)].current);
        } else {
            EXPECT_EQ(FromBuffer(cache_->GetOldRecord(position + 1)), saved);
            cache_->RestoreOldRecord(position + 1);
            record.current = saved;
        }
        cache_->SetLogging(true);
    }

    void ClearLogSometimes() {
        if (Pick(8) != 0)
            return;
        cache_->ClearChangeLog();
        for (ModelRecord& record : records_) record.logged.reset();
    }

    void ReadAndCompare() {
        if (Count() > 0)
            Compare(AnyPosition() + 1);
    }

    void Compare(int n) {
        const ModelRecord& expected = records_[static_cast<std::size_t>(n - 1)];
        ASSERT_EQ(ReadBack(*cache_, n), expected.current) << "record " << n;
        ASSERT_EQ(ReadBack(*cache_, n, true), expected.logged.value_or(expected.current)) << "logged " << n;
    }

    std::mt19937 random_;
    std::unique_ptr<TRecordsCache> cache_;
    std::vector<ModelRecord> records_;
    std::optional<int> lastInserted_;
};

TEST(RecordsCacheModel, MixedOperationsReadBackAsTheModel) {
    for (unsigned seed : {1u, 27u, 4242u, 90210u}) {
        SCOPED_TRACE(seed);
        ModelRun run(seed);
        for (int step = 0; step < 50000; ++step) {
            run.Step();
            if (::testing::Test::HasFatalFailure())
                return;
        }
        run.CompareAll();
    }
}

}  // namespace
