#pragma once
// MulDiv: value * numerator / denominator in 64-bit, rounded to the nearest with halves away from
// zero; -1 for a zero denominator, as the platform's.
int MulDiv(int value, int numerator, int denominator);
