#pragma once
// How text sits in its box; labels, panels and data fields share it.
enum TAlignment { taLeftJustify, taRightJustify, taCenter };
