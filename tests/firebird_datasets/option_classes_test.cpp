// The dataset option classes: their setters' rules, their defaults, and what a stored form keeps.
#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <string>

#include "firebird_datasets/auto_update_options.h"
#include "firebird_datasets/format_fields.h"
#include "firebird_datasets/sqls.h"
#include "platform/rtl/form_stream.h"
#include "platform/rtl/reader.h"

namespace {

// Stands in for a dataset: owns the three option objects and keeps the five SQL texts.
class TOptionsHolder : public TComponent, public TSQLsOwner {
  public:
    explicit TOptionsHolder(const TFIBDatasetsSettings& settings)
        : TComponent(nullptr), AutoUpdate(this, settings), Formats(this, settings), SQLs(*this) {
        SetName("DataSet1");
    }
    std::string ClassName() const override { return "TOptionsHolder"; }
    static const TPropertyList& Published() {
        using T = TOptionsHolder;
        static const TPropertyList list =
            TPublish<T>(TComponent::Published())
                .Object("AutoUpdateOptions", [](const T& h) { return &h.AutoUpdate; })
                .Object("FormatFields", [](const T& h) { return &h.Formats; })
                .Object("SQLs", [](const T& h) { return &h.SQLs; });
        return list;
    }
    const TPropertyList& PublishedProperties() const override { return Published(); }

    TStrings& GetSQLText(TSQLKind kind) override { return texts[static_cast<std::size_t>(kind)]; }
    void SetSQLText(TSQLKind kind, const TStrings& text) override {
        texts[static_cast<std::size_t>(kind)].Assign(text);
        ++textsSet;
    }

