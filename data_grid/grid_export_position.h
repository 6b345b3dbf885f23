#pragma once
// Keeps a grid's data position while a walk moves its dataset through the records: the controls
// are disabled, the record in the middle of the grid's window and the active record's distance
// from it are saved, and both are restored however the walk ends, so the grid shows the same
// window of records afterwards.
#include <functional>
#include <string>

class TCustomDBGridEh;
class TDataSet;

class TGridDataPositionEh {
  public:
    explicit TGridDataPositionEh(TCustomDBGridEh& Grid);
    TGridDataPositionEh(const TGridDataPositionEh&) = delete;
    TGridDataPositionEh& operator=(const TGridDataPositionEh&) = delete;

    // Runs Walk with the controls disabled and the position saved. A failure of the walk is
    // raised again after the position and the controls are restored.
    void Run(const std::function<void()>& Walk);

  private:
    void Save();
    void Restore();
    TDataSet& dataSet_;
    int offset_ = 0;
    std::string bookmark_;
    bool saved_ = false;
    int bufferedRecords_ = 0;
    int activeRecord_ = 0;
};
