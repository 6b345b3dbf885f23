#pragma once
// A TStrings property in a stored form: "Name.Strings = ('line' 'line')", written when hasData
// says so. What is read goes to set whole, so the owner's setter sees it.
#include <functional>
#include <string>

#include "platform/rtl/filer.h"
#include "platform/rtl/string_list.h"

void DefineLinesProperty(TFiler& filer, const std::string& name, const TStrings& lines,
                         const std::function<void(const TStrings&)>& set, bool hasData);
