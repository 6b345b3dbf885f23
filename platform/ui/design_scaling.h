#pragma once
// Forms laid out for a screen of another resolution: their controls' rectangles and fonts are
// scaled so that they take the same room in inches on this screen.
class TWinControl;

// value at designedPixelsPerInch in this screen's pixels (rounded).
int ScaleFromDesign(int value, int designedPixelsPerInch);
// Scales root's client size, every control's rectangle and every font a control keeps of its own
// (root's too) from designedPixelsPerInch to this screen's; root's position stays.
void ScaleControlsFromDesign(TWinControl& root, int designedPixelsPerInch);
