#include "tools/grid_demo/target_rects.h"

#include <algorithm>
#include <map>
#include <sstream>

#include "data_controls/db_check_box.h"
#include "data_controls/db_combo_box.h"
#include "data_controls/db_edit.h"
#include "data_controls/edit_button_control.h"
#include "data_controls/popup_calendar.h"
#include "data_grid/column.h"
#include "data_grid/columns.h"
#include "data_grid/db_grid.h"
#include "data_grid/grid_inplace_edit.h"
#include "platform/db/dataset.h"
#include "platform/db/field.h"
#include "platform/os/replacing_file.h"
#include "platform/rtl/datetime.h"
#include "platform/ui/month_calendar.h"
#include "platform/ui/speed_button.h"
#include "tools/grid_demo/grid_demo_form.h"
#include "tools/popup_edits_demo/popup_edits.h"

namespace grid_demo {

namespace {

constexpr unsigned kRefreshInterval = 50;  // ms

void PutRect(std::ostream& out, const TControl& control, const TRect& client) {
    const TPoint at = control.ClientToScreen({client.Left, client.Top});
    out << ' ' << at.X << ' ' << at.Y << ' ' << client.Width() << ' ' << client.Height();
}

bool Shown(const TControl* control) {
    return control != nullptr && control->IsShowing();
}

TColumnEh* ColumnAt(TCustomDBGridEh& grid, int dataCol) {
    return static_cast<TDBGridColumnsEh&>(*grid.Columns()).ColumnAt(dataCol);
}

void PutTitlesAndFilters(std::ostream& out, TCustomDBGridEh& grid) {
    for (int c = 0; c < grid.Columns()->Count(); ++c) {
        const std::string& field = ColumnAt(grid, c)->FieldName();
        const int gridCol = grid.DataColToGridCol(c);
        out << "title " << field;
        PutRect(out, grid, grid.CellRect(gridCol, 0));
        out << "\nfilter " << field;
        PutRect(out, grid, grid.CellRect(gridCol, grid.TopDataOffset() - 1));
        out << '\n';
    }
}

const char* StateName(TDataSetState state) {
    switch (state) {
        case dsBrowse:
            return "browse";
        case dsEdit:
            return "edit";
        case dsInsert:
            return "insert";
        default:
            return "other";
    }
}

// The shown records, through the grid's own window on the dataset.
void PutRows(std::ostream& out, TCustomDBGridEh& grid) {
    TGridDataLinkEh* link = grid.DataLink();
    if (link == nullptr || !link->Active())
        return;
    TDataSet* dataSet = link->DataSet();
    const int saved = link->ActiveRecord();
    std::ostringstream rows;
    std::ostringstream cells;
    for (int r = 0; r < link->RecordCount(); ++r) {
        link->SetActiveRecord(r);
        const std::string id = dataSet->FieldByName("ID")->AsString();
        rows << ' ' << id;
        for (int c = 0; c < grid.Columns()->Count(); ++c) {
            TColumnEh* column = ColumnAt(grid, c);
            cells << "cell " << id << ' ' << column->FieldName();
            PutRect(cells, grid, grid.CellRect(grid.DataColToGridCol(c), grid.TopDataOffset() + r));
            cells << '\t' << column->CellDisplayText() << '\n';
        }
    }
    link->SetActiveRecord(saved);
    out << "state " << StateName(dataSet->State()) << "\nrows" << rows.str() << '\n' << cells.str();
}

// Each day's cell in the calendar, found by asking the calendar what lies under its points.
void PutCalendarDays(std::ostream& out, TPopupMonthCalendarEh& calendar) {
    std::map<std::string, TRect> days;
    for (int y = 0; y < calendar.ClientHeight(); y += 2)
        for (int x = 0; x < calendar.ClientWidth(); x += 2) {
            SYSTEMTIME st;
            if (calendar.CalendarHitTest({x, y}, &st) != MCHT_CALENDARDATE)
                continue;
            const std::string name = FormatDateTime("yyyy-mm-dd", SystemTimeToDate(st));
            auto [it, added] = days.try_emplace(name, TRect{x, y, x + 1, y + 1});
            TRect& r = it->second;
            r = {std::min(r.Left, x), std::min(r.Top, y), std::max(r.Right, x + 1),
                 std::max(r.Bottom, y + 1)};
        }
    for (const auto& [name, rect] : days) {
        out << "day " << name;
        PutRect(out, calendar, rect);
        out << '\n';
    }
}

void PutEditor(std::ostream& out, TCustomDBGridEh& grid) {
    auto* editor = dynamic_cast<TDBGridInplaceEdit*>(grid.InplaceEditor());
    if (!Shown(editor))
        return;
    if (!editor->ButtonControls().empty()) {
        TEditButtonControlEh* button = editor->ButtonControls().front().EditButtonControl;
        if (Shown(button)) {
            out << "button";
            PutRect(out, *button, button->ClientRect());
            out << '\n';
        }
    }
    if (TPopupMonthCalendarEh* calendar = editor->CalendarDropDown(); Shown(calendar))
        PutCalendarDays(out, *calendar);
}

void PutControls(std::ostream& out, TGridDemoForm& form) {
    const std::pair<const char*, TControl*> controls[] = {
        {"NOTE", form.NoteEdit},       {"ROOM", form.RoomCombo},      {"PAID", form.PaidCheck},
        {"VISIT_DATE", form.DateEdit}, {"EXPORT", form.ExportButton}, {"CLOSE", form.CloseButton},
    };
    for (const auto& [name, control] : controls) {
        out << "control " << name;
        PutRect(out, *control, control->ClientRect());
        out << '\n';
    }
}

}  // namespace

std::string TargetRectsText(TGridDemoForm& form) {
    std::ostringstream out;
    if (!Shown(&form))
        return "";
    PutRows(out, *form.Grid);
    PutTitlesAndFilters(out, *form.Grid);
    PutEditor(out, *form.Grid);
    PutControls(out, form);
    return out.str();
}

TTargetRectWriter::TTargetRectWriter(TGridDemoForm& form, std::string path)
    : form_(form), path_(std::move(path)), timer_(MakeComponent<TTimer>(nullptr)) {
    timer_->SetInterval(kRefreshInterval);
    timer_->OnTimer = [this](TObject*) { Refresh(); };
    timer_->SetEnabled(true);
}

void TTargetRectWriter::Refresh() {
    const std::string text = TargetRectsText(form_);
    if (text.empty() || text == written_)
        return;
    ReplaceFileContents(path_, text);
    written_ = text;
}

}  // namespace grid_demo
