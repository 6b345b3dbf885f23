// Master-detail: the select parameters fed from the master's fields, and following the master,
// at once or once it has stopped scrolling.
#include "firebird/component_path.h"
#include "firebird/fib_errors.h"
#include "firebird/string_list_utils.h"
#include "firebird_datasets/fib_custom_dataset.h"
#include "firebird_datasets/fib_custom_dataset_cursor.h"
#include "platform/db/controls_disabled_scope.h"
#include "platform/db/data_source.h"
#include "platform/rtl/bcd.h"
#include "platform/rtl/flag_scope.h"
#include "platform/rtl/scope_exit.h"
#include "platform/rtl/strings.h"

namespace {

constexpr std::string_view kMasterPrefix = "MAS_";

bool IsWholeNumberBCD(const TField& field) {
    const auto* bcd = dynamic_cast<const TFIBBCDField*>(&field);
    return bcd != nullptr && bcd->Size() == 0;
}

bool BcdsDiffer(const TBcd& a, const TBcd& b) {
    DecimalDigits x, y;
    if (!TryBcdToDecimal(a, x) || !TryBcdToDecimal(b, y))
        return true;
    if (x.IsZero() || y.IsZero())
        return x.IsZero() != y.IsZero();
    return x.negative != y.negative || x.digits != y.digits || x.exponent != y.exponent;
}

bool DateTimesDiffer(TFIBXSQLVAR& param, const TField& field) {
    return param.ReadAsDateTime() != field.AsDateTime();
}

// Whether a parameter no longer holds its master field's value; kinds not compared never differ.
bool ParamDiffers(TFIBXSQLVAR& param, const TField& field) {
    if (param.ReadIsNull() != field.IsNull())
        return true;
    if (field.IsNull())
        return false;
    switch (field.DataType()) {
        case ftString:
        case ftFixedChar:
        case ftWideString:
            return param.ReadAsString() != field.AsString();
        case ftSmallint:
        case ftInteger:
        case ftWord:
        case ftBoolean:
            return param.ReadAsInteger() != field.AsVariant().AsInteger();
        case ftFloat:
        case ftCurrency:
            return param.ReadAsDouble() != field.AsFloat();
        case ftBCD:
            if (IsWholeNumberBCD(field))
                return param.ReadAsInt64() != dynamic_cast<const TFIBBCDField&>(field).GetAsInt64();
            if (const auto* bcd = dynamic_cast<const TFIBBCDField*>(&field))
                return BcdsDiffer(param.ReadAsBcd(), bcd->AsBCD());
            return param.ReadAsString() != field.AsString();
        case ftDate:
        case ftTime:
        case ftDateTime:
            return DateTimesDiffer(param, field);
        default:
            return false;
    }
}

}  // namespace

TDataSet* TFIBCustomDataSet::MasterDataSet() const {
    TDataSource* source = GetDataSource();
    return source != nullptr ? source->DataSet() : nullptr;
}

// "MAS_CODE" reads the master's CODE; any other name the master field of that name.
TField* TFIBCustomDataSet::MasterFieldOf(TDataSet& master, const std::string& paramName) const {
    if (paramName.size() > kMasterPrefix.size() &&
        SameText(std::string_view(paramName).substr(0, kMasterPrefix.size()), kMasterPrefix))
        return master.FindField(paramName.substr(kMasterPrefix.size()));
    return master.FindField(paramName);
}

void TFIBCustomDataSet::AssignMasterParams() {
    TDataSet* master = MasterDataSet();
    if (master == nullptr)
        return;
    auto assign = [&](TFIBXSQLVAR& param) {
        TField* field = MasterFieldOf(*master, param.VarName);
        if (field == nullptr)
            return;
        if (field->IsNull()) {
            param.WriteIsNull(true);
            return;
        }
        switch (field->DataType()) {
            case ftString:
            case ftFixedChar:
            case ftWideString:
                param.WriteAsString(field->AsString());
                break;
            case ftSmallint:
            case ftInteger:
            case ftWord:
            case ftBoolean:
                param.WriteAsInteger(field->AsVariant().AsInteger());
                break;
            case ftFloat:
            case ftCurrency:
                param.WriteAsDouble(field->AsFloat());
                break;
            case ftBCD:
                if (IsWholeNumberBCD(*field))
                    param.WriteAsInt64(dynamic_cast<TFIBBCDField&>(*field).GetAsInt64());
                else if (auto* bcd = dynamic_cast<TFIBBCDField*>(field))
                    param.WriteAsBcd(bcd->AsBCD());
                else
                    param.WriteAsVariant(field->AsVariant());
                break;
            case ftDate:
                param.WriteAsDate(field->AsDateTime());
                break;
            case ftTime:
                param.WriteAsTime(field->AsDateTime());
                break;
            case ftDateTime:
                param.WriteAsDateTime(field->AsDateTime());
                break;
            case ftBlob:
            case ftMemo:
            case ftGraphic:
            case ftFmtMemo: {
                std::unique_ptr<TStream> stream = master->CreateBlobStream(field, bmRead);
                param.LoadFromStream(*stream);
                break;
            }
            default:
                RaiseClientError(fceUnsupportedFeature, {ComponentPath(this)});
        }
    };
    ForEachMasterParam([&](TFIBXSQLVAR& param) {
        assign(param);
        return false;
    });
}

