#include "printing/Calibration.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>

#include "common/Common.h"
#include "common/Globals.h"
#include "platform/Dialogs.h"
#include "platform/Printer.h"
#include "platform/VbNumbers.h"
#include "printing/PrintRequests.h"
#include "store/MainForm.h"

namespace bw {

namespace {

QPointer<Margin>& current() {
    static QPointer<Margin> m;
    return m;
}

// The sheet corner with the black square and the two distances to measure.
QPixmap SquarePicture() {
    QPixmap pix(120, 120);
    pix.fill(Qt::white);
    QPainter p(&pix);
    p.setPen(QPen(Qt::gray, 1));
    p.drawLine(10, 10, 110, 10);
    p.drawLine(10, 10, 10, 110);
    p.fillRect(50, 50, 40, 40, Qt::black);
    p.setPen(QPen(Qt::darkRed, 1, Qt::DashLine));
    p.drawLine(10, 70, 50, 70);
    p.drawLine(70, 10, 70, 50);
    return pix;
}

}  // namespace

void PrintCalibrationPage() {
    if (!ChoosePrinter(false).isEmpty()) DrawCalibrationPattern();
    ShowMargin();
}

bool DrawCalibrationPattern() {
    if (ChosenItem.isEmpty()) return false;
    if (dlg::MsgBox(
            QStringLiteral("您是否需要打印校验图形？如果要打印，请在打印机中放好A4纸一张。"),
            dlg::YesNo, QStringLiteral("校验图形打印")) != dlg::Yes)
        return false;
    Printer& printer = CurrentPrinter();
    printer.SetDocName(QStringLiteral("校验图形"));
    printer.SetOrientation(kPortrait);
    printer.SetPageSize(QPageSize(QPageSize::A4));
    if (!printer.StartDoc()) return false;
    printer.SetScaleMode(ScaleUnit::Millimeters);
    // No offsets: the square shows where the printer puts 10 mm from its origin.
    printer.FilledBox(10, 10, 20, 20, QColor(0, 0, 0));
    return printer.FinishDoc();
}

Margin::Margin(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("输入打印页边距"));
    auto* intro = new QLabel(
        QStringLiteral(
            "请在下列输入框中填入打印内容需要移动的距离，如需向反方向移动，请填写负数。"),
        this);
    intro->setWordWrap(true);
    auto* hint = new QLabel(QStringLiteral("【通常情况下，只需打印出如右图的校准黑块，量出横向边距"
                                           "和纵向边距填入输入框即可，数字可填写小数】"),
                            this);
    hint->setWordWrap(true);
    TX = new QLineEdit(this);
    TX->setToolTip(QStringLiteral("横向打印页边距。"));
    TY = new QLineEdit(this);
    TY->setToolTip(QStringLiteral("纵向打印页边距。"));
    Sample = new QLabel(this);
    Sample->setPixmap(SquarePicture());
    Comm[0] = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton),
                              QStringLiteral("确定"), this);
    Comm[1] = new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton),
                              QStringLiteral("取消"), this);
    Comm[0]->setDefault(true);

    auto* rows = new QGridLayout;
    rows->addWidget(new QLabel(QStringLiteral("向左移"), this), 0, 0);
    rows->addWidget(TX, 0, 1);
    rows->addWidget(new QLabel(QStringLiteral("毫米（横向边距）"), this), 0, 2);
    rows->addWidget(new QLabel(QStringLiteral("向上移"), this), 1, 0);
    rows->addWidget(TY, 1, 1);
    rows->addWidget(new QLabel(QStringLiteral("毫米（纵向边距）"), this), 1, 2);
    auto* left = new QVBoxLayout;
    left->addWidget(intro);
    left->addWidget(hint);
    left->addLayout(rows);
    left->addStretch(1);
    auto* top = new QHBoxLayout;
    top->addLayout(left, 1);
    top->addWidget(Sample, 0, Qt::AlignTop);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Comm[0]);
    buttons->addWidget(Comm[1]);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);
    setMinimumWidth(460);

    connect(Comm[0], &QPushButton::clicked, this, [this] { Comm_Click(0); });
    connect(Comm[1], &QPushButton::clicked, this, [this] { Comm_Click(1); });
    current() = this;
}

Margin::~Margin() = default;

Margin* Margin::Current() {
    return current();
}

void Margin::Form_Load() {
    SetTopmost(this);
    MainForm& mf = MF();
    TX->setText(mf.M_X->text());
    TY->setText(mf.M_Y->text());
    adjustSize();
    if (QScreen* s = screen()) move(s->availableGeometry().center() - rect().center());
}

std::optional<double> OffsetFromText(const QString& text) {
    static const QRegularExpression number(QStringLiteral("^[+-]?(\\d+(\\.\\d*)?|\\.\\d+)$"));
    const QString t = text.trimmed();
    if (!number.match(t).hasMatch()) return std::nullopt;
    return Val(t);
}

void Margin::Comm_Click(int index) {
    if (index != 0) {
        done(Rejected);
        return;
    }
    // A text that is not a number would shift every print by 10 mm: it is refused and the
    // dialog stays open with the old offsets in force.
    const std::optional<double> x = OffsetFromText(TX->text());
    const std::optional<double> y = OffsetFromText(TY->text());
    if (!x || !y) {
        QLineEdit* wrong = x ? TY : TX;
        dlg::MsgBox((x ? QStringLiteral("纵向边距") : QStringLiteral("横向边距")) +
                        QStringLiteral("“") + wrong->text() +
                        QStringLiteral("”不是数字，请填写毫米数（可以是小数或负数）。"),
                    dlg::OkOnly | dlg::Exclamation);
        wrong->setFocus();
        wrong->selectAll();
        return;
    }
    MainForm& mf = MF();
    mf.M_X->setText(NumText(*x));
    mf.M_Y->setText(NumText(*y));
    done(Accepted);
}

Margin* ShowMargin() {
    Margin* m = Margin::Current();
    if (!m) {
        m = new Margin(dlg::DialogParent());
        m->setAttribute(Qt::WA_DeleteOnClose);
    }
    m->Form_Load();
    m->show();
    m->raise();
    m->activateWindow();
    return m;
}

}  // namespace bw
