#pragma once
// The barcode-standard dialog: three choices (Code 39, EAN-13, QR Code) and a confirm
// button. Shown without blocking; confirming sets BarcodeStandard and tells whoever showed
// it to redraw the barcodes.

#include <QDialog>

class QRadioButton;
class QPushButton;

namespace bw {

class StrCodeStand : public QDialog {
    Q_OBJECT
public:
    explicit StrCodeStand(QWidget* parent = nullptr);

    QRadioButton* OP(int index) const { return (index >= 0 && index < 3) ? op_[index] : nullptr; }
    QPushButton* Command1() const { return command1_; }

    // The one dialog, created on first use and shown without blocking.
    static StrCodeStand* Show(QWidget* parent = nullptr);
    static StrCodeStand* Current();

public slots:
    void Command1_Click();

Q_SIGNALS:
    // The standard was confirmed: whoever shows barcodes draws them again.
    void StandardChanged();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Form_Load();

    QRadioButton* op_[3] = {};
    QPushButton* command1_ = nullptr;
};

}  // namespace bw
