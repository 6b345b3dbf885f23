#pragma once
// Makes the pop-up data grid the columns' drop-down grid class: each column's DropDownGrid is then
// a TPopupDataGridEh named "DataList". The grid unit registers it as it starts.
void RegisterPopupDataGridClass();
