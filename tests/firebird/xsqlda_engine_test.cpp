// Values, blobs and arrays written through descriptor areas into tables of the embedded engine and
// read back, by us and by isql.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <memory>
#include <string>

#include "firebird/blob_routines.h"
#include "firebird/blob_stream.h"
#include "firebird/client_library.h"
#include "firebird/sql_types.h"
#include "firebird/status_vector.h"
#include "firebird/variant_arrays.h"
#include "platform/rtl/float_format.h"
#include "platform/rtl/string_stream.h"
#include "platform/rtl/strings.h"
#include "tests/firebird/xsqlda_statement.h"
#include "tests/support/temp_dir.h"

namespace {

struct TransactionExistenceBlock {
    isc_db_handle* database;
    int tpbLength;
    const char* tpb;
};

class AreasOnEngine : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        SetNumberFormat({'.', ','});
        ASSERT_NO_THROW(dir_ = std::make_unique<testsupport::TempDir>("fibareas"));
        if (ClientLibraryCache().empty()) {
            setenv("FIREBIRD_LOCK", dir_->Path().c_str(), 1);
            setenv("FIREBIRD_TMP", dir_->Path().c_str(), 1);
        }
        lib_ = GetClientLibrary(DefaultClientLibraryName);
        const std::string create = "CREATE DATABASE '" + Path() + "' USER 'SYSDBA'";
        ASSERT_EQ(lib_->isc_dsql_execute_immediate(StatusVector(), &db_, &tr_, 0, create.c_str(), 3, nullptr),
                  0)
            << StatusVector()[1];
        Start();
    }

    static void TearDownTestSuite() {
        if (tr_ != 0)
            lib_->isc_rollback_transaction(StatusVector(), &tr_);
        if (db_ != 0)
            lib_->isc_drop_database(StatusVector(), &db_);
        lib_.reset();
        dir_.reset();
        ReloadNumberFormat();
    }

    static std::string Path() { return (*dir_ / "areas.fdb").string(); }

    static void Start() {
        TransactionExistenceBlock teb{&db_, 0, nullptr};
        ASSERT_EQ(lib_->isc_start_multiple(StatusVector(), &tr_, 1, &teb), 0);
    }

    static void Commit() {
        ASSERT_EQ(lib_->isc_commit_transaction(StatusVector(), &tr_), 0);
        Start();
    }

    static void Execute(const std::string& sql) {
        ASSERT_EQ(lib_->isc_dsql_execute_immediate(StatusVector(), &db_, &tr_, 0, sql.c_str(), 3, nullptr), 0)
            << sql << " " << StatusVector()[1];
    }

    // The statement's output in isql, run while this process is detached (the embedded engine
    // keeps the file to one process at a time).
    static std::string Isql(const std::string& sql) {
        Commit();
        lib_->isc_commit_transaction(StatusVector(), &tr_);
        lib_->isc_detach_database(StatusVector(), &db_);
        const std::string script = (*dir_ / "script.sql").string();
        std::ofstream(script) << "SET LIST ON;\n" << sql;
        const std::string command = "isql-fb -q -user SYSDBA -i " + script + " " + Path() + " 2>&1";
        std::string output;
        if (FILE* pipe = popen(command.c_str(), "r")) {
            char chunk[512];
            while (std::size_t n = std::fread(chunk, 1, sizeof(chunk), pipe)) output.append(chunk, n);
            pclose(pipe);
        }
        const std::string dpb = std::string{isc_dpb_version1, isc_dpb_user_name, 6} + "SYSDBA";
        EXPECT_EQ(lib_->isc_attach_database(StatusVector(), 0, Path().c_str(), &db_,
                                            static_cast<short>(dpb.size()), dpb.data()),
                  0);
        Start();
        return output;
    }

    static std::unique_ptr<fbtest::TAreaStatement> Statement(const std::string& sql) {
        return std::make_unique<fbtest::TAreaStatement>(*lib_, db_, tr_, sql);
    }

    // Writes one value into a fresh table with one column of the type and reads the row back.
    static std::unique_ptr<fbtest::TAreaStatement> RoundTrip(const std::string& table,
                                                             const std::string& type,
                                                             const std::function<void(TFIBXSQLVAR&)>& write) {
        Execute("CREATE TABLE " + table + " (V " + type + ")");
        Commit();
        auto insert = Statement("INSERT INTO " + table + " (V) VALUES (?)");
        write(insert->params[0]);
        insert->Execute();
        auto select = Statement("SELECT V FROM " + table);
        select->Execute();
        EXPECT_TRUE(select->Fetch());
        return select;
    }

    static inline std::unique_ptr<testsupport::TempDir> dir_;
    static inline IIBClientLibraryPtr lib_;
    static inline isc_db_handle db_ = 0;
    static inline isc_tr_handle tr_ = 0;
};

