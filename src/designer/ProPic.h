#pragma once
// The picture-box properties dialog "添加/修改图像框": the caption text and its side, the
// position and size in millimetres and the caption font of a picture box. A box whose size
// changed draws its picture or barcode again at the new size.

#include "designer/PropertyDialog.h"

namespace bw {

class ProPic : public PropertyDialog {
    Q_OBJECT
public:
    explicit ProPic(QWidget* parent = nullptr);

    // Writes the changed groups into the rows of the box and of every selected picture box.
    void SavePicProps() { SaveAndClose(); }

protected:
    void LoadRow(int row) override;
    void WriteRow(Grid& grid, int row) override;
    void AfterApply(BoxControl* box) override;
};

}  // namespace bw
