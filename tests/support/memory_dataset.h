#pragma once
// TMemoryDataSet: a dataset over rows kept in memory, for the tests of the dataset framework, the
// data controls and the grid. Each row carries a fixed id that serves as its bookmark. Values are
// read and written by column index; a test can make the next posts or deletes fail. It filters
// through OnFilterRecord (the filter text is not read), keeps calculated and lookup fields in a
// byte area of each buffer, and can act as a dataset without record numbers (Sequenced false).
#include <string>
#include <vector>

#include "platform/db/data_link.h"
#include "platform/db/dataset.h"
#include "platform/rtl/variant.h"

class TMemoryDataSet : public TDataSet {
  public:
    using Row = std::vector<Variant>;

    explicit TMemoryDataSet(TComponent* AOwner = nullptr);
    // One made on the stack closes quietly and frees its buffers here.
    ~TMemoryDataSet() override;
    std::string ClassName() const override { return "TMemoryDataSet"; }

    // The columns; set while closed.
    void SetColumns(std::vector<std::string> names);
    // Gives a column a type (ftVariant until then): its definition carries it and values written
    // through fields are stored converted to it. Set while closed, after SetColumns.
    void SetColumnType(int column, TFieldType type, int size = 0);
    int ColumnCount() const { return static_cast<int>(columns_.size()); }
    // Adds a stored row directly (no events); usable open or closed.
    void AddRow(Row values);
    int StoredRowCount() const { return static_cast<int>(rows_.size()); }
    const Row& StoredRow(int index) const { return rows_.at(static_cast<std::size_t>(index)).values; }

    // The active record's value, as shown (edited values while editing).
    Variant GetValue(int column) const;
    void SetValue(int column, const Variant& value);
    // Fields read and write the column of their FieldNo.
    bool GetFieldData(const TField* field, Variant& value) const override;
    void SetFieldData(TField* field, const Variant& value) override;

    // Master and detail: with a master source, only the rows whose DetailFields equal the master
    // record's MasterFields show, and the dataset goes back to its first row as the master moves.
    TDataSource* GetDataSource() const override { return masterLink_.DataSource(); }
    // Raises "Circular datalinks are not allowed" for a source that leads back to this dataset.
    void SetDataSource(TDataSource* value) override;
    void SetMasterFields(const std::string& value) { masterLink_.SetFieldNames(value); }
    std::string DetailFields;

    // Makes the next `count` posts or deletes raise EDatabaseError.
    void FailNextPosts(int count) { failPosts_ = count; }
    void FailNextDeletes(int count) { failDeletes_ = count; }

    bool Sequenced = true;
    bool IsSequenced() const override { return Sequenced; }
    int GetRecordCount() const override;
    int GetRecNo() const override;
    void SetRecNo(int value) override;
    bool BookmarkValid(const TBookmark& bookmark) const override;
    int CompareBookmarks(const TBookmark& a, const TBookmark& b) const override;

  protected:
    TRecordBuffer AllocRecordBuffer() override;
    void FreeRecordBuffer(TRecordBuffer& buffer) override;
    void InternalInitRecord(TRecordBuffer buffer) override;
    TGetResult GetRecord(TRecordBuffer buffer, TGetMode mode, bool doCheck) override;
    void InternalFirst() override { cursor_ = -1; }
    void InternalLast() override { cursor_ = static_cast<int>(rows_.size()); }
    void InternalOpen() override;
    // Each column is a definition of type ftVariant.
    void InternalInitFieldDefs() override;
    void InternalClose() override {
        BindFields(false);
        DestroyFields();
        open_ = false;
    }
    // Calculated fields live in a byte area of each buffer.
    void ClearCalcFields(TRecordBuffer buffer) override;
    bool IsCursorOpen() const override { return open_; }
    int BookmarkSize() const override { return sizeof(int); }
    void GetBookmarkData(TRecordBuffer buffer, char* data) const override;
    void SetBookmarkData(TRecordBuffer buffer, const char* data) override;
    TBookmarkFlag GetBookmarkFlag(TRecordBuffer buffer) const override;
    void SetBookmarkFlag(TRecordBuffer buffer, TBookmarkFlag flag) override;
    void InternalGotoBookmark(const char* bookmark) override;
    void InternalSetToRecord(TRecordBuffer buffer) override;
    void InternalPost() override;
    void InternalDelete() override;
    void InternalAddRecord(TRecordBuffer buffer, bool append) override;

  private:
    struct KeptRow {
        int id;
        Row values;
    };
    int IndexOfId(int id) const;
    // The data field that reads the column; nullptr when none does.
    TField* FieldOfColumn(int column) const;
    // Loads row `index` into the buffer and asks the filter about it.
    bool LoadAccepted(int index, TRecordBuffer buffer);
    // The 0-based position among the rows that pass the filter.
    int VisiblePosition(int index);
    int BookmarkId(const TBookmark& bookmark) const;
    // Whether the row loaded into the buffer belongs to the master's current record.
    bool MatchesMaster(TRecordBuffer buffer);
    void MasterChanged();

    struct ColumnType {
        TFieldType type = ftVariant;
        int size = 0;
    };
    std::vector<std::string> columns_;
    std::vector<ColumnType> types_;
    std::vector<KeptRow> rows_;
    // Each id's index in rows_, built on the first look-up after rows_ changed: finding a row by id
    // at every move would otherwise scan the rows before it.
    mutable std::vector<int> indexOfId_;
    void RowsChanged() { indexOfId_.clear(); }
    int nextId_ = 1;
    int cursor_ = -1;  // -1 before the first row, rows_.size() after the last
    bool open_ = false;
    int failPosts_ = 0;
    int failDeletes_ = 0;
    TMasterDataLink masterLink_{this};
};