struct TRoundTripCase {
    const char* type;
    std::function<void(TFIBXSQLVAR&)> write;
    const char* text;
    std::function<void(TFIBXSQLVAR&)> check;
};

const TRoundTripCase kRoundTrips[] = {
    {"SMALLINT", [](TFIBXSQLVAR& v) { v.WriteAsSmallint(-32768); }, "-32768",
     [](TFIBXSQLVAR& v) { EXPECT_EQ(v.ReadAsVariant().AsInteger(), -32768); }},
    {"INTEGER", [](TFIBXSQLVAR& v) { v.WriteAsInteger(2147483647); }, "2147483647",
     [](TFIBXSQLVAR& v) { EXPECT_EQ(v.ReadAsInteger(), 2147483647); }},
    {"BIGINT", [](TFIBXSQLVAR& v) { v.WriteAsInt64(-9223372036854775807LL); }, "-9223372036854775807",
     [](TFIBXSQLVAR& v) { EXPECT_EQ(v.ReadAsVariant().AsInt64(), -9223372036854775807LL); }},
    {"NUMERIC(18,4)", [](TFIBXSQLVAR& v) { v.WriteAsCurrency(9223372036854775807LL); },
     "922337203685477.5807",
     [](TFIBXSQLVAR& v) {
         EXPECT_EQ(v.ReadAsCurrency(), 9223372036854775807LL);
         EXPECT_EQ(v.ReadAsInt64(), 922337203685477LL);
         EXPECT_EQ(v.ReadAsComp(), 922337203685478LL);
     }},
    {"NUMERIC(18,4)", [](TFIBXSQLVAR& v) { v.WriteAsString("-0,0001"); }, "-0.0001",
     [](TFIBXSQLVAR& v) { EXPECT_EQ(v.ReadAsCurrency(), -1); }},
    {"NUMERIC(9,2)", [](TFIBXSQLVAR& v) { v.WriteAsExtended(1234567.89); }, "1234567.89",
     [](TFIBXSQLVAR& v) { EXPECT_EQ(v.ReadAsCurrency(), 12345678900LL); }},
    {"NUMERIC(4,1)", [](TFIBXSQLVAR& v) { v.WriteAsVariant(Variant(-12.5)); }, "-12.5",
     [](TFIBXSQLVAR& v) { EXPECT_EQ(v.ReadAsInteger(), -12); }},
    {"FLOAT", [](TFIBXSQLVAR& v) { v.WriteAsDouble(0.5); }, "0.5",
     [](TFIBXSQLVAR& v) { EXPECT_EQ(v.ReadAsFloat(), 0.5f); }},
    {"DOUBLE PRECISION", [](TFIBXSQLVAR& v) { v.WriteAsDouble(1e-300); }, "1E-300",
     [](TFIBXSQLVAR& v) { EXPECT_EQ(v.ReadAsDouble(), 1e-300); }},
    {"DATE", [](TFIBXSQLVAR& v) { v.WriteAsDate(43831.75); }, nullptr,
     [](TFIBXSQLVAR& v) { EXPECT_EQ(v.ReadAsDateTime(), 43831.0); }},
    {"TIMESTAMP", [](TFIBXSQLVAR& v) { v.WriteAsDateTime(43831.5); }, nullptr,
     [](TFIBXSQLVAR& v) { EXPECT_EQ(v.ReadAsDateTime(), 43831.5); }},
    {"TIMESTAMP", [](TFIBXSQLVAR& v) { v.WriteAsDateTime(43831.0); }, nullptr,
     [](TFIBXSQLVAR& v) { EXPECT_EQ(v.ReadAsDateTime(), 43831.0); }},
    {"TIMESTAMP", [](TFIBXSQLVAR& v) { v.WriteAsDateTime(-1.25); }, nullptr,
     [](TFIBXSQLVAR& v) { EXPECT_EQ(v.ReadAsDateTime(), -1.25); }},
    {"TIME", [](TFIBXSQLVAR& v) { v.WriteAsTime(0.0); }, nullptr,
     [](TFIBXSQLVAR& v) { EXPECT_EQ(v.ReadAsDateTime(), 0.0); }},
    {"TIME", [](TFIBXSQLVAR& v) { v.WriteAsTime(43831.0); }, nullptr,
     [](TFIBXSQLVAR& v) { EXPECT_EQ(v.ReadAsDateTime(), 0.0); }},
    {"TIME", [](TFIBXSQLVAR& v) { v.WriteAsTime(43831.75); }, nullptr,
     [](TFIBXSQLVAR& v) { EXPECT_EQ(v.ReadAsDateTime(), 0.75); }},
    {"TIME", [](TFIBXSQLVAR& v) { v.WriteAsVariant(Variant::FromDateTime(0.0)); }, nullptr,
     [](TFIBXSQLVAR& v) { EXPECT_EQ(v.ReadAsDateTime(), 0.0); }},
    {"DATE", [](TFIBXSQLVAR& v) { v.WriteAsVariant(Variant::FromDateTime(43831.0)); }, nullptr,
     [](TFIBXSQLVAR& v) { EXPECT_EQ(v.ReadAsDateTime(), 43831.0); }},
    {"CHAR(6)", [](TFIBXSQLVAR& v) { v.WriteAsString("ab"); }, "ab    ",
     [](TFIBXSQLVAR& v) { EXPECT_EQ(v.ReadAsVariant().AsString(), "ab    "); }},
    {"VARCHAR(20)", [](TFIBXSQLVAR& v) { v.WriteAsString("Привет"); }, "Привет", nullptr},
    {"VARCHAR(20)", [](TFIBXSQLVAR& v) { v.WriteAsInteger(17); }, "17", nullptr},
    {"BOOLEAN", [](TFIBXSQLVAR& v) { v.WriteAsBoolean(true); }, "True",
     [](TFIBXSQLVAR& v) { EXPECT_EQ(v.ReadSQLType(), SQL_BOOLEAN); }},
    {"BOOLEAN", [](TFIBXSQLVAR& v) { v.WriteAsVariant(Variant(false)); }, "False",
     [](TFIBXSQLVAR& v) { EXPECT_TRUE(v.ReadAsVariant() == Variant(false)); }},
    {"BLOB SUB_TYPE TEXT", [](TFIBXSQLVAR& v) { v.WriteAsString("blob text"); }, "blob text", nullptr},
    {"INTEGER", [](TFIBXSQLVAR& v) { v.WriteIsNull(true); }, "",
     [](TFIBXSQLVAR& v) { EXPECT_TRUE(v.ReadIsNull()); }},
};

