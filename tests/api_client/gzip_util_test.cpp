#include "api_client/gzip_util.h"

#include <gtest/gtest.h>

#include <random>

#include "tests/api_client/system_gzip.h"

namespace {

std::string SampleText() {
    std::string text;
    for (int i = 0; i < 2000; ++i) text += "Пройдите в кабинет " + std::to_string(i) + "\n";
    return text;
}

std::string RandomBytes(std::size_t n) {
    std::mt19937 gen(42);
    std::string bytes(n, '\0');
    for (auto& c : bytes) c = static_cast<char>(gen());
    return bytes;
}

std::string Gzip(const std::string& data) {
    std::string packed;
    EXPECT_TRUE(GzipStream(data, packed));
    return packed;
}

}  // namespace

TEST(GzipStream, SystemGzipReadsWhatItWrites) {
    for (const std::string& data : {std::string(), std::string("x"), SampleText(), RandomBytes(100000)}) {
        std::string packed = Gzip(data);
        std::string unpacked;
        ASSERT_TRUE(RunSystemGzip("-d -c", packed, unpacked)) << "size " << data.size();
        EXPECT_EQ(unpacked, data);
    }
}

TEST(GzipStream, WritesOneMemberWithoutFileName) {
    std::string packed = Gzip(SampleText());
    ASSERT_GE(packed.size(), 10u);
    EXPECT_EQ(static_cast<unsigned char>(packed[0]), 0x1f);
    EXPECT_EQ(static_cast<unsigned char>(packed[1]), 0x8b);
    EXPECT_EQ(packed[2], 8);         // deflate
    EXPECT_EQ(packed[3] & 0x08, 0);  // FNAME not set
    std::string listing;
    ASSERT_TRUE(RunSystemGzip("-l -v", packed, listing));  // reads one member
}

TEST(GunzipStream, ReadsWhatSystemGzipWrites) {
    for (const std::string& data : {std::string("x"), SampleText(), RandomBytes(70000)}) {
        std::string packed, unpacked;
        ASSERT_TRUE(RunSystemGzip("-c -9", data, packed));
        ASSERT_TRUE(GunzipStream(packed, unpacked));
        EXPECT_EQ(unpacked, data);
    }
}

TEST(GunzipStream, ReadsConcatenatedMembersAsGzipDoes) {
    std::string packed = Gzip("first ") + Gzip("second");
    std::string unpacked;
    ASSERT_TRUE(GunzipStream(packed, unpacked));
    EXPECT_EQ(unpacked, "first second");
}

TEST(GunzipStream, DamagedStreamFailsAndLeavesDestination) {
    const std::string packed = Gzip(SampleText());
    std::string badCrc = packed;
    badCrc[badCrc.size() - 6] ^= 0x55;
    std::string badData = packed;
    badData[packed.size() / 2] ^= 0xff;
    std::string trailing = packed + "garbage!";
    struct Case {
        const char* name;
        std::string input;
    };
    const Case cases[] = {
        {"empty", ""},
        {"plain text", "not gzip at all"},
        {"header only", packed.substr(0, 10)},
        {"truncated", packed.substr(0, packed.size() - 1)},
        {"half", packed.substr(0, packed.size() / 2)},
        {"bad crc", badCrc},
        {"damaged deflate data", badData},
        {"trailing garbage", trailing},
        {"zlib not gzip", std::string("\x78\x9c\x03\x00\x00\x00\x00\x01", 8)},
    };
    for (const auto& c : cases) {
        std::string destination = "untouched";
        EXPECT_FALSE(GunzipStream(c.input, destination)) << c.name;
        EXPECT_EQ(destination, "untouched") << c.name;
    }
}