    TAutoUpdateOptions AutoUpdate;
    TFormatFields Formats;
    TSQLs SQLs;
    std::array<TStringList, 5> texts;
    int textsSet = 0;
};

void ReadForm(TOptionsHolder& holder, const std::string& body) {
    TReader("object DataSet1: TOptionsHolder\n" + body + "end\n").ReadRootComponent(holder);
}

TStringList Lines(std::initializer_list<const char*> lines) {
    TStringList list;
    for (const char* line : lines) list.Add(line);
    return list;
}

std::vector<std::string> LinesOf(const TStrings& list) {
    std::vector<std::string> lines;
    for (int i = 0; i < list.Count(); ++i) lines.push_back(list[i]);
    return lines;
}

TEST(DatasetsSettings, StartValues) {
    const TFIBDatasetsSettings settings;
    EXPECT_TRUE(settings.StringFieldsEmptyStrToNull);
    EXPECT_FALSE(settings.UseAppDefaultFormats);
    EXPECT_FALSE(settings.RemoveUpdateKindOnPermissionError);
    for (const TFIBFormatDefaults& formats : {settings.AppFormats, settings.DesignerFormats}) {
        EXPECT_EQ(formats.DateDisplay, "dd.mm.yyyy");
        EXPECT_EQ(formats.TimeDisplay, "hh:mm AMPM");
        EXPECT_EQ(formats.NumericDisplay, "#,##0.");
        EXPECT_EQ(formats.NumericEdit, "0.");
    }
    EXPECT_EQ(settings.GeneratorPrefix, "GEN_");
    EXPECT_EQ(settings.GeneratorSuffix, "_ID");
    EXPECT_EQ(settings.DesignerOptions,
              (TpFIBDsOptions{poTrimCharFields, poRefreshAfterPost, poStartTransaction, poAutoFormatFields}));
    EXPECT_TRUE(settings.DesignerDetailConditions.Empty());
    EXPECT_EQ(settings.DesignerPrepareOptions,
              (TpPrepareOptions{pfImportDefaultValues, psUseBooleanField, psSQLINT64ToBCD, psGetOrderInfo}));
}

TEST(AutoUpdateOptions, Defaults) {
    const TFIBDatasetsSettings settings;
    TOptionsHolder holder(settings);
    const TAutoUpdateOptions& options = holder.AutoUpdate;
    EXPECT_EQ(options.UpdateTableName(), "");
    EXPECT_FALSE(options.AutoReWriteSqls());
    EXPECT_FALSE(options.CanChangeSQLs());
    EXPECT_FALSE(options.UpdateOnlyModifiedFields());
    EXPECT_EQ(options.WhenGetGenID(), wgNever);
    EXPECT_EQ(options.GeneratorStep(), 1);
    EXPECT_FALSE(options.GetSelectGenID());
    EXPECT_TRUE(options.GenBeforePost());
    EXPECT_EQ(options.ParamsToFieldsLinks().Count(), 0);
    EXPECT_EQ(ComponentToText(holder), "object DataSet1: TOptionsHolder\nend\n");  // nothing differs
}

TEST(AutoUpdateOptions, UpdateTableNameLosesQuotesAndNamesTheGenerator) {
    const struct {
        const char* name;
        TWhenGetGenID when;
        const char* generatorBefore;
        const char* prefix;
        const char* table;
        const char* generator;
    } cases[] = {
        {"\"Clients\"", wgBeforePost, "", "GEN_", "Clients", "GEN_Clients_ID"},
        {"CLIENTS", wgOnNewRecord, "", "GEN_", "CLIENTS", "GEN_CLIENTS_ID"},
        {"CLIENTS", wgNever, "", "GEN_", "CLIENTS", ""},
        {"CLIENTS", wgBeforePost, "MY_GEN", "GEN_", "CLIENTS", "MY_GEN"},
        {"\"a b\"", wgNever, "", "GEN_", "a b", ""},
        {"\"", wgNever, "", "GEN_", "", ""},
        {"T\"", wgNever, "", "GEN_", "T\"", ""},
        {"T", wgBeforePost, "", "SEQ_", "T", "SEQ_T_ID"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TFIBDatasetsSettings settings;
        settings.GeneratorPrefix = c.prefix;
        TAutoUpdateOptions options(nullptr, settings);
        options.SetWhenGetGenID(c.when);
        options.SetGeneratorName(c.generatorBefore);
        options.SetUpdateTableName(c.name);
        EXPECT_EQ(options.UpdateTableName(), c.table);
        EXPECT_EQ(options.GeneratorName(), c.generator);
    }
}

TEST(AutoUpdateOptions, UpdateOnlyModifiedFieldsNeedsRewritingThatMayReplaceTexts) {
    for (int bits = 0; bits < 8; ++bits) {
        const bool autoReWrite = bits & 1, canChange = bits & 2, value = bits & 4;
        SCOPED_TRACE(bits);
        TAutoUpdateOptions options(nullptr);
        options.SetAutoReWriteSqls(autoReWrite);
        options.SetCanChangeSQLs(canChange);
        options.SetUpdateOnlyModifiedFields(value);
        EXPECT_EQ(options.UpdateOnlyModifiedFields(), autoReWrite && canChange && value);
    }
    // A stored form gives the two conditions before the flag.
    const TFIBDatasetsSettings settings;
    TOptionsHolder source(settings);
    source.AutoUpdate.SetAutoReWriteSqls(true);
    source.AutoUpdate.SetCanChangeSQLs(true);
    source.AutoUpdate.SetUpdateOnlyModifiedFields(true);
    TOptionsHolder copy(settings);
    TReader(ComponentToText(source)).ReadRootComponent(copy);
    EXPECT_TRUE(copy.AutoUpdate.UpdateOnlyModifiedFields());
}

TEST(AutoUpdateOptions, SelectGenIDSetsWhenTheGeneratorIsAsked) {
    const struct {
        TWhenGetGenID before;
        bool value;
        TWhenGetGenID after;
    } cases[] = {
        {wgNever, true, wgBeforePost},      {wgOnNewRecord, true, wgOnNewRecord},
        {wgBeforePost, true, wgBeforePost}, {wgOnNewRecord, false, wgNever},
        {wgBeforePost, false, wgNever},     {wgNever, false, wgNever},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.before) * 2 + c.value);
        TAutoUpdateOptions options(nullptr);
        options.SetWhenGetGenID(c.before);
        options.SetSelectGenID(c.value);
        EXPECT_EQ(options.WhenGetGenID(), c.after);
        EXPECT_EQ(options.GetSelectGenID(), c.after != wgNever);
    }
}

TEST(AutoUpdateOptions, OlderFormsNameTheGeneratorMomentBySelectGenIDAndGenBeforePost) {
    const struct {
        const char* body;
        TWhenGetGenID when;
        bool genBeforePost;
    } cases[] = {
        {"  AutoUpdateOptions.SelectGenID = True\n", wgBeforePost, true},
        {"  AutoUpdateOptions.SelectGenID = False\n", wgNever, true},
        {"  AutoUpdateOptions.SelectGenID = True\n  AutoUpdateOptions.GenBeforePost = False\n", wgOnNewRecord,
         false},
        {"  AutoUpdateOptions.SelectGenID = True\n  AutoUpdateOptions.GenBeforePost = True\n", wgBeforePost,
         true},
        {"  AutoUpdateOptions.SelectGenID = False\n  AutoUpdateOptions.GenBeforePost = False\n", wgNever,
         false},
        {"  AutoUpdateOptions.GenBeforePost = False\n", wgNever, false},
    };
    const TFIBDatasetsSettings settings;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.body);
        TOptionsHolder holder(settings);
        ReadForm(holder, c.body);
        EXPECT_EQ(holder.AutoUpdate.WhenGetGenID(), c.when);
        EXPECT_EQ(holder.AutoUpdate.GenBeforePost(), c.genBeforePost);
        // Written again, the form names the moment only by WhenGetGenID.
        const std::string text = ComponentToText(holder);
        EXPECT_EQ(text.find("SelectGenID"), std::string::npos) << text;
        EXPECT_EQ(text.find("GenBeforePost"), std::string::npos) << text;
        TOptionsHolder copy(settings);
        TReader(text).ReadRootComponent(copy);
        EXPECT_EQ(copy.AutoUpdate.WhenGetGenID(), c.when);
    }
}

