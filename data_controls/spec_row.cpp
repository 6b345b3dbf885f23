#include "data_controls/spec_row.h"

#include "data_controls/variants_equal.h"
#include "platform/rtl/filer.h"
#include "platform/rtl/published_properties.h"
#include "platform/rtl/reader.h"
#include "platform/rtl/writer.h"
#include "platform/ui/control.h"
#include "platform/ui/virtual_keys.h"

namespace {

bool IsControlChar(char c) {
    auto code = static_cast<unsigned char>(c);
    return code >= 1 && code < 32;
}

class CellsReader {
  public:
    explicit CellsReader(std::string_view text) : text_(text.substr(0, text.find('\0'))) {}

    std::vector<std::string> Cells() {
        std::vector<std::string> cells;
        SkipControlChars();
        while (pos_ < text_.size()) {
            cells.push_back(text_[pos_] == '"' ? QuotedCell() : PlainCell());
            SkipControlChars();
            if (pos_ < text_.size() && text_[pos_] == ';') {
                ++pos_;
                SkipControlChars();
            }
        }
        return cells;
    }

  private:
    void SkipControlChars() {
        while (pos_ < text_.size() && IsControlChar(text_[pos_])) ++pos_;
    }
    std::string QuotedCell() {
        std::string cell;
        ++pos_;
        while (pos_ < text_.size()) {
            char c = text_[pos_++];
            if (c != '"') {
                cell += c;
            } else if (pos_ < text_.size() && text_[pos_] == '"') {
                cell += '"';
                ++pos_;
            } else {
                break;
            }
        }
        return cell;
    }
    std::string PlainCell() {
        std::size_t start = pos_;
        while (pos_ < text_.size() && text_[pos_] != ';' && static_cast<unsigned char>(text_[pos_]) >= 32)
            ++pos_;
        return std::string(text_.substr(start, pos_ - start));
    }
    std::string_view text_;
    std::size_t pos_ = 0;
};

// The key value is stored as the plain value of its kind: a number, a boolean or a string.
void WriteKeyValue(TWriter& writer, const Variant& value) {
    switch (value.VarType()) {
        case varBoolean:
            writer.WriteBoolean(value.AsBoolean());
            return;
        case varSmallint:
        case varInteger:
        case varShortInt:
        case varByte:
        case varWord:
        case varLongWord:
        case varInt64:
            writer.WriteInteger(value.AsInt64());
            return;
        case varSingle:
        case varDouble:
        case varCurrency:
        case varDate:
            writer.WriteFloat(value.AsDouble());
            return;
        default:
            writer.WriteString(value.AsString());
    }
}

Variant ReadKeyValue(TReader& reader) {
    switch (reader.NextValue()) {
        case vaInt:
            return Variant(static_cast<long long>(reader.ReadInt64()));
        case vaExtended:
            return Variant(reader.ReadFloat());
        case vaFalse:
        case vaTrue:
            return Variant(reader.ReadBoolean());
        default:
            return Variant(reader.ReadString());
    }
}

const TControl* OwnerControl(const TPersistent* owner) {
    return dynamic_cast<const TControl*>(owner);
}

}  // namespace

std::vector<std::string> ParseCellsText(std::string_view text) {
    return CellsReader(text).Cells();
}

TSpecRowEh::TSpecRowEh(TPersistent* owner)
    : owner_(owner),
      cells_(std::make_unique<TStringList>()),
      font_(std::make_unique<TFont>()),
      shortCut_(static_cast<TShortCut>(scAlt | VK_DELETE)) {
    if (const TControl* control = OwnerControl(owner)) {
        font_->Assign(*control->Font());
        color_ = control->Color();
    }
    font_->OnChange = [this](TObject*) { FontChanged(); };
}

TSpecRowEh::~TSpecRowEh() {
    font_->OnChange = nullptr;
}

