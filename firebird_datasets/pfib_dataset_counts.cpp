// TpFIBDataSet's record counts and numbers: the count asked from the server, and with
// poVisibleRecno numbers and counts of the records the filter shows.
#include <algorithm>

#include "firebird/component_path.h"
#include "firebird/library_texts.h"
#include "firebird/sql_text_routines.h"
#include "firebird/transaction.h"
#include "firebird_datasets/pfib_dataset.h"
#include "platform/rtl/flag_scope.h"
#include "platform/rtl/format.h"
#include "platform/rtl/scope_exit.h"
#include "platform/rtl/strings.h"

void TpFIBDataSet::CopySelectParams(TFIBQuery& to, bool extraServerParams) {
    const auto copy = [&](const std::string& name) {
        TFIBXSQLVAR* source = QSelect().FindParam(name);
        TFIBXSQLVAR* target = to.FindParam(name);
        if (source != nullptr && target != nullptr)
            target->WriteAsVariant(source->ReadAsVariant());
    };
    if (extraServerParams) {
        const TStringList& names = to.ExtraServerParams();
        for (int i = 0; i < names.Count(); ++i) copy(names[i]);
        return;
    }
    TFIBXSQLDA& params = to.GetParams();
    for (int i = 0; i < params.Count(); ++i) copy(params[i].VarName);
}

int TpFIBDataSet::ServerRecordCount() {
    TFIBTransaction* transaction = QSelect().Transaction();
    if (transaction == nullptr || !transaction->Active())
        return 0;
    try {
        countQuery_->Close();
        countQuery_->SetDatabase(QSelect().Database());
        countQuery_->SetTransaction(transaction);
        std::string text;
        if (OnAskRecordCount)
            OnAskRecordCount(this, text);
        if (text.empty())
            text = GetCountSQL(SelectSQL().Text());
        if (Trim(countQuery_->SQL().Text()) != Trim(text))
            countQuery_->SQL().SetText(text);
        CopySelectParams(*countQuery_, false);
        countQuery_->Prepare();
        CopySelectParams(*countQuery_, true);
        countQuery_->Execute();
        const int count = countQuery_->GetFieldByIndex(0).ReadAsInteger();
        countQuery_->Close();
        return count;
    } catch (const Exception&) {
        countQuery_->Close();
        throw Exception(Format(SCantGetRecordCount, {ComponentPath(this)}));
    }
}

void TpFIBDataSet::QueryRecordCount() {
    visibleCountFetched_ = -1;
    knownRecordCount_ = PrepareOptions().Contains(psAskRecordCount) ? ServerRecordCount() : 0;
}

int TpFIBDataSet::HiddenBefore(int recNo) const {
    int index = 0;
    HiddenRecords().Find(recNo, index);
    return index;
}

int TpFIBDataSet::VisibleRecNo() const {
    const int recNo = TFIBDataSet::GetRecNo();
    return recNo <= 0 ? recNo : recNo - HiddenBefore(recNo);
}

// The n-th visible record: every hidden record up to it moves the target one further.
void TpFIBDataSet::SetVisibleRecNo(int value) {
    int recNo = std::max(value, 1);
    const TSortedList& hidden = HiddenRecords();
    for (int i = 0; i < hidden.Count() && hidden.GetItem(i) <= recNo; ++i) ++recNo;
    const TFlagScope raw(rawRecNo_);
    TFIBDataSet::SetRecNo(recNo);
}

int TpFIBDataSet::GetRecNo() const {
    if (Options().Contains(poVisibleRecno) && !rawRecNo_ && State() != dsFilter)
        return VisibleRecNo();
    return TFIBDataSet::GetRecNo();
}

void TpFIBDataSet::SetRecNo(int value) {
    if (Options().Contains(poVisibleRecno))
        SetVisibleRecNo(value);
    else
        TFIBDataSet::SetRecNo(value);
}

// Every fetched record is tested once for each fetched count.
int TpFIBDataSet::VisibleRecordCount() const {
    if (visibleCountFetched_ == FetchedCount() && visibleCountFiltered_ == Filtered())
        return visibleCount_;
    auto& self = const_cast<TpFIBDataSet&>(*this);
    int count = 0;
    {
        TRecordBuffer record = self.AllocRecordBuffer();
        const TScopeExit freeRecord([&self, &record] { self.FreeRecordBuffer(record); });
        for (int i = 0; i < FetchedCount(); ++i) {
            self.InitRecordBuffer(i, record, false);
            if (RecordIsVisible(record))
                ++count;
        }
    }
    visibleCount_ = count;
    visibleCountFetched_ = FetchedCount();
    visibleCountFiltered_ = Filtered();
    return count;
}

int TpFIBDataSet::GetRecordCount() const {
    if (Filtered() && Options().Contains(poVisibleRecno))
        return VisibleRecordCount();
    const int count = TFIBDataSet::GetRecordCount();
    if (UniDirectional() || knownRecordCount_ == 0)
        return count;
    const int hidden = FetchedCount() - count;
    return std::max(count, knownRecordCount_ - hidden);
}

bool TpFIBDataSet::IsSequenced() const {
    if (TFIBDataSet::IsSequenced())
        return true;
    if (Filtered() && Options().Contains(poVisibleRecno))
        return QSelect().Eof();
    return knownRecordCount_ != 0;
}
