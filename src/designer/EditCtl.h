#pragma once
// The box-properties editor "添加/修改控件" of a text box: its caption and the caption's side,
// position and size in millimetres, character and line spacing, alignment, data type with its
// cell or digit count and the format's custom values, font and colour, the two related boxes
// and the two sum or product targets. OK writes what the user changed into the box's row and
// into the row of every selected text box, shows each row on its box and converts each box's
// text again by its data type.

#include <array>

#include "designer/PropertyDialog.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QRadioButton;

namespace bw {

class EditCtl : public PropertyDialog {
    Q_OBJECT
public:
    explicit EditCtl(QWidget* parent = nullptr);

    std::array<QRadioButton*, 3> OpA{};  // 居左, 居右, 居中
    QComboBox* CMB;                      // the data type
    QLabel* LCode;                       // the count field's caption
    QLineEdit* CashNum;                  // the cell or digit count, or the code itself
    std::array<QComboBox*, 2> RCtl{};    // the related boxes
    std::array<QRadioButton*, 4> Op2{};  // 相同, 相关 of RCtl(0); the same of RCtl(1)
    QComboBox* CSUM;                     // the first sum or product target
    QComboBox* CSUM1;                    // the second
    std::array<QRadioButton*, 4> Op1{};  // 累加, 累乘 of CSUM; the same of CSUM1
    std::array<QCheckBox*, 2> Chk{};     // 取负 of CSUM and CSUM1

    // Shows the format's custom values in the type list.
    void LoadUserFormat();
    // The alignment options are enabled unless the chosen type prints in cells (011, 311) or as
    // capital digits (114, 121).
    void SetAlignOp();

protected:
    void LoadRow(int row) override;
    void WriteRow(Grid& grid, int row) override;
    void AfterApply(BoxControl* box) override;
    void Unloading() override;

private:
    // The caption, count field and spacings for a stored data type.
    void ShowCashMeaning(double cash);
    // The list of the boxes a link may point at, showing the one with the record ID |link|.
    void FillRelatedBoxList(double link, QComboBox* list);
    // The link options are enabled exactly when their list points at a box.
    void EnableLinkOptions();
    void CMB_Click();
    void CustomValue_Click();
    QComboBox* NewLinkList(const QString& name);
};

// The entry of a box in the link lists: its record ID with at least six digits, "｜" and its
// caption.
QString RelatedBoxEntry(double id, const QString& caption);

}  // namespace bw
