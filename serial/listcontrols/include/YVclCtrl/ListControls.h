#pragma once
// Makes the list controls placeable in form resources: TYListBox,
// TYDriveComboBox, TYDirectoryListBox and TYFileListBox. A program calls it
// before it creates its first form.

namespace YVclCtrl {

void RegisterListControls();

} // namespace YVclCtrl
