#include "filling/SetNumCutMethod.h"

#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "common/Database.h"
#include "common/Globals.h"
#include "common/Params.h"
#include "platform/Dialogs.h"
#include "platform/OnlyCopy.h"

namespace bw {

SetNumCutMethod::SetNumCutMethod(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("小数舍入方法"));
    auto* layout = new QVBoxLayout(this);
    const char16_t* captions[] = {u"舍去多余小数", u"四舍五入", u"有小数加整"};
    for (int i = 0; i < 3; ++i) {
        op_[i] = new QRadioButton(QString::fromUtf16(captions[i]), this);
        op_[i]->setChecked(i == NumCutMethod);
        layout->addWidget(op_[i]);
    }
    com_ = new QPushButton(QStringLiteral("确   定"), this);
    com_->setDefault(true);
    layout->addWidget(com_, 0, Qt::AlignHCenter);
    connect(com_, &QPushButton::clicked, this, [this] { COM_Click(); });
    setFixedSize(sizeHint().expandedTo(QSize(220, 0)));
}

void SetNumCutMethod::COM_Click() {
    for (int i = 0; i < 3; ++i) {
        if (!op_[i]->isChecked()) continue;
        NumCutMethod = i;
        if (!SetParam(QStringLiteral("NumCutMethod"), QString::number(i)))
            dlg::MsgBox(QStringLiteral("舍入方式没有保存（") + LastDatabaseError() +
                            QStringLiteral("），下次启动时仍用原来的方式！"),
                        dlg::OkOnly | dlg::Exclamation);
    }
    close();
}

SetNumCutMethod* SetNumCutMethod::Show(QWidget* parent) {
    static QPointer<SetNumCutMethod> dialog;
    return ShowOnlyCopy(dialog, [&] { return new SetNumCutMethod(parent); });
}

}  // namespace bw
