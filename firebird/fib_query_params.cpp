// TFIBQuery: its text read into parameters and macros, and the text sent to the server built
// from it.
#include <algorithm>

#include "firebird/component_path.h"
#include "firebird/fib_errors.h"
#include "firebird/fib_query.h"
#include "firebird/sql_normalize.h"
#include "firebird/sql_param_scanner.h"

void TFIBQuery::BeginSQLChange() {
    ++sqlChangeLock_;
}

void TFIBQuery::EndSQLChange() {
    if (sqlChangeLock_ == 0)
        return;
    if (--sqlChangeLock_ == 0)
        ParseSQL();
}

void TFIBQuery::SQLChanging() {
    CheckClosed("change sql text");
    if (OnSQLChanging)
        OnSQLChanging(this);
    if (handle_.Held())
        FreeHandle();
    macrosChanged_ = false;
    changingSeen_ = true;
    ForgetConditionsBase();
}

// A text set from outside is the new base: the conditions no longer apply to it. The base is
// dropped before cancelling so that the old text is not written back in the middle of this change.
void TFIBQuery::ForgetConditionsBase() {
    if (conditions_.ApplyState() != 0)
        return;
    conditions_.SetBaseSQLText({});
    conditions_.CancelApply();
}

// Changes made under BeginUpdate (SetText, Assign) announce themselves only when done: an open
// statement then gets its old lines back.
void TFIBQuery::SQLChanged() {
    if (!changingSeen_) {
        if (open_) {
            RestoreLines();
            CheckClosed("change sql text");
        }
        SQLChanging();
    }
    changingSeen_ = false;
    linesText_ = sql_.Text();
    ParseSQL();
}

void TFIBQuery::RestoreLines() {
    auto changing = std::move(sql_.OnChanging);
    auto changed = std::move(sql_.OnChange);
    sql_.OnChanging = nullptr;
    sql_.OnChange = nullptr;
    sql_.SetText(linesText_);
    sql_.OnChanging = std::move(changing);
    sql_.OnChange = std::move(changed);
}

void TFIBQuery::ParseSQL() {
    ++sqlChangeCount_;
    if (sqlChangeLock_ > 0)
        return;
    parser_.SetSQLText(sql_.Text());
    normalizedText_ = NormalizeSQL(parser_.SQLText(), MacroChar);
    mainTableName_ = "-1";
    paramsScanned_ = ParamCheck && parser_.StatementKind() != TSQLStatementKind::DDL;
    if (paramsScanned_ && sql_.Count() > 0 && !IsTextWithoutParams(normalizedText_, MacroChar)) {
        RunScan(normalizedText_, false);
        parsed_ = true;
        return;
    }
    params_->SetCount(0);
    serverParams_->SetCount(0);
    hasMacros_ = false;
    serverText_ = parser_.SQLText();
    if (handle_.Held())
        FreeHandle();
    parsed_ = true;
}

// Builds a new area from the text; values of names the old area held are carried over. A scanner
// failure leaves the old areas as they were.
void TFIBQuery::RunScan(const std::string& text, bool serverPass) {
    const TParamScan scan = ScanSQLParams(text, serverPass ? TParamScanPass::Server : TParamScanPass::Params,
                                          MacroChar, ComponentPath(this));
    auto area = std::make_unique<TFIBXSQLDA>(this, true);
    area->SetCount(static_cast<int>(scan.Params.size()));
    bool macros = false;
    for (int i = 0; i < area->Count(); ++i) {
        const TScannedParam& found = scan.Params[static_cast<std::size_t>(i)];
        TFIBXSQLVAR& var = area->GetVar(i);
        const bool isMacro = !serverPass && !found.Name.empty() && found.Name.front() == MacroChar;
        if (isMacro) {
            macros = true;
            const TMacroParts parts = SplitMacroParam(found.Name, MacroChar);
            area->AddName(parts.Name, i);
            var.MacroParam = true;
            var.MacroQuoted = parts.Quoted;
            var.MacroDefault = parts.Default;
            var.WriteAsString(var.MacroDefault);
        } else {
            area->AddName(found.Name, i);
            var.WriteIsNull(true);
            if (!serverPass) {
                var.XSQLVar->sqltype = 1;  // no type of its own until a value or the server gives one
                var.XSQLVar->sqllen = 0;
            }
        }
        var.ValueAssigned = false;
        var.Changed = false;
        var.WithinWhere = found.WithinWhere;
        var.NullRewritable = found.NullRewritable;
    }
    std::unique_ptr<TFIBXSQLDA>& old = serverPass ? serverParams_ : params_;
    if (old->Count() > 0)
        CarryValues(*old, *area);
    old = std::move(area);
    if (serverPass)
        serverText_ = scan.ServerText;
    else
        hasMacros_ = macros;
}

