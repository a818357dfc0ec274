#pragma once
// The dialog "小数舍入方法": how decimals beyond the second are cut for the whole program.
// It opens on the program's method and stores the choice in the method and in the
// parameter "NumCutMethod".

#include <QDialog>
#include <array>

class QRadioButton;
class QPushButton;

namespace bw {

class SetNumCutMethod : public QDialog {
    Q_OBJECT
public:
    explicit SetNumCutMethod(QWidget* parent = nullptr);

    // Shows the one dialog of the program without blocking; it closes itself on "确   定".
    static SetNumCutMethod* Show(QWidget* parent = nullptr);

    QRadioButton* OP(int i) const { return op_.at(i); }
    QPushButton* COM() const { return com_; }

private:
    void COM_Click();

    std::array<QRadioButton*, 3> op_{};
    QPushButton* com_ = nullptr;
};

}  // namespace bw
