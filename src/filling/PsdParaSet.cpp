#include "filling/PsdParaSet.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

#include "platform/Dialogs.h"
#include "platform/OnlyCopy.h"
#include "platform/VbNumbers.h"
#include "store/PsdPara.h"

namespace bw {

namespace {
const QString kCrLf = QStringLiteral("\r\n");

// A count typed into the dialog: a whole number of 0 to 32767; false for anything else.
bool readCount(const QString& text, std::int16_t& out) {
    const QString t = text.trimmed();
    if (!IsNumeric(t)) return false;
    const double v = Val(t);
    if (v < 0 || v > 32767) return false;
    out = CInt(v);
    return true;
}
}  // namespace

PsdParaSet::PsdParaSet(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("密码区参数设置"));
    auto* grid = new QGridLayout(this);
    const char16_t* captions[] = {u"密码区字符范围：", u"每段字符数：", u"共几段：", u"段间隔符："};
    for (int i = 0; i < 4; ++i) {
        grid->addWidget(new QLabel(QString::fromUtf16(captions[i]), this), i, 0);
        t_[i] = new QLineEdit(this);
        grid->addWidget(t_[i], i, 1);
    }
    chk_ = new QCheckBox(QStringLiteral("换行符"), this);
    grid->addWidget(chk_, 3, 2);
    auto* buttons = new QHBoxLayout;
    com_[0] = new QPushButton(QStringLiteral("确   定"), this);
    com_[1] = new QPushButton(QStringLiteral("取   消"), this);
    com_[0]->setDefault(true);
    buttons->addWidget(com_[0]);
    buttons->addWidget(com_[1]);
    grid->addLayout(buttons, 4, 0, 1, 3);

    const PsdPara& p = CurrentPsdPara();
    t_[0]->setText(p.charset);
    t_[1]->setText(QString::number(p.perSegment));
    t_[2]->setText(QString::number(p.segments));
    t_[3]->setText(p.separator);
    if (p.separator == kCrLf) {
        chk_->setChecked(true);
        t_[3]->setEnabled(false);
    }
    connect(chk_, &QCheckBox::clicked, this, [this] { Chk_Click(); });
    connect(com_[0], &QPushButton::clicked, this, [this] { COM_Click(0); });
    connect(com_[1], &QPushButton::clicked, this, [this] { COM_Click(1); });
}

void PsdParaSet::Chk_Click() {
    t_[3]->setEnabled(!chk_->isChecked());
    if (chk_->isChecked()) t_[3]->setText(kCrLf);
}

void PsdParaSet::COM_Click(int index) {
    if (index == 0) {
        PsdPara p = CurrentPsdPara();
        if (!readCount(t_[1]->text(), p.perSegment) || !readCount(t_[2]->text(), p.segments)) {
            dlg::MsgBox(QStringLiteral("每段字符数和段数须为0至32767之间的整数！"),
                        dlg::Exclamation);
            return;
        }
        p.charset = t_[0]->text();
        p.separator = chk_->isChecked() ? kCrLf : t_[3]->text();
        CurrentPsdPara() = p;
    }
    close();
}

PsdParaSet* PsdParaSet::Show(QWidget* parent) {
    static QPointer<PsdParaSet> dialog;
    return ShowOnlyCopy(dialog, [&] { return new PsdParaSet(parent); });
}

}  // namespace bw
