#pragma once
// A check box on the canvas with the three values 0 clear, 1 ticked, 2 greyed.

#include <QCheckBox>

#include "store/BoxControl.h"

namespace bw {

class CheckBox : public QCheckBox, public BoxControl {
    Q_OBJECT
public:
    explicit CheckBox(QWidget* parent = nullptr);

    BoxKind Kind() const override { return kCheckBox; }
    QWidget* Widget() override { return this; }

    int Value() const;
    void SetValue(int v);
    // 1 three-dimensional (normal), 0 flat (the designer's selection look).
    int Appearance() const { return appearance_; }
    void SetAppearance(int a);

protected:
    void ApplyForeColor() override;
    void paintEvent(QPaintEvent* e) override;
    void nextCheckState() override;

private:
    int appearance_ = 1;
};

}  // namespace bw
