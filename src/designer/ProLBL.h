#pragma once
// The label-properties dialog "标签属性修改": the text of a label (several lines), its position
// and size in millimetres, character and line spacing, alignment, font and colour. The line
// spacing column holds the alignment in its thousands.

#include <array>

#include "designer/PropertyDialog.h"

class QPlainTextEdit;
class QRadioButton;

namespace bw {

class ProLBL : public PropertyDialog {
    Q_OBJECT
public:
    explicit ProLBL(QWidget* parent = nullptr);

    QPlainTextEdit* Content;             // the text, column LBL (line breaks kept)
    std::array<QRadioButton*, 3> OpA{};  // 居左, 居右, 居中

    // Writes the changed groups into the rows of the label and of every selected label.
    void SaveChang() { SaveAndClose(); }

protected:
    void LoadRow(int row) override;
    void WriteRow(Grid& grid, int row) override;
};

}  // namespace bw