TEST_F(AreasOnEngine, EveryTypeMakesTheRoundTrip) {
    int n = 0;
    for (const TRoundTripCase& c : kRoundTrips) {
        SCOPED_TRACE(std::string(c.type) + " #" + std::to_string(n));
        auto row = RoundTrip("R" + std::to_string(n++), c.type, c.write);
        TFIBXSQLVAR& v = row->columns[0];
        if (c.text) {
            EXPECT_EQ(v.ReadAsString(), c.text);
        }
        if (c.check)
            c.check(v);
    }
}

TEST_F(AreasOnEngine, NullTypedParameterAndQuestionsOfBoolean) {
    auto select = Statement("SELECT 1 FROM RDB$DATABASE WHERE ? IS NULL");
    EXPECT_EQ(select->params[0].ReadSQLType(), SQL_NULL);
    select->params[0].WriteIsNull(true);
    select->Execute();
    EXPECT_TRUE(select->Fetch());
    auto values = Statement("SELECT TRUE, NULL FROM RDB$DATABASE");
    values->Execute();
    ASSERT_TRUE(values->Fetch());
    EXPECT_TRUE(values->columns[0].ReadAsBoolean());
    EXPECT_TRUE(values->columns[1].ReadIsNull());
    EXPECT_TRUE(values->columns[1].ReadAsVariant().IsNull());
}

