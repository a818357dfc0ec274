#pragma once
// The check-box properties dialog "修改可选框属性": the caption text and its side, the
// position in millimetres and the caption font of a check box.

#include "designer/PropertyDialog.h"

namespace bw {

class ProChk : public PropertyDialog {
    Q_OBJECT
public:
    explicit ProChk(QWidget* parent = nullptr);

    // Writes the changed groups into the rows of the box and of every selected check box.
    void SaveChkProps() { SaveAndClose(); }

protected:
    void LoadRow(int row) override;
    void WriteRow(Grid& grid, int row) override;
};

}  // namespace bw
