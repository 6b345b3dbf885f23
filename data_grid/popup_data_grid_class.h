#pragma once
// Makes the pop-up data grid the columns' drop-down grid class: each column's DropDownGrid is then
// a TPopupDataGridEh named "DataList". The grid unit registers it as it starts and takes it back as
// it shuts down.
void RegisterPopupDataGridClass();
// Takes the class back, so columns make no drop-down grids; the unit calls it as it shuts down.
void UnregisterPopupDataGridClass();
