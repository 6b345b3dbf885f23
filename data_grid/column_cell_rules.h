#pragma once
// The editing test that IsEditable and StepValue share. A step writes without the in-place
// editor, so a blob field always needs its own OnSetText handler then.
class TColumnEh;

bool ColumnCellEditable(TColumnEh& Column, bool BeginEdit, bool Stepping);