const TPropertyList& TSpecRowEh::Published() {
    static const TPropertyList list =
        TPublish<TSpecRowEh>(TPersistent::Published())
            .String("CellsText", &TSpecRowEh::CellsText, &TSpecRowEh::SetCellsText)
            .Integer("Color", &TSpecRowEh::Color, &TSpecRowEh::SetColor)
            .StoredWhen(&TSpecRowEh::ColorAssigned)
            .Object("Font", &TSpecRowEh::Font)
            .StoredWhen(&TSpecRowEh::FontAssigned)
            .Integer("ShortCut", &TSpecRowEh::ShortCut, &TSpecRowEh::SetShortCut)
            .Default(static_cast<TShortCut>(scAlt | VK_DELETE))
            .Boolean("ShowIfNotInKeyList", &TSpecRowEh::ShowIfNotInKeyList,
                     &TSpecRowEh::SetShowIfNotInKeyList)
            .Default(true)
            .Boolean("Visible", &TSpecRowEh::Visible, &TSpecRowEh::SetVisible)
            .Default(false);
    return list;
}

void TSpecRowEh::DefineProperties(TFiler& filer) {
    filer.DefineProperty(
        "Value", [this](TReader& reader) { SetValue(ReadKeyValue(reader)); },
        [this](TWriter& writer) { WriteKeyValue(writer, value_); }, !value_.IsNull());
}

void TSpecRowEh::SetCellsText(const std::string& value) {
    if (value == cellsText_)
        return;
    cellsText_ = value;
    cells_->BeginUpdate();
    cells_->Clear();
    for (std::string& cell : ParseCellsText(value)) cells_->Add(std::move(cell));
    cells_->EndUpdate();
    NotifyChanged();
}

std::string TSpecRowEh::CellTextAt(int index) const {
    if (index < 0 || index >= cells_->Count())
        return {};
    return cells_->Get(index);
}

TColor TSpecRowEh::Color() const {
    if (colorAssigned_)
        return color_;
    const TControl* control = OwnerControl(owner_);
    return control != nullptr ? control->Color() : color_;
}

void TSpecRowEh::SetColor(TColor value) {
    colorAssigned_ = true;
    if (value == color_)
        return;
    color_ = value;
    NotifyChanged();
}

TFont* TSpecRowEh::Font() const {
    const TControl* control = OwnerControl(owner_);
    if (!fontAssigned_ && control != nullptr && !(*font_ == *control->Font())) {
        auto* self = const_cast<TSpecRowEh*>(this);
        self->refreshingFont_ = true;
        font_->Assign(*control->Font());
        self->refreshingFont_ = false;
    }
    return font_.get();
}

void TSpecRowEh::FontChanged() {
    if (refreshingFont_)
        return;
    fontAssigned_ = true;
    NotifyChanged();
}

void TSpecRowEh::SetShortCut(TShortCut value) {
    if (value == shortCut_)
        return;
    shortCut_ = value;
    NotifyChanged();
}

void TSpecRowEh::SetShowIfNotInKeyList(bool value) {
    if (value == showIfNotInKeyList_)
        return;
    showIfNotInKeyList_ = value;
    NotifyChanged();
}

void TSpecRowEh::SetValue(const Variant& value) {
    if (VariantsEqual(value, value_))
        return;
    value_ = value;
    NotifyChanged();
}

void TSpecRowEh::SetVisible(bool value) {
    if (value == visible_)
        return;
    visible_ = value;
    NotifyChanged();
}

void TSpecRowEh::EndUpdate() {
    if (updateCount_ > 0)
        --updateCount_;
    NotifyChanged();
}

void TSpecRowEh::NotifyChanged() {
    if (updateCount_ == 0 && OnChanged)
        OnChanged(this);
}

void TSpecRowEh::Assign(const TPersistent& source) {
    const auto* other = dynamic_cast<const TSpecRowEh*>(&source);
    if (other == nullptr) {
        TPersistent::Assign(source);
        return;
    }
    BeginUpdate();
    SetCellsText(other->CellsText());
    SetColor(other->Color());
    if (other->FontAssigned())
        SetFont(*other->Font());
    SetShortCut(other->ShortCut());
    SetShowIfNotInKeyList(other->ShowIfNotInKeyList());
    SetValue(other->Value());
    SetVisible(other->Visible());
    EndUpdate();
}
