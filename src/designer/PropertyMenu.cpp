#include "designer/PropertyMenu.h"

#include "designer/CanvasMenus.h"

// The property dialogs are built beside the menus; until they are, the item stays disabled.
#if __has_include("designer/PropertyDialogs.h")
#include "designer/PropertyDialogs.h"
#define BW_PROPERTY_DIALOGS 1
#else
#define BW_PROPERTY_DIALOGS 0
#endif

namespace bw {

void mCtlset_Click() {
#if BW_PROPERTY_DIALOGS
    if (BoxControl* box = Menus().MenuTarget) ShowPropertyDialog(box);
#endif
}

bool PropertyDialogsBuilt() {
    return BW_PROPERTY_DIALOGS;
}

}  // namespace bw
