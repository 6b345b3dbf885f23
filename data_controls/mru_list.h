#pragma once
// TMRUListEh: the texts an edit control remembers (oldest first) and the settings of the drop-down
// that offers them again while the user types. The owner installs the hooks.
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "platform/rtl/component.h"
#include "platform/rtl/string_list.h"

class TMRUListEh;
using TMRUListNotifyEvent = std::function<void(TMRUListEh* Sender)>;
using TMRUListCloseUpEvent = std::function<void(TMRUListEh* Sender, bool Accept)>;
// Sender: the list while filtering, the edit control when it checks a text of its own.
using TMRUListFilterEvent = std::function<void(TObject* Sender, const std::string& Text, bool& Accept)>;

class TMRUListEh : public TPersistent {
  public:
    explicit TMRUListEh(TPersistent* owner);
    ~TMRUListEh() override;
    std::string ClassName() const override { return "TMRUListEh"; }
    TPersistent* GetOwner() const override { return owner_; }
    static const TPropertyList& Published();
    const TPropertyList& PublishedProperties() const override { return Published(); }
    // Copies Active, Items, Limit, Rows and CaseSensitive; AutoAdd stays the owner's.
    void Assign(const TPersistent& source) override;

    bool AutoAdd() const { return autoAdd_; }
    void SetAutoAdd(bool value) { autoAdd_ = value; }
    bool Active() const { return active_; }
    void SetActive(bool value);
    bool CaseSensitive() const { return caseSensitive_; }
    void SetCaseSensitive(bool value) { caseSensitive_ = value; }
    TStrings* Items() const { return items_.get(); }
    void SetItems(const TStrings& value) { items_->Assign(value); }
    int Limit() const { return limit_; }
    // Keeps at most that many texts; a negative limit is taken as 0.
    void SetLimit(int value);
    int Rows() const { return rows_; }
    void SetRows(int value) { rows_ = value; }

    // Whether the drop-down shows; set by whoever shows and hides it.
    bool DroppedDown() const { return droppedDown_; }
    void SetDroppedDown(bool value) { droppedDown_ = value; }
    // The drop-down's width after the user last resized it.
    int Width() const { return width_; }
    void SetWidth(int value) { width_ = value; }
    // Filtering gives up as soon as the user presses another key.
    bool CancelIfKeyInQueue() const { return cancelIfKeyInQueue_; }
    void SetCancelIfKeyInQueue(bool value) { cancelIfKeyInQueue_ = value; }

    // A blank text is not remembered; one already there moves to the end, spelt as it was.
    void AddItem(const std::string& text);
    // Fills target with the texts beginning with prefix (the filter hook has the last word); false
    // when a key press waiting in the queue cut the pass short.
    bool FilterByPrefix(TStrings& target, std::string_view prefix);

    virtual void CloseUp(bool Accept);
    virtual void DropDown();

    TMRUListNotifyEvent OnActiveChanged;
    TMRUListNotifyEvent OnDropDown;
    TMRUListCloseUpEvent OnCloseUp;
    TMRUListFilterEvent OnFilterItem;

  protected:
    void DefineProperties(TFiler& filer) override;

  private:
    bool SameText(std::string_view a, std::string_view b) const;
    bool StartsWith(std::string_view text, std::string_view prefix) const;
    void TrimToLimit();
    TPersistent* owner_;
    std::unique_ptr<TStringList> items_;
    bool autoAdd_ = true;
    bool active_ = false;
    bool caseSensitive_ = false;
    int limit_ = 100;
    int rows_ = 7;
    bool droppedDown_ = false;
    int width_ = 0;
    bool cancelIfKeyInQueue_ = true;
};

// Whether a key press waits in the thread's queue.
bool KeyDownWaiting();
