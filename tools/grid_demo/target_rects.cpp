#include "tools/grid_demo/target_rects.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <utility>
#include <vector>

#include "data_controls/db_check_box.h"
#include "data_controls/db_combo_box.h"
#include "data_controls/db_edit.h"
#include "data_controls/edit_button_control.h"
#include "data_controls/popup_calendar.h"
#include "data_grid/column.h"
#include "data_grid/columns.h"
#include "data_grid/db_grid.h"
#include "data_grid/find_dialog.h"
#include "data_grid/grid_inplace_edit.h"
#include "data_grid/popup_data_grid.h"
#include "platform/db/dataset.h"
#include "platform/db/field.h"
#include "platform/os/replacing_file.h"
#include "platform/rtl/datetime.h"
#include "platform/ui/application.h"
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
    return grid.Columns()->ColumnAt(dataCol);
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
    out << "state " << StateName(dataSet->State()) << "\ncurrent " << dataSet->FieldByName("ID")->AsString()
        << "\nrows" << rows.str() << '\n'
        << cells.str();
}

bool IsDayHit(UINT hit) {
    return hit == MCHT_CALENDARDATE || hit == MCHT_CALENDARDATEPREV || hit == MCHT_CALENDARDATENEXT;
}

// The stretches [start, end) of a line through the calendar that each show one day, found by asking
// the calendar what lies under the line's points.
template <typename PointAt>
std::vector<std::pair<int, int>> DaySpans(const TPopupMonthCalendarEh& calendar, int length,
                                          PointAt pointAt) {
    std::vector<std::pair<int, int>> spans;
    TDateTime shown = -1;
    for (int i = 0; i < length; ++i) {
        SYSTEMTIME st;
        if (!IsDayHit(calendar.CalendarHitTest(pointAt(i), &st))) {
            shown = -1;
            continue;
        }
        const TDateTime date = SystemTimeToDate(st);
        if (date != shown)
            spans.emplace_back(i, i);
        spans.back().second = i + 1;
        shown = date;
    }
    return spans;
}

// Each day's cell of the shown month: the calendar's rows down its middle crossed with its columns
// along its first row (a hit test per line's point, not per point of the calendar: the writer runs
// on a timer beside the user's input).
void PutCalendarDays(std::ostream& out, TPopupMonthCalendarEh& calendar) {
    const auto rows = DaySpans(calendar, calendar.ClientHeight(), [&](int y) {
        return TPoint{calendar.ClientWidth() / 2, y};
    });
    if (rows.empty())
        return;
    const int firstRowMiddle = (rows.front().first + rows.front().second) / 2;
    const auto columns = DaySpans(calendar, calendar.ClientWidth(), [&](int x) {
        return TPoint{x, firstRowMiddle};
    });
    for (const auto& [top, bottom] : rows)
        for (const auto& [left, right] : columns) {
            SYSTEMTIME st;
            if (calendar.CalendarHitTest({(left + right) / 2, (top + bottom) / 2}, &st) != MCHT_CALENDARDATE)
                continue;
            out << "day " << FormatDateTime("yyyy-mm-dd", SystemTimeToDate(st));
            PutRect(out, calendar, {left, top, right, bottom});
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
    if (TPopupDataGridEh* list = editor->DataList(); Shown(list)) {
        out << "list";
        PutRect(out, *list, list->ClientRect());
        out << '\n';
        if (TSizeGripEh* grip = list->SizeGrip(); Shown(grip)) {
            out << "grip";
            PutRect(out, *grip, grip->ClientRect());
            out << '\n';
        }
    }
}

// The find dialog while it shows: its rectangle with its pattern, and whether its last search found.
void PutFindDialog(std::ostream& out) {
    for (int i = 0; i < Application->ComponentCount(); ++i) {
        auto* dialog = dynamic_cast<TDBGridEhFindDlg*>(Application->Components(i));
        if (!Shown(dialog))
            continue;
        out << "find";
        PutRect(out, *dialog, dialog->ClientRect());
        out << '\t' << dialog->cbText->Text() << "\nfound " << (dialog->FirstTry() ? 0 : 1) << '\n';
    }
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
    PutFindDialog(out);
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
