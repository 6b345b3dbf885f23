#pragma once
// Thin adapters over window-system and runtime calls, so that the controls call them with strings,
// rectangles and records instead of raw pointers.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "platform/db/dataset.h"
#include "platform/rtl/variant.h"
#include "platform/ui/canvas.h"
#include "platform/ui/draw_text.h"
#include "platform/ui/messages.h"
#include "platform/ui/region.h"
#include "platform/ui/types.h"

int DrawTextStr(HDC dc, std::string_view text, TRect& rect, UINT format);
int DrawTextExStr(HDC dc, std::string_view text, TRect& rect, UINT format, DRAWTEXTPARAMS params);
bool ExtTextOutStr(HDC dc, int x, int y, UINT options, const TRect* rect, std::string_view text);

LRESULT SendPointerMessage(HWND wnd, UINT msg, WPARAM wParam, const void* pointer);
LRESULT SendStrMessage(HWND wnd, UINT msg, WPARAM wParam, const std::string& text);
bool SystemParametersQuery(UINT action, UINT uiParam, void* param);

bool InvalidateWindowRect(HWND wnd, const TRect& rect, bool erase);
bool ValidateWindowRect(HWND wnd, const TRect& rect);
int ScrollWindowRect(HWND wnd, int dx, int dy, const TRect* scroll, const TRect* clip, UINT flags);
bool LogicalToDevicePoints(HDC dc, TPoint& first, TPoint& second);
platform::ui::Region CreatePolygonRegion(std::span<const TPoint> points);
void GetEditSelection(HWND wnd, int& start, int& end);

std::string UpperCaseStr(std::string_view s);
std::string LowerCaseStr(std::string_view s);
int CompareStrCase(std::string_view a, std::string_view b);
int CompareTextNoCase(std::string_view a, std::string_view b);

// Sets the upper bound of the array's last dimension, keeping the elements both shapes share; new
// elements start as the element type's zero. Raises EVariantArrayError for a value that is not an
// array or a bound below low bound - 1, leaving the array as it was.
void RedimVarArray(Variant& array, int highBound);

TRect EmptyRect();
LPARAM ObjectToLParam(const void* object);
LPARAM SmallPointToLParam(std::int16_t x, std::int16_t y);
void CopyMessageRecord(const TMessage& from, TMessage& to);
void CopyMessageResult(const TMessage& from, TMessage& to);

int DataSetCompareBookmarkStrings(const TDataSet& dataSet, const TBookmark& a, const TBookmark& b);
