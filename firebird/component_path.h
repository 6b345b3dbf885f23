#pragma once
// The dotted path of a component through its owners, used in error texts.
#include <string>

class TComponent;

// The non-empty names of c and its owners joined by ".", outermost owner first; "" for nullptr.
std::string ComponentPath(const TComponent* c);
