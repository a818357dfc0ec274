#include "barcode/StrCodeStand.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "barcode/BarcodeStandard.h"

namespace bw {

namespace {

QPointer<StrCodeStand>& Instance() {
    static QPointer<StrCodeStand> instance;
    return instance;
}

}  // namespace

StrCodeStand::StrCodeStand(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("条码编码标准设置"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    auto* layout = new QVBoxLayout(this);
    auto* group = new QButtonGroup(this);
    const QString captions[3] = {QStringLiteral(" 39码"), QStringLiteral(" EAN-13码"),
                                 QStringLiteral(" 二维码")};
    for (int i = 0; i < 3; ++i) {
        op_[i] = new QRadioButton(captions[i], this);
        op_[i]->setObjectName(QStringLiteral("OP%1").arg(i));
        group->addButton(op_[i], i);
        layout->addWidget(op_[i]);
    }
    command1_ = new QPushButton(QStringLiteral("确     定"), this);
    command1_->setObjectName(QStringLiteral("Command1"));
    command1_->setDefault(true);
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(command1_);
    row->addStretch();
    layout->addLayout(row);
    connect(command1_, &QPushButton::clicked, this, &StrCodeStand::Command1_Click);
    Form_Load();
}

void StrCodeStand::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    Form_Load();
}

// Ticks the option of the current standard; a standard outside the three ticks none.
void StrCodeStand::Form_Load() {
    const int standard = BarcodeStandard();
    if (standard >= 0 && standard < 3) op_[standard]->setChecked(true);
}

void StrCodeStand::Command1_Click() {
    for (int i = 0; i < 3; ++i)
        if (op_[i]->isChecked()) {
            BarcodeStandard() = i;
            break;
        }
    Q_EMIT StandardChanged();
    close();
}

StrCodeStand* StrCodeStand::Show(QWidget* parent) {
    QPointer<StrCodeStand>& instance = Instance();
    if (!instance) instance = new StrCodeStand(parent);
    instance->show();
    instance->raise();
    instance->activateWindow();
    return instance;
}

StrCodeStand* StrCodeStand::Current() {
    return Instance();
}

}  // namespace bw
