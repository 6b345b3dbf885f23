#include "firebird_datasets/sqls.h"

#include "firebird_datasets/strings_property.h"

void TSQLs::DefineProperties(TFiler& filer) {
    TPersistent::DefineProperties(filer);
    static constexpr struct {
        const char* name;
        TSQLKind kind;
    } kTexts[] = {{"SelectSQL", TSQLKind::Select},
                  {"UpdateSQL", TSQLKind::Update},
                  {"DeleteSQL", TSQLKind::Delete},
                  {"InsertSQL", TSQLKind::Insert},
                  {"RefreshSQL", TSQLKind::Refresh}};
    for (const auto& text : kTexts) {
        const TSQLKind kind = text.kind;
        DefineStringsProperty(filer, text.name, owner_.GetSQLText(kind),
                              [this, kind](const TStrings& lines) { owner_.SetSQLText(kind, lines); });
    }
}
