#include "YVclCtrl/ListControls.h"

#include "YVclCtrl/Tydirectorylistbox.h"
#include "YVclCtrl/Tydrivecombobox.h"
#include "YVclCtrl/Tyfilelistbox.h"
#include "YVclCtrl/Tylistbox.h"
#include "vcl/ComponentRegistry.h"

namespace YVclCtrl {

void RegisterListControls()
{
    RegisterComponentClass<TYListBox>("TYListBox");
    RegisterComponentClass<TYDriveComboBox>("TYDriveComboBox");
    RegisterComponentClass<TYDirectoryListBox>("TYDirectoryListBox");
    RegisterComponentClass<TYFileListBox>("TYFileListBox");
}

} // namespace YVclCtrl
