#include "designer/FormSize.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

#include "platform/Dialogs.h"
#include "platform/OnlyCopy.h"
#include "platform/VbNumbers.h"
#include "store/CanvasSizing.h"
#include "store/MainForm.h"

namespace bw {

bool BillSizeAccepted(double w, double h) {
    if (!(w > 0) || !(h > 0)) return false;
    return 20 * w >= h && w <= 20 * h;
}

bool ApplyBillSize(double w, double h) {
    MainForm& mf = MF();
    if (w == mf.PaperWidthMm() && h == mf.PaperHeightMm()) return false;
    mf.Wid->setText(NumText(w));
    mf.Hie->setText(NumText(h));
    SizeCanvasToFormat(w, h);
    ReloadBoxesKeepingValues(true);
    return true;
}

FormSize::FormSize(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FormSize"));
    setWindowTitle(QStringLiteral("修改单据尺寸"));
    auto* grid = new QGridLayout(this);
    TX = new QLineEdit(this);
    TX->setObjectName(QStringLiteral("TX"));
    TY = new QLineEdit(this);
    TY->setObjectName(QStringLiteral("TY"));
    grid->addWidget(new QLabel(QStringLiteral("单据宽度："), this), 0, 0);
    grid->addWidget(TX, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("毫米"), this), 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("单据高度："), this), 1, 0);
    grid->addWidget(TY, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("毫米"), this), 1, 2);
    const char* captions[2] = {"确  定", "取  消"};
    for (int i = 0; i < 2; ++i) {
        COM[i] = new QPushButton(QString::fromUtf8(captions[i]), this);
        COM[i]->setObjectName(QStringLiteral("COM%1").arg(i));
        connect(COM[i], &QPushButton::clicked, this, [this, i] { COM_Click(i); });
        grid->addWidget(COM[i], 2, i == 0 ? 1 : 2);
    }
    MainForm& mf = MF();
    TX->setText(mf.Wid->text());
    TY->setText(mf.Hie->text());
}

void FormSize::COM_Click(int index) {
    if (index == 0) {
        const double w = Val(TX->text()), h = Val(TY->text());
        if (!BillSizeAccepted(w, h)) {
            dlg::MsgBox(QStringLiteral("单据的宽度与高度比例应为1：20到20：1之间！"));
            return;
        }
        ApplyBillSize(w, h);
    }
    close();
}

FormSize* ShowFormSize() {
    static QPointer<FormSize> dialog;
    return ShowOnlyCopy(dialog, [] { return new FormSize(dlg::DialogParent()); });
}

}  // namespace bw
