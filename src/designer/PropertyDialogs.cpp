#include "designer/PropertyDialogs.h"

#include <QPointer>

#include "designer/EditCtl.h"
#include "designer/ProChk.h"
#include "designer/ProLBL.h"
#include "designer/ProLine.h"
#include "designer/ProPic.h"
#include "platform/Dialogs.h"
#include "store/BoxControl.h"

namespace bw {

namespace {

QPointer<PropertyDialog> dialogs[5];

PropertyDialog* create(int kind) {
    QWidget* parent = dlg::DialogParent();
    switch (kind) {
        case kTextBox:
            return new EditCtl(parent);
        case kCheckBox:
            return new ProChk(parent);
        case kPictureBox:
            return new ProPic(parent);
        case kLine:
            return new ProLine(parent);
        case kLabel:
            return new ProLBL(parent);
        default:
            return nullptr;
    }
}

}  // namespace

void ShowPropertyDialog(BoxControl* box) {
    if (!box) return;
    const int kind = box->Kind();
    if (kind < 0 || kind > 4) return;
    if (!dialogs[kind] || dialogs[kind]->Unloaded()) {
        dialogs[kind] = create(kind);
        if (!dialogs[kind]) return;
    }
    PropertyDialog* d = dialogs[kind];
    d->show();
    d->raise();
    d->Open(box);
}

PropertyDialog* OpenPropertyDialog(int kind) {
    if (kind < 0 || kind > 4 || !dialogs[kind] || dialogs[kind]->Unloaded()) return nullptr;
    return dialogs[kind];
}

}  // namespace bw