TEST_F(AreasOnEngine, BlobsOfEverySize) {
    Execute("CREATE TABLE BLOBS (ID INTEGER, B BLOB)");
    Commit();
    struct Case {
        int size;
        int segments;
    };
    const Case cases[] = {{0, 0}, {1, 1}, {16384, 1}, {16385, 2}, {100000, 7}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.size);
        std::string data(static_cast<std::size_t>(c.size), '\0');
        for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<char>(i * 7 % 251);
        auto insert = Statement("INSERT INTO BLOBS (ID, B) VALUES (?, ?)");
        insert->params[0].WriteAsInteger(c.size);
        TStringStream source(data);
        insert->params[1].LoadFromStream(source);
        insert->Execute();
        auto select = Statement("SELECT B FROM BLOBS WHERE ID = " + std::to_string(c.size));
        select->Execute();
        ASSERT_TRUE(select->Fetch());
        EXPECT_EQ(select->columns[0].ReadAsString(), data);
        TFIBBlobStream stream;
        stream.SetLibrary(lib_.get());
        stream.SetDatabase(&db_);
        stream.SetTransaction(&tr_);
        stream.SetBlobID(select->columns[0].ReadAsQuad());
        EXPECT_EQ(stream.Size(), c.size);
        EXPECT_EQ(stream.BlobNumSegments(), c.segments);
    }
}

TEST_F(AreasOnEngine, BlobStreamEditsAndLongTextsBecomeBlobs) {
    Execute("CREATE TABLE NOTES (ID INTEGER, T BLOB SUB_TYPE TEXT)");
    Commit();
    const std::string longText(40000, 'x');
    auto insert = Statement("INSERT INTO NOTES (ID, T) VALUES (1, ?)");
    insert->params[0].WriteAsString(longText);
    EXPECT_EQ(insert->params[0].ReadSQLType(), SQL_BLOB);
    insert->Execute();
    auto select = Statement("SELECT T FROM NOTES WHERE ID = 1");
    select->Execute();
    ASSERT_TRUE(select->Fetch());
    EXPECT_EQ(select->columns[0].ReadAsString(), longText);

    TFIBBlobStream stream;
    stream.SetLibrary(lib_.get());
    stream.SetDatabase(&db_);
    stream.SetTransaction(&tr_);
    stream.SetMode(bmReadWrite);
    const std::string tenBytes = "0123456789";
    TStringStream source(tenBytes);
    stream.LoadFromStream(source);
    stream.CommitBlob();
    const ISC_QUAD written = stream.BlobID();
    stream.SetBlobID(written);
    EXPECT_EQ(stream.GetAsString(), tenBytes);
    stream.WriteBuffer("abc", 3);
    EXPECT_EQ(stream.GetAsString(), "abc");
    stream.Cancel();
    EXPECT_EQ(stream.GetAsString(), tenBytes);
}

TEST_F(AreasOnEngine, AssignCopiesValuesAndBlobContent) {
    Execute("CREATE TABLE SRC (N NUMERIC(18,2), T BLOB SUB_TYPE TEXT, S VARCHAR(10))");
    Execute("CREATE TABLE DST (N NUMERIC(18,2), T BLOB SUB_TYPE TEXT, S BLOB SUB_TYPE TEXT, B VARCHAR(20))");
    Commit();
    Execute("INSERT INTO SRC VALUES (-12.34, 'long story', 'short')");
    auto source = Statement("SELECT N, T, S, T FROM SRC");
    source->Execute();
    ASSERT_TRUE(source->Fetch());
    auto insert = Statement("INSERT INTO DST (N, T, S, B) VALUES (?, ?, ?, ?)");
    for (int i = 0; i < 4; ++i) insert->params[i].Assign(source->columns[i]);
    EXPECT_EQ(insert->params[3].ReadAsString(), "long story");  // a blob into text: its bytes
    insert->Execute();
    auto copy = Statement("SELECT N, T, S, B FROM DST");
    copy->Execute();
    ASSERT_TRUE(copy->Fetch());
    EXPECT_EQ(copy->columns[0].ReadAsCurrency(), -123400);
    EXPECT_EQ(copy->columns[1].ReadAsString(), "long story");
    EXPECT_EQ(copy->columns[2].ReadAsString(), "short");
    EXPECT_EQ(copy->columns[3].ReadAsString(), "long story");
}

