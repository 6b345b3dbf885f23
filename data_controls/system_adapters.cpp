#include "data_controls/system_adapters.h"

#include <algorithm>
#include <vector>

#include "platform/rtl/string_compare.h"
#include "platform/rtl/strings.h"
#include "platform/ui/dc_drawing.h"
#include "platform/ui/edit_messages.h"
#include "platform/ui/message_queue.h"
#include "platform/ui/system_parameters.h"
#include "platform/ui/window_update.h"

int DrawTextStr(HDC dc, std::string_view text, TRect& rect, UINT format) {
    return DrawText(dc, text, static_cast<int>(text.size()), &rect, format);
}

int DrawTextExStr(HDC dc, std::string_view text, TRect& rect, UINT format, DRAWTEXTPARAMS params) {
    return DrawTextEx(dc, text, static_cast<int>(text.size()), &rect, format, &params);
}

bool ExtTextOutStr(HDC dc, int x, int y, UINT options, const TRect* rect, std::string_view text) {
    return ExtTextOut(dc, x, y, options, rect, text, nullptr);
}

LRESULT SendPointerMessage(HWND wnd, UINT msg, WPARAM wParam, const void* pointer) {
    return SendMessage(wnd, msg, wParam, reinterpret_cast<LPARAM>(pointer));
}

LRESULT SendStrMessage(HWND wnd, UINT msg, WPARAM wParam, const std::string& text) {
    return SendMessage(wnd, msg, wParam, reinterpret_cast<LPARAM>(text.c_str()));
}

bool SystemParametersQuery(UINT action, UINT uiParam, void* param) {
    return SystemParametersInfo(action, uiParam, param, 0);
}

bool InvalidateWindowRect(HWND wnd, const TRect& rect, bool erase) {
    return InvalidateRect(wnd, &rect, erase);
}

bool ValidateWindowRect(HWND wnd, const TRect& rect) {
    return ValidateRect(wnd, &rect);
}

int ScrollWindowRect(HWND wnd, int dx, int dy, const TRect* scroll, const TRect* clip, UINT flags) {
    return ScrollWindowEx(wnd, dx, dy, scroll, clip, nullptr, nullptr, flags);
}

bool LogicalToDevicePoints(HDC dc, TPoint& first, TPoint& second) {
    TPoint points[2] = {first, second};
    const bool done = LPtoDP(dc, points, 2);
    first = points[0];
    second = points[1];
    return done;
}

platform::ui::Region CreatePolygonRegion(std::span<const TPoint> points) {
    return CreatePolygonRgn(points);
}

void GetEditSelection(HWND wnd, int& start, int& end) {
    DWORD first = 0, last = 0;
    SendMessage(wnd, EM_GETSEL, reinterpret_cast<WPARAM>(&first), reinterpret_cast<LPARAM>(&last));
    start = static_cast<int>(first);
    end = static_cast<int>(last);
}

std::string UpperCaseStr(std::string_view s) {
    return AnsiUpperCase(s);
}
std::string LowerCaseStr(std::string_view s) {
    return AnsiLowerCase(s);
}
int CompareStrCase(std::string_view a, std::string_view b) {
    return AnsiCompareStr(a, b);
}
int CompareTextNoCase(std::string_view a, std::string_view b) {
    return AnsiCompareText(a, b);
}

namespace {

std::vector<TVarArrayBound> BoundsOf(const Variant& array) {
    std::vector<TVarArrayBound> bounds;
    for (int dim = 1; dim <= array.DimCount(); ++dim)
        bounds.push_back({array.LowBound(dim), array.HighBound(dim)});
    return bounds;
}

// Steps indexes through every element of bounds, first index fastest; false after the last.
bool NextIndexes(std::vector<int>& indexes, const std::vector<TVarArrayBound>& bounds) {
    for (std::size_t d = 0; d < bounds.size(); ++d) {
        if (indexes[d] < bounds[d].HighBound) {
            ++indexes[d];
            return true;
        }
        indexes[d] = bounds[d].LowBound;
    }
    return false;
}

bool AnyDimensionEmpty(const std::vector<TVarArrayBound>& bounds) {
    for (const auto& bound : bounds)
        if (bound.HighBound < bound.LowBound)
            return true;
    return false;
}

}  // namespace

void RedimVarArray(Variant& array, int highBound) {
    if (!VarIsArray(array))
        throw EVariantArrayError("Variant is not an array");
    auto bounds = BoundsOf(array);
    const auto oldBounds = bounds;
    bounds.back().HighBound = highBound;
    Variant resized = VarArrayCreate(bounds, array.ElementType());
    std::vector<TVarArrayBound> shared = oldBounds;
    shared.back().HighBound = std::min(highBound, oldBounds.back().HighBound);
    if (!AnyDimensionEmpty(shared)) {
        std::vector<int> indexes;
        for (const auto& bound : shared) indexes.push_back(bound.LowBound);
        do resized.PutElement(indexes, array.GetElement(indexes));
        while (NextIndexes(indexes, shared));
    }
    array = std::move(resized);
}

TRect EmptyRect() {
    return TRect{0, 0, 0, 0};
}

LPARAM ObjectToLParam(const void* object) {
    return reinterpret_cast<LPARAM>(object);
}

LPARAM SmallPointToLParam(std::int16_t x, std::int16_t y) {
    const auto packed = static_cast<std::uint32_t>(static_cast<std::uint16_t>(x)) |
                        (static_cast<std::uint32_t>(static_cast<std::uint16_t>(y)) << 16);
    return static_cast<LPARAM>(static_cast<std::int32_t>(packed));
}

void CopyMessageRecord(const TMessage& from, TMessage& to) {
    to = from;
}

void CopyMessageResult(const TMessage& from, TMessage& to) {
    to.Result = from.Result;
}

int DataSetCompareBookmarkStrings(const TDataSet& dataSet, const TBookmark& a, const TBookmark& b) {
    return dataSet.CompareBookmarks(a, b);
}
