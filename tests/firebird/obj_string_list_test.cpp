#include "firebird/obj_string_list.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

// Counts its own destruction, so that tests see who freed what.
class Tracked : public TObject {
  public:
    explicit Tracked(int& freed) : freed_(freed) {}
    ~Tracked() override { ++freed_; }

  private:
    int& freed_;
};

TObjectPtr<TObject> NewTracked(int& freed) {
    return TObjectPtr<TObject>(new Tracked(freed));
}

TEST(ObjStringListHash, FromTheSecondCharacterToTheTerminatingZero) {
    // "ab": 'b' - 32 = 66, then the zero byte: 66 * 37 - 32.
    EXPECT_EQ(TObjStringList::HashOf(""), 0);
    EXPECT_EQ(TObjStringList::HashOf("a"), -32);
    EXPECT_EQ(TObjStringList::HashOf("ab"), 66 * 37 - 32);
    EXPECT_EQ(TObjStringList::HashOf("xab"), TObjStringList::HashOf("yab"));
    EXPECT_NE(TObjStringList::HashOf("xab"), TObjStringList::HashOf("xba"));
    // 16 characters: step 2, the odd positions 1 ... 15 only; 17: step 2 reaches the zero byte.
    const std::string key16 = "0123456789abcdef";
    std::string evenChanged = key16, oddChanged = key16;
    evenChanged[14] = '#';
    oddChanged[15] = '#';
    EXPECT_EQ(TObjStringList::HashOf(key16), TObjStringList::HashOf(evenChanged));
    EXPECT_NE(TObjStringList::HashOf(key16), TObjStringList::HashOf(oddChanged));
    const std::string longKey(100000, '\xFF');  // wraps around many times
    EXPECT_EQ(TObjStringList::HashOf(longKey), TObjStringList::HashOf(std::string(100000, '\xFF')));
}

TEST(ObjStringList, HashedKeysOfEqualHashAreToldApart) {
    int freed = 0;
    TObjStringList list(nullptr, true);
    const char* keys[] = {"xab", "SELECT 1", "yab", "select 1", "zab"};
    std::map<std::string, TObject*> objects;
    for (const char* key : keys) {
        auto object = NewTracked(freed);
        objects[key] = object.get();
        list.AddObject(key, std::move(object));
    }
    ASSERT_EQ(list.Count(), 5);
    for (const char* key : keys) {
        int index = -1;
        ASSERT_TRUE(list.Find(key, index)) << key;
        EXPECT_EQ(list.Key(index), key);
        EXPECT_EQ(list.GetObject(index), objects[key]);
    }
    // Ordered by hash; equal hashes in the order they came.
    for (int i = 1; i < list.Count(); ++i)
        EXPECT_LE(TObjStringList::HashOf(list.Key(i - 1)), TObjStringList::HashOf(list.Key(i)));
    int x = 0, y = 0, z = 0;
    list.Find("xab", x);
    list.Find("yab", y);
    list.Find("zab", z);
    EXPECT_TRUE(x < y && y < z);
    int index = -1;
    std::int32_t hash = 0;
    EXPECT_FALSE(list.FindHashed("wab", hash, index));
    EXPECT_EQ(hash, TObjStringList::HashOf("xab"));
    EXPECT_EQ(index, z + 1);                // behind its hash's run
    EXPECT_FALSE(list.Find("XAB", index));  // hashed keys keep their case
    EXPECT_EQ(freed, 0);
}

TEST(ObjStringList, AnExistingKeyKeepsItsFirstObject) {
    for (bool hashed : {false, true}) {
        int freed = 0;
        TObjStringList list(nullptr, hashed);
        auto first = NewTracked(freed);
        TObject* kept = first.get();
        list.AddObject("Key", std::move(first));
        list.AddObject("other", NewTracked(freed));
        const std::string again = hashed ? "Key" : "KEY";  // the plain list ignores case
        int found = -1;
        ASSERT_TRUE(list.Find("Key", found));
        EXPECT_EQ(list.AddObject(again, NewTracked(freed)), found) << hashed;
        EXPECT_EQ(list.GetObject(found), kept);
        EXPECT_EQ(list.Count(), 2);
        EXPECT_EQ(freed, 1) << "the refused object is freed";
    }
}

TEST(ObjStringList, PlainKeysSortedWithoutCase) {
    int freed = 0;
    TObjStringList list(nullptr, false);
    for (const char* key : {"b", "C", "a"}) list.AddObject(key, NewTracked(freed));
    EXPECT_EQ(list.Key(0), "a");
    EXPECT_EQ(list.Key(1), "b");
    EXPECT_EQ(list.Key(2), "C");
    int index = -1;
    EXPECT_TRUE(list.Find("c", index));
    EXPECT_EQ(index, 2);
    EXPECT_FALSE(list.Find("bb", index));
    EXPECT_EQ(index, 2);
}

TEST(ObjStringList, RemoveAndDeleteHandTheObjectBack) {
    for (bool hashed : {false, true}) {
        int freed = 0;
        {
            TObjStringList list(nullptr, hashed);
            for (const char* key : {"one", "two", "three", "four"}) list.AddObject(key, NewTracked(freed));
            TObjectPtr<TObject> removed = list.Remove("two");
            ASSERT_NE(removed, nullptr);
            EXPECT_EQ(list.Remove("two"), nullptr);
            int index = -1;
            ASSERT_TRUE(list.Find("three", index));
            TObjectPtr<TObject> deleted = list.Delete(index);
            EXPECT_EQ(list.Count(), 2);
            EXPECT_FALSE(list.Find("three", index));
            EXPECT_TRUE(list.Find("four", index));  // the hashes moved with their keys
            EXPECT_EQ(freed, 0);
            removed.reset();
            EXPECT_EQ(freed, 1);
        }
        EXPECT_EQ(freed, 4) << "the list frees what it still holds, the caller what it took";
    }
}

TEST(ObjStringList, IndexesOutsideTheListRaise) {
    int freed = 0;
    TObjStringList list(nullptr, true);
    list.AddObject("a", NewTracked(freed));
    for (int index : {-1, 1}) {
        EXPECT_THROW(list.GetObject(index), EStringListError) << index;
        EXPECT_THROW(list.Delete(index), EStringListError) << index;
    }
    EXPECT_EQ(list.Count(), 1);
    list.FreeObjects();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(freed, 1);
}

TEST(ObjStringList, HashedFindAgreesWithAMapOverManyKeys) {
    // Keys that collide in pairs (first character only) and long keys sampled sparsely.
    int freed = 0;
    TObjStringList list(nullptr, true);
    std::map<std::string, int> added;
    for (int i = 0; i < 300; ++i) {
        std::string key = std::string(1, static_cast<char>('a' + i % 3)) + std::to_string(i / 3);
        if (i % 7 == 0)
            key = "SELECT * FROM T WHERE ID = " + std::to_string(i);
        list.AddObject(key, NewTracked(freed));
        added[key] = 1;
    }
    EXPECT_EQ(list.Count(), static_cast<int>(added.size()));
    for (const auto& [key, unused] : added) {
        int index = -1;
        EXPECT_TRUE(list.Find(key, index)) << key;
        EXPECT_EQ(list.Key(index), key);
    }
    for (int i = 1; i < list.Count(); ++i)
        ASSERT_LE(TObjStringList::HashOf(list.Key(i - 1)), TObjStringList::HashOf(list.Key(i)));
}

}  // namespace