TEST_F(AreasOnEngine, BlobFiltersApplyBothWays) {
    Execute("CREATE TABLE CODED (ID INTEGER, B BLOB SUB_TYPE -3)");
    Commit();
    const auto rotate = [](int by) {
        return [by](std::string& s) {
            for (char& c : s) c = static_cast<char>(c + by);
        };
    };
    auto insert = Statement("INSERT INTO CODED (ID, B) VALUES (1, ?)");
    insert->filters.Add(-3, rotate(-1), rotate(1));
    TStringStream source("HAL");
    insert->params[0].XSQLVar->sqlsubtype = -3;
    insert->params[0].LoadFromStream(source);
    insert->Execute();
    auto stored = Statement("SELECT B FROM CODED");  // no filters: the stored form
    stored->Execute();
    ASSERT_TRUE(stored->Fetch());
    EXPECT_EQ(stored->columns[0].ReadAsString(), "IBM");
    auto read = Statement("SELECT B FROM CODED");
    read->filters.Add(-3, rotate(-1), rotate(1));
    read->Execute();
    ASSERT_TRUE(read->Fetch());
    EXPECT_EQ(read->columns[0].ReadAsString(), "HAL");
}

}  // namespace

namespace {

struct TArrayCase {
    const char* column;  // name and type
    Variant value;
    const char* isqlSelect;  // elements as isql shows them
    std::vector<std::string> isqlLines;
};

Variant Array2x3() {
    Variant v = VarArrayCreate({1, 2, 1, 3}, varVariant);
    for (int i = 1; i <= 2; ++i)
        for (int j = 1; j <= 3; ++j) v.PutElement({i, j}, i * 10 + j);
    return v;
}

std::vector<Variant> Elements(const Variant& array) {
    std::vector<Variant> elements;
    ForEachArrayElement(array, [&](const Variant& e, const TArrayIndex&, bool&) { elements.push_back(e); });
    return elements;
}

Variant DatesArray(TDateTime a, TDateTime b) {
    return VarArrayOf({Variant::FromDateTime(a), Variant::FromDateTime(b)});
}

TEST_F(AreasOnEngine, ArraysOfEachElementKindReadBackByIsql) {
    const TArrayCase cases[] = {
        {"I INTEGER[1:2,1:3]", Array2x3(), "I[1,1], I[1,3], I[2,1], I[2,3]", {"11", "13", "21", "23"}},
        {"S SMALLINT[0:3]",
         VarArrayOf({-1, 2, 32767, -32768}),
         "S[0], S[2], S[3]",
         {"-1", "32767", "-32768"}},
        {"B BIGINT[2]",
         VarArrayOf({Variant(9007199254740993LL), Variant(-5)}),
         "B[1], B[2]",
         {"9007199254740993", "-5"}},
        {"F FLOAT[2]", VarArrayOf({0.5, -2.25}), "F[1], F[2]", {"0.5", "-2.25"}},
        {"D DOUBLE PRECISION[2]", VarArrayOf({0.125, 1e10}), "D[1], D[2]", {"0.125", "10000000000"}},
        {"N NUMERIC(9,2)[2]", VarArrayOf({12.34, -0.05}), "N[1], N[2]", {"12.34", "-0.05"}},
        {"DT DATE[2]", DatesArray(43831.0, 0.0), "DT[1], DT[2]", {"2020-01-01", "1899-12-30"}},
        {"TM TIME[2]", DatesArray(0.5, 0.0), "TM[1], TM[2]", {"12:00:00.0000", "00:00:00.0000"}},
        {"TS TIMESTAMP[2]",
         DatesArray(43831.75, 43831.0),
         "TS[1], TS[2]",
         {"2020-01-01 18:00:00.0000", "2020-01-01 00:00:00.0000"}},
        {"C CHAR(5)[2]", VarArrayOf({"ABCDE", "XY"}), "C[1], C[2] || '|'", {"ABCDE", "XY   |"}},
        {"V VARCHAR(10)[3]",
         VarArrayOf({"ABC", "", "0123456789"}),
         "V[1] || '|', V[2] || '|', V[3] || '|'",
         {"ABC|", "|", "0123456789|"}},
    };
    std::vector<std::pair<std::string, std::vector<std::string>>> selects;
    int n = 0;
    for (const TArrayCase& c : cases) {
        SCOPED_TRACE(c.column);
        const std::string table = "A" + std::to_string(n++);
        Execute("CREATE TABLE " + table + " (ID INTEGER, " + c.column + ")");
        Commit();
        const std::string column = std::string(c.column).substr(0, std::string(c.column).find(' '));
        auto insert = Statement("INSERT INTO " + table + " (ID, " + column + ") VALUES (1, ?)");
        ASSERT_TRUE(insert->params[0].IsArray());
        insert->params[0].WriteAsVariant(c.value);
        insert->Execute();

        auto select = Statement("SELECT " + column + " FROM " + table);
        select->Execute();
        ASSERT_TRUE(select->Fetch());
        TFIBXSQLVAR& field = select->columns[0];
        const Variant back = field.ArrayInfo->GetFieldArrayValues(field, &db_, &tr_);
        // Elements go in index order, whatever bounds the value has.
        const std::vector<Variant> written = Elements(c.value);
        const std::vector<Variant> read = Elements(back);
        ASSERT_GE(read.size(), written.size());
        for (std::size_t i = 0; i < written.size(); ++i) {
            const Variant& element = written[i];
            if (element.VarType() == varDouble || element.VarType() == varDate)
                EXPECT_NEAR(read[i].AsDouble(), element.AsDouble(), 1e-9) << i;
            else if (std::string(c.column).starts_with("C "))
                EXPECT_EQ(TrimRight(read[i].AsString()), element.AsString()) << i;
            else
                EXPECT_EQ(read[i].AsString(), element.AsString()) << i;
        }

        selects.push_back({"SELECT " + std::string(c.isqlSelect) + " FROM " + table, c.isqlLines});
    }
    std::string script;
    for (const auto& select : selects) script += select.first + ";\n";
    const std::string output = Isql(script);
    std::size_t at = 0;
    for (const auto& select : selects) {
        for (const std::string& line : select.second) {
            const std::size_t found = output.find(line, at);
            EXPECT_NE(found, std::string::npos) << select.first << ": " << line << " in\n" << output;
            if (found != std::string::npos)
                at = found + line.size();
        }
    }
}

TEST_F(AreasOnEngine, EmptyArrayAndTooLargeValues) {
    Execute("CREATE TABLE AE (ID INTEGER, I INTEGER[1:2,1:3])");
    Commit();
    Execute("INSERT INTO AE (ID) VALUES (1)");
    Commit();
    auto select = Statement("SELECT I FROM AE");
    select->Execute();
    ASSERT_TRUE(select->Fetch());
    TFIBXSQLVAR& field = select->columns[0];
    const Variant empty = field.ArrayInfo->GetFieldArrayValues(field, &db_, &tr_);
    ASSERT_EQ(empty.DimCount(), 2);
    EXPECT_EQ(empty.LowBound(2), 1);
    EXPECT_EQ(empty.HighBound(2), 3);
    EXPECT_TRUE(empty.GetElement({2, 3}).IsEmpty());
    auto insert = Statement("INSERT INTO AE (ID, I) VALUES (2, ?)");
    EXPECT_THROW(insert->params[0].WriteAsVariant(VarArrayCreate({1, 2, 1, 4}, varVariant)), EFIBClientError);
    EXPECT_THROW(insert->params[0].WriteAsVariant(VarArrayCreate({1, 2, 1, 3, 1, 1}, varVariant)),
                 EFIBClientError);
    EXPECT_EQ(insert->params[0].ArraySize(), 24);
    // Slice calls that fail raise the server's error instead of leaving zeros behind.
    EXPECT_THROW(field.ArrayInfo->GetArrayValues(ISC_QUAD{12345, 678}, &db_, &tr_), EFIBInterBaseError);
    isc_tr_handle ended = 0;
    ISC_QUAD id{};
    EXPECT_THROW(
        field.ArrayInfo->SetArrayFromVariant(VarArrayCreate({1, 2, 1, 3}, varVariant), id, &db_, &ended),
        EFIBInterBaseError);
}

}  // namespace
