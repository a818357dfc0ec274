#pragma once
// The bill-size dialog "修改单据尺寸": the paper width and height of the open format in
// millimetres. A new size gives the canvas the new proportions and rebuilds the boxes at
// their millimetre places, each keeping what it holds.

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace bw {

// True for a size the dialog accepts: both sides above 0 and width : height between 1 : 20
// and 20 : 1, ends included.
bool BillSizeAccepted(double widthMm, double heightMm);

// Makes (w, h) the open format's paper size when it differs from the present one: the labels
// Wid and Hie, the canvas and the boxes (their texts, ticks and pictures kept). False when
// nothing changed.
bool ApplyBillSize(double widthMm, double heightMm);

class FormSize : public QDialog {
    Q_OBJECT
public:
    explicit FormSize(QWidget* parent = nullptr);

    QLineEdit* TX;  // width, mm
    QLineEdit* TY;  // height, mm
    QPushButton* COM[2];

    // 0 confirms (a refused size shows the ratio message and the dialog stays), 1 closes.
    void COM_Click(int index);
};

// Shows the dialog without blocking, filled with the present size (one at a time).
FormSize* ShowFormSize();

}  // namespace bw
