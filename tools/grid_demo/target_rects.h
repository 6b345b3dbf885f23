#pragma once
// The test option's writer: the screen rectangles of the demo's named targets, written to a file
// whenever they change, so that a driver clicks where the program draws. One target a line, its
// name's words, then "x y width height" in screen pixels:
//   state edit                   the visits' state: browse, edit, insert or other (no rectangle)
//   rows 5 3 7 1                 the visits shown, top to bottom (no rectangle)
//   title AMOUNT x y w h         a column's title, by field name
//   filter ROOM x y w h          a column's filter cell
//   cell 7 AMOUNT x y w h<TAB>text   a shown visit's cell, with the text the grid shows in it
//   button x y w h               the grid editor's button, while it shows one
//   day 2024-03-20 x y w h       a day of the grid editor's calendar, while it is dropped down
//   list x y w h                 the grid editor's drop-down grid, while it is dropped down
//   grip x y w h                 that drop-down's size grip
//   control NOTE x y w h         a control below the grid: NOTE, ROOM, PAID, VISIT_DATE, EXPORT, CLOSE
// The file is replaced at once (written beside, then renamed).
#include <string>

#include "platform/rtl/timer.h"

namespace grid_demo {

class TGridDemoForm;

// The demo's targets as the writer writes them.
std::string TargetRectsText(TGridDemoForm& form);

class TTargetRectWriter {
  public:
    TTargetRectWriter(TGridDemoForm& form, std::string path);
    // Writes the targets when they differ from the last written.
    void Refresh();

  private:
    TGridDemoForm& form_;
    std::string path_;
    std::string written_;
    TObjectPtr<TTimer> timer_;
};

}  // namespace grid_demo
