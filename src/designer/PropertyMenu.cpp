#include "designer/PropertyMenu.h"

#include "designer/CanvasMenus.h"
#include "designer/PropertyDialogs.h"

namespace bw {

void mCtlset_Click() {
    ShowPropertyDialog(Menus().MenuTarget);
}

}  // namespace bw
