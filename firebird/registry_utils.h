#pragma once
// Reading values and sub-key names from the registry into variants, through one registry object
// shared by the process. Keys are opened, never created, and closed again before returning.
#include <span>
#include <string>
#include <string_view>

#include "platform/os/registry_store.h"
#include "platform/rtl/variant.h"

// Opens the keys of `path` one below the other under `root`. False (a boolean variant) when one is
// missing; otherwise an array [0..1, 0..High(names)]: for a string value [0, I] := the text and
// [1, I] := it is not empty; for an integer [0, I] := the number and [1, I] := True; other or
// missing values leave both Empty; a read that fails sets [1, I] := False.
Variant RegReadValues(HKEY root, std::span<const std::string> path, std::span<const std::string> names);
Variant RegReadUserValues(std::span<const std::string> path, std::span<const std::string> names);
// The sub-key names as an array of strings [0..Count-1]; False when a key is missing or has none.
Variant RegGetSubKeyNames(HKEY root, std::span<const std::string> path);
Variant RegGetUserSubKeyNames(std::span<const std::string> path);
// Under HKEY_CURRENT_USER: the first sub-key of keyPath ("\" separated) whose string value
// valueName equals value exactly; "" when none or when keyPath has no sub-keys.
std::string RegFindUserSubKeyByValue(std::string_view keyPath, std::string_view valueName,
                                     std::string_view value);
