#include "firebird_datasets/sqls.h"

#include "firebird/strings_property.h"

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
        const TStrings& lines = owner_.GetSQLText(kind);
        DefineLinesProperty(
            filer, text.name, lines, [this, kind](const TStrings& read) { owner_.SetSQLText(kind, read); },
            lines.Count() > 0);
    }
}