TEST(AutoUpdateOptions, ParamsToFieldsLinksDropEmptyLinesAndTravelInTheForm) {
    const TFIBDatasetsSettings settings;
    TOptionsHolder holder(settings);
    holder.AutoUpdate.SetParamsToFieldsLinks(Lines({"ID=NEW_ID", "", "NAME=P_NAME", ""}));
    EXPECT_EQ(LinesOf(holder.AutoUpdate.ParamsToFieldsLinks()),
              (std::vector<std::string>{"ID=NEW_ID", "NAME=P_NAME"}));
    holder.AutoUpdate.SetUpdateTableName("CLIENTS");
    holder.AutoUpdate.SetGeneratorStep(10);
    const std::string text = ComponentToText(holder);
    EXPECT_NE(text.find("AutoUpdateOptions.ParamsToFieldsLinks.Strings = (\n"), std::string::npos) << text;
    TOptionsHolder copy(settings);
    TReader(text).ReadRootComponent(copy);
    EXPECT_EQ(LinesOf(copy.AutoUpdate.ParamsToFieldsLinks()),
              LinesOf(holder.AutoUpdate.ParamsToFieldsLinks()));
    EXPECT_EQ(copy.AutoUpdate.UpdateTableName(), "CLIENTS");
    EXPECT_EQ(copy.AutoUpdate.GeneratorStep(), 10);
    ReadForm(copy, "  AutoUpdateOptions.ParamsToFieldsLinks.Strings = (\n    'A=B'\n    '')\n");
    EXPECT_EQ(LinesOf(copy.AutoUpdate.ParamsToFieldsLinks()), (std::vector<std::string>{"A=B"}));
}

TEST(AutoUpdateOptions, AssignCopiesAllButAutoParamsToFields) {
    TAutoUpdateOptions source(nullptr);
    source.SetUpdateTableName("T");
    source.SetKeyFields("ID;CODE");
    source.SetAutoReWriteSqls(true);
    source.SetCanChangeSQLs(true);
    source.SetGeneratorName("G");
    source.SetGeneratorStep(5);
    source.SetUpdateOnlyModifiedFields(true);
    source.ReadSelectGenID(true);
    source.ReadGenBeforePost(false);
    source.SetParamsToFieldsLinks(Lines({"A=B"}));
    source.SetAutoParamsToFields(true);
    TAutoUpdateOptions target(nullptr);
    target.Assign(source);
    EXPECT_EQ(target.UpdateTableName(), "T");
    EXPECT_EQ(target.KeyFields(), "ID;CODE");
    EXPECT_TRUE(target.AutoReWriteSqls());
    EXPECT_TRUE(target.CanChangeSQLs());
    EXPECT_EQ(target.GeneratorName(), "G");
    EXPECT_EQ(target.GeneratorStep(), 5);
    EXPECT_TRUE(target.UpdateOnlyModifiedFields());
    EXPECT_EQ(target.WhenGetGenID(), wgOnNewRecord);
    EXPECT_FALSE(target.GenBeforePost());
    EXPECT_EQ(LinesOf(target.ParamsToFieldsLinks()), (std::vector<std::string>{"A=B"}));
    EXPECT_FALSE(target.AutoParamsToFields());
    TFormatFields formats(nullptr);
    EXPECT_THROW(formats.Assign(source), EConvertError);
    EXPECT_THROW(source.Assign(formats), EConvertError);
}

struct FormatsCase {
    const char* name;
    bool useAppFormats;
    std::function<void(TFormatFields&)> change;
    std::array<const char*, 5> formats;  // DateTimeDisplay, Date, Time, NumericDisplay, NumericEdit
    const char* stored;                  // the FormatFields lines of the written form
};

