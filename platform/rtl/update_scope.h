#pragma once
// An update bracket: BeginUpdate now and EndUpdate when the returned scope ends, for collections,
// string lists and anything else with the pair. The end may send the deferred change, which may raise.
#include "platform/rtl/scope_exit.h"

template <class Target>
[[nodiscard]] auto UpdateScope(Target& target) {
    target.BeginUpdate();
    return TScopeExit([&target] { target.EndUpdate(); });
}
