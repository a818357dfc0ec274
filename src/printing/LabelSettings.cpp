#include "printing/LabelSettings.h"

#include <QApplication>
#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

#include "common/Indicator.h"
#include "common/Params.h"
#include "common/TwipGeometry.h"
#include "platform/Dialogs.h"
#include "platform/PictureWidget.h"
#include "platform/Printer.h"
#include "platform/VbNumbers.h"
#include "printing/LabelCells.h"
#include "printing/LabelPreview.h"
#include "printing/LabelPrint.h"
#include "printing/PrintRequests.h"
#include "store/MainForm.h"

namespace bw {

namespace {

int lastPage = 0;

QString Key(int index) {
    return QStringLiteral("Index") + QString::number(index);
}

void ShowIndicator() {
    MainForm& mf = MF();
    if (mf.PPS && mf.HS1) mf.PPS->setText(LabelPageIndicator(mf.HS1->value(), lastPage));
}

// The printer's own reason (a PDF file names the file and the cause) or no connection, and
// where the printing stopped.
void TellJobFailed(const Printer& printer, const QString& stoppedAt) {
    QString text = printer.LastError();
    if (text.isEmpty())
        text = QStringLiteral("没有正常连接打印机“") + printer.DeviceName() + QStringLiteral("”");
    if (!stoppedAt.isEmpty()) text += QStringLiteral("，") + stoppedAt;
    text += printer.IsPdfFile() ? QStringLiteral("，标签都没有打印！")
                                : QStringLiteral("，标签没有打印完！");
    dlg::MsgBox(text, dlg::OkOnly | dlg::Exclamation);
}

}  // namespace

QString LabelPageIndicator(int page, int last) {
    return QString::number(page + 1) + QLatin1Char('/') + QString::number(last + 1);
}

int LabelLastPage() {
    return lastPage;
}

void TNum_Change(int index) {
    MainForm& mf = MF();
    if (index < 0 || index > 4 || !mf.TNum[index] || !mf.TNum[index]->isEnabled()) return;
    if ((index == 0 || index == 1) && mf.HS1 && mf.TNum[0] && mf.TNum[1]) {
        const long long perPage = LabelsPerPage(Val(mf.TNum[1]->text()), Val(mf.TNum[0]->text()));
        lastPage = LastLabelPage(mf.R_Num[0] ? Val(mf.R_Num[0]->text()) : 0, perPage);
        mf.HS1->setEnabled(false);
        // The bar holds no range below 0: without labels it stays at 0 and the indicator
        // tells the empty count.
        mf.HS1->setRange(0, std::max(0, lastPage));
        mf.HS1->setValue(0);
        ShowIndicator();
        if (lastPage >= 1) mf.HS1->setEnabled(true);
        RedrawLabelPreview();
    } else if (index == 3 || index == 4) {
        SizeLabelPreview();
    }
    SaveRegValue(kLabelSettingsApp, kLabelSettingsSection, Key(index), mf.TNum[index]->text());
}

void CK_Click(int) {
    const auto it = MF().CK.find(6);
    if (it == MF().CK.end() || !it->second) return;
    SetParam(kLabelLinesParam, it->second->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
    RedrawLabelPreview();
}

void TagDir_Click() {
    SizeLabelPreview();
}

void HS1_Change() {
    MainForm& mf = MF();
    if (!mf.HS1) return;
    if (mf.HS1->isEnabled()) RedrawLabelPreview();
    ShowIndicator();
}

void VS1_Change() {
    MainForm& mf = MF();
    if (!mf.PTag || !mf.LFrm || !mf.VS1) return;
    SetTwTop(mf.PTag, -((TwHeight(mf.PTag) - TwHeight(mf.LFrm)) / 5) * mf.VS1->value());
}

void CB_Click(int index) {
    MainForm& mf = MF();
    if ((index != 14 && index != 15) || !mf.HS1) return;
    if (ChoosePrinter(true).isEmpty()) return;
    Printer& printer = CurrentPrinter();
    printer.SetDocName(mf.CurrentFormat());
    QString stoppedAt;
    if (index == 14) {
        if (!PrintLabelPage(printer, mf.HS1->value(), &stoppedAt))
            TellJobFailed(printer, stoppedAt);
        return;
    }
    // Without labels there is no page to print.
    const int first = mf.HS1->value(), last = lastPage < 0 ? -1 : mf.HS1->maximum();
    // The clerk may stop the pages from the progress window: after the page being printed.
    if (last >= first)
        ShowProgress(QStringLiteral("正在打印标签……"), last - first + 1, 0, Stoppable::Yes);
    long long stoppedAfter = -1;
    const bool printed = PrintLabelPages(
        printer, first, last,
        [first, &stoppedAfter](long long page) {
            if (page > first) {
                UpdateProgress(1, QStringLiteral("pages"));
                if (ProgressStopAsked()) {
                    stoppedAfter = page - 1;
                    return false;
                }
            }
            MF().HS1->setValue(int(page));
            QApplication::processEvents();
            return true;
        },
        &stoppedAt);
    if (!printed) {
        TellJobFailed(printer, stoppedAt);
    } else if (stoppedAfter >= 0) {
        // Pages as the clerk counts them, from 1.
        dlg::MsgBox(RunStoppedText(stoppedAfter + 1, stoppedAfter + 2, last + 1,
                                   QStringLiteral("页"), QStringLiteral("标签")) +
                        QStringLiteral("没有打印！此前的") +
                        QString::number(stoppedAfter - first + 1) +
                        QStringLiteral("页标签已经打印。"),
                    dlg::OkOnly | dlg::Exclamation);
    }
    if (last >= first) CloseProgress();
}

void LoadLabelSettings() {
    MainForm& mf = MF();
    const auto it = mf.CK.find(6);
    const QString lines = GetParam(kLabelLinesParam);
    if (it != mf.CK.end() && it->second && IsNumeric(lines)) {
        // Setting the box is no click: the parameter is not written back.
        const QSignalBlocker quiet(it->second);
        it->second->setChecked(CInt(Val(lines)) != 0);
    }
    for (int i = 0; i < 5; ++i) {
        QLineEdit* box = mf.TNum[i];
        if (!box) continue;
        box->setEnabled(false);
        const QString text =
            GetRegValue(kLabelSettingsApp, kLabelSettingsSection, Key(i), box->text());
        if (!text.isEmpty()) box->setText(text);
        box->setEnabled(true);
    }
    TNum_Change(0);
}

void ConnectLabelPage() {
    MainForm& mf = MF();
    for (int i = 0; i < 5; ++i) {
        if (mf.TNum[i])
            QObject::connect(mf.TNum[i], &QLineEdit::textChanged, &mf, [i] { TNum_Change(i); });
    }
    for (const auto& [i, box] : mf.CK) {
        if (box) QObject::connect(box, &QCheckBox::clicked, &mf, [i = i] { CK_Click(i); });
    }
    if (mf.TagDir) QObject::connect(mf.TagDir, &QCheckBox::clicked, &mf, [] { TagDir_Click(); });
    if (mf.HS1) QObject::connect(mf.HS1, &QScrollBar::valueChanged, &mf, [] { HS1_Change(); });
    if (mf.VS1) QObject::connect(mf.VS1, &QScrollBar::valueChanged, &mf, [] { VS1_Change(); });
    for (const auto& [i, button] : mf.CB) {
        if (button) QObject::connect(button, &QPushButton::clicked, &mf, [i = i] { CB_Click(i); });
    }
}

}  // namespace bw