// Each name of the new area takes the old value of that name: every occurrence gets it.
void TFIBQuery::CarryValues(TFIBXSQLDA& from, TFIBXSQLDA& to) {
    for (int i = 0; i < to.Count(); ++i) {
        TFIBXSQLVAR& target = to.GetVar(i);
        const auto found = from.NameList.find(target.VarName);
        if (found == from.NameList.end() || found->second >= from.Count())
            continue;
        TFIBXSQLVAR& source = from.GetVar(found->second);
        if (source.MacroParam != target.MacroParam)
            continue;
        if (!source.ValueAssigned && !source.MacroParam)
            continue;
        const bool macroParam = target.MacroParam;
        const bool quoted = target.MacroQuoted;
        const std::string macroDefault = target.MacroDefault;
        target.WriteXSQLVAR(*source.XSQLVar);
        target.PreviousValue = source.PreviousValue;
        target.ValueAssigned = source.ValueAssigned;
        target.DescribedType = source.DescribedType;
        target.Changed = source.Changed;
        target.MacroParam = macroParam;
        target.MacroQuoted = quoted;
        target.MacroDefault = macroDefault;
    }
}

std::string TFIBQuery::ExpandMacros(const std::string& text) {
    std::vector<TMacroValue> macros;
    TFIBXSQLDA& params = *params_;
    for (int i = 0; i < params.Count(); ++i) {
        TFIBXSQLVAR& var = params.GetVar(i);
        if (!var.MacroParam)
            continue;
        const std::string value = var.ReadIsNull() ? std::string() : var.ReadAsString();
        macros.push_back({var.VarName, value, var.MacroQuoted});
        var.PreviousValue = Variant(value);
    }
    return ExpandMacroValues(text, macros, MacroChar, textRewritten_);
}

std::string TFIBQuery::BuildExecSQL() {
    textRewritten_ = false;
    std::string text = hasMacros_ ? ExpandMacros(normalizedText_) : normalizedText_;
    if (!Options.Contains(qoNoForceIsNull) && !ComponentState().Contains(csLoading))
        RewriteNullParams(text);
    return text;
}

void TFIBQuery::RewriteNullParams(std::string& text) {
    std::vector<std::string> nullNames;
    TFIBXSQLDA& params = *params_;
    for (int i = 0; i < params.Count(); ++i) {
        TFIBXSQLVAR& var = params.GetVar(i);
        if (!var.MacroParam && var.WithinWhere && var.NullRewritable && var.ReadIsNull() &&
            std::find(nullNames.begin(), nullNames.end(), var.VarName) == nullNames.end())
            nullNames.push_back(var.VarName);
    }
    if (nullNames.empty())
        return;
    std::vector<std::string> found;
    text = RewriteNullComparisons(text, nullNames, SQLDialect(), found);
    if (found.empty())
        return;
    textRewritten_ = true;
    for (int i = 0; i < params.Count(); ++i) {
        TFIBXSQLVAR& var = params.GetVar(i);
        if (std::find(found.begin(), found.end(), var.VarName) != found.end())
            var.PreviousValue = Variant::Null();
    }
}

void TFIBQuery::RebuildServerText() {
    const std::string oldText = serverText_;
    const std::string text = BuildExecSQL();
    macrosChanged_ = false;
    RunScan(text, true);
    if (serverText_ != oldText && handle_.Held())
        FreeHandle();
}

void TFIBQuery::RefreshSQLText() {
    Close();
    FreeHandle();
    RunScan(BuildExecSQL(), true);
    macrosChanged_ = false;
}

void TFIBQuery::RebuildSQLIfMacrosChanged() {
    if (macrosChanged_ && paramsScanned_)
        RefreshSQLText();
}

void TFIBQuery::SaveParamValues(TFIBXSQLDA& area, bool save) {
    for (int i = 0; i < area.Count(); ++i) {
        TFIBXSQLVAR& var = area.GetVar(i);
        if (save) {
            if (var.ValueAssigned)
                var.PreviousValue = var.ReadAsVariant();
            continue;
        }
        if (var.IsBlobOrArray())
            continue;
        if (var.PreviousValue.IsEmpty() && var.ReadSQLType() == SQL_VARYING)
            var.XSQLVar->sqltype = static_cast<short>(SQL_TEXT | (var.XSQLVar->sqltype & 1));
        else
            var.WriteAsVariant(var.PreviousValue);
    }
}

bool TFIBQuery::NeedsRebuild() {
    if (!prepared_ || macrosChanged_)
        return true;
    TFIBXSQLDA& params = *params_;
    for (int i = 0; i < params.Count(); ++i) {
        TFIBXSQLVAR& var = params.GetVar(i);
        if (var.MacroParam) {
            if (!(var.ReadAsVariant() == var.PreviousValue))
                return true;
        } else if (var.NullRewritable && var.ReadIsNull() != var.PreviousValue.IsNull()) {
            return true;
        }
    }
    return false;
}

TFIBXSQLDA& TFIBQuery::GetParams() {
    if (!parsed_)
        ParseSQL();
    return *params_;
}

TFIBXSQLVAR* TFIBQuery::FindParam(const std::string& name) {
    return GetParams().ByName(name);
}

TFIBXSQLVAR& TFIBQuery::ParamByName(const std::string& name) {
    if (TFIBXSQLVAR* found = FindParam(name))
        return *found;
    std::string head = sql_.Text();
    head.erase(0, head.find_first_not_of(" \t\r\n"));
    head = head.substr(0, 8);
    for (char& c : head) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (head == "EXECUTE ")
        return FieldByName(name);
    throw Exception(Format("Parameter \"%s\" does not exist in %s", {name, ComponentPath(this)}));
}