TEST(FormatFields, DefaultsAndWhatIsStored) {
    const auto none = [](TFormatFields&) {};
    const FormatsCase cases[] = {
        {"built-in", false, none, {"dd.mm.yyyy hh:mm AMPM", "dd.mm.yyyy", "hh:mm AMPM", "#,##0.", "0."}, ""},
        {"one changed",
         false,
         [](TFormatFields& f) { f.SetNumericEditFormat("0.00"); },
         {"dd.mm.yyyy hh:mm AMPM", "dd.mm.yyyy", "hh:mm AMPM", "#,##0.", "0.00"},
         "  FormatFields.NumericEditFormat = '0.00'\n"},
        {"cleared",
         false,
         [](TFormatFields& f) { f.SetDisplayFormatTime(""); },
         {"dd.mm.yyyy hh:mm AMPM", "dd.mm.yyyy", "", "#,##0.", "0."},
         "  FormatFields.DisplayFormatTime = ''\n"},
        {"the application's",
         true,
         none,
         {"yyyy-mm-dd hh:nn", "yyyy-mm-dd", "hh:nn", "# ##0.00", "0.00"},
         ""},
        {"built-in under the application's",
         true,
         [](TFormatFields& f) {
             f.SetDateTimeDisplayFormat("dd.mm.yyyy hh:mm AMPM");
             f.SetNumericEditFormat("0.");
         },
         {"dd.mm.yyyy hh:mm AMPM", "yyyy-mm-dd", "hh:nn", "# ##0.00", "0."},
         "  FormatFields.DateTimeDisplayFormat = 'dd.mm.yyyy hh:mm AMPM'\n  FormatFields.NumericEditFormat = "
         "'0.'\n"},
    };
    for (const FormatsCase& c : cases) {
        SCOPED_TRACE(c.name);
        TFIBDatasetsSettings settings;
        settings.UseAppDefaultFormats = c.useAppFormats;
        settings.AppFormats = {"yyyy-mm-dd", "hh:nn", "# ##0.00", "0.00"};
        TOptionsHolder holder(settings);
        c.change(holder.Formats);
        const TFormatFields& f = holder.Formats;
        EXPECT_EQ((std::array<std::string, 5>{f.DateTimeDisplayFormat(), f.DisplayFormatDate(),
                                              f.DisplayFormatTime(), f.NumericDisplayFormat(),
                                              f.NumericEditFormat()}),
                  (std::array<std::string, 5>{c.formats[0], c.formats[1], c.formats[2], c.formats[3],
                                              c.formats[4]}));
        const std::string text = ComponentToText(holder);
        EXPECT_EQ(text, std::string("object DataSet1: TOptionsHolder\n") + c.stored + "end\n");
        TOptionsHolder copy(settings);
        TReader(text).ReadRootComponent(copy);
        EXPECT_EQ(copy.Formats.DisplayFormatTime(), f.DisplayFormatTime());
        EXPECT_EQ(copy.Formats.NumericEditFormat(), f.NumericEditFormat());
        EXPECT_EQ(copy.Formats.DateTimeDisplayFormat(), f.DateTimeDisplayFormat());
    }
}

TEST(FormatFields, AssignCopiesTheFiveTexts) {
    TFormatFields source(nullptr);
    source.SetDateTimeDisplayFormat("a");
    source.SetDisplayFormatDate("b");
    source.SetDisplayFormatTime("c");
    source.SetNumericDisplayFormat("d");
    source.SetNumericEditFormat("e");
    TFormatFields target(nullptr);
    target.Assign(source);
    EXPECT_EQ(target.DateTimeDisplayFormat() + target.DisplayFormatDate() + target.DisplayFormatTime() +
                  target.NumericDisplayFormat() + target.NumericEditFormat(),
              "abcde");
}

TEST(SQLs, ForwardToTheOwnersTexts) {
    const TFIBDatasetsSettings settings;
    TOptionsHolder holder(settings);
    holder.SQLs.SetSelectSQL(Lines({"select *", "from CLIENTS"}));
    holder.SQLs.SetRefreshSQL(Lines({"select * from CLIENTS where ID = ?ID"}));
    EXPECT_EQ(LinesOf(holder.texts[static_cast<std::size_t>(TSQLKind::Select)]),
              (std::vector<std::string>{"select *", "from CLIENTS"}));
    EXPECT_EQ(&holder.SQLs.DeleteSQL(), &holder.texts[static_cast<std::size_t>(TSQLKind::Delete)]);
    const std::string text = ComponentToText(holder);
    EXPECT_NE(text.find("SQLs.SelectSQL.Strings"), std::string::npos) << text;
    EXPECT_EQ(text.find("SQLs.UpdateSQL"), std::string::npos) << text;  // empty texts are left out
    TOptionsHolder copy(settings);
    TReader(text).ReadRootComponent(copy);
    EXPECT_EQ(copy.textsSet, 2);  // through the owner's setter
    EXPECT_EQ(LinesOf(copy.SQLs.SelectSQL()), LinesOf(holder.SQLs.SelectSQL()));
    EXPECT_EQ(LinesOf(copy.SQLs.RefreshSQL()), LinesOf(holder.SQLs.RefreshSQL()));
}

}  // namespace