bool TFIBCustomDataSet::SetMasterParams() {
    TDataSet* master = MasterDataSet();
    if (master == nullptr)
        return false;
    return ForEachMasterParam([&](TFIBXSQLVAR& param) {
        const TField* field = MasterFieldOf(*master, param.VarName);
        return field != nullptr && ParamDiffers(param, *field);
    });
}

// The select's own parameters, then those only the server text has; stops when `visit` says so.
bool TFIBCustomDataSet::ForEachMasterParam(const std::function<bool(TFIBXSQLVAR&)>& visit) {
    TFIBXSQLDA& params = selectQuery_->GetParams();
    for (int i = 0; i < params.Count(); ++i)
        if (visit(params.GetVar(i)))
            return true;
    const TStringList& extra = selectQuery_->ExtraServerParams();
    TFIBXSQLDA* server = selectQuery_->ServerParamArea();
    for (int i = 0; server != nullptr && i < extra.Count(); ++i)
        if (TFIBXSQLVAR* param = server->ByName(extra[i]); param != nullptr && visit(*param))
            return true;
    return false;
}

void TFIBCustomDataSet::MasterChanged() {
    const bool waits = detailConditions_.Contains(dcWaitEndMasterScroll) && waitEndMasterInterval_ > 0;
    if (!waits) {
        ReopenAsDetail();
        return;
    }
    const auto* master = dynamic_cast<const TFIBCustomDataSet*>(MasterDataSet());
    if (master != nullptr && master->ReopeningAsDetail())
        ReopenForMaster();
    else
        StartMasterWait();
}

void TFIBCustomDataSet::StartMasterWait() {
    if (!waitMasterTimer_) {
        waitMasterTimer_ = std::make_unique<TTimer>(nullptr);
        waitMasterTimer_->OnTimer = [this](TObject*) { ReopenForMaster(); };
    }
    waitMasterTimer_->SetEnabled(false);
    waitMasterTimer_->SetInterval(static_cast<unsigned>(waitEndMasterInterval_));
    waitMasterTimer_->SetEnabled(true);
}

void TFIBCustomDataSet::ReopenForMaster() {
    TFlagScope reopening(reopeningAsDetail_);
    ReopenAsDetail();
}

void TFIBCustomDataSet::ReopenAsDetail() {
    if (waitMasterTimer_)
        waitMasterTimer_->SetEnabled(false);
    {
        const auto controls = ControlsDisabledScope(*this);
        if (!IsEmptyStrings(SelectSQL()) && (Active() || detailConditions_.Contains(dcForceOpen))) {
            TScreenCursorScope cursor(sqlScreenCursor_);
            // The fields stay: controls and persistent references keep pointing at live fields.
            const bool defaultFields = DefaultFields();
            SetDefaultFields(false);
            const TScopeExit restoreFields([this, defaultFields] { SetDefaultFields(defaultFields); });
            Close();
            Open();
        }
    }
    if (Active())
        DataEvent(deDataSetScroll, 0);
}

// The masters come first, whether this dataset waits or not: a master that still waits holds the
// records of a master record the user has left, and this dataset follows it once it reopens.
void TFIBCustomDataSet::ApplyPendingMasterScroll() {
    if (auto* master = dynamic_cast<TFIBCustomDataSet*>(MasterDataSet()))
        master->ApplyPendingMasterScroll();
    if (!WaitingForMaster())
        return;
    if (SetMasterParams())
        ReopenForMaster();
    waitMasterTimer_->SetEnabled(false);
}

void TFIBCustomDataSet::MasterDisabled() {
    if (detailConditions_.Contains(dcIgnoreMasterClose) || !Active())
        return;
    const TScopeFail closeMasterCursor([this] {
        if (auto* master = dynamic_cast<TFIBCustomDataSet*>(MasterDataSet()))
            master->QSelect().Close();
    });
    Close();
}
