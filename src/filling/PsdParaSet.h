#pragma once
// The dialog "密码区参数设置": the password-zone settings of the open format (the characters
// the codes are drawn from, the characters per segment, the number of segments and the
// separator between segments). The settings change at once; they reach the database when
// the format is saved.

#include <QDialog>
#include <array>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace bw {

class PsdParaSet : public QDialog {
    Q_OBJECT
public:
    explicit PsdParaSet(QWidget* parent = nullptr);

    // Shows the one dialog of the program without blocking.
    static PsdParaSet* Show(QWidget* parent = nullptr);

    QLineEdit* T(int i) const { return t_.at(i); }
    QCheckBox* Chk() const { return chk_; }
    QPushButton* COM(int i) const { return com_.at(i); }

private:
    void Chk_Click();
    void COM_Click(int index);

    std::array<QLineEdit*, 4> t_{};
    QCheckBox* chk_ = nullptr;
    std::array<QPushButton*, 2> com_{};
};

}  // namespace bw
