#include "printing/PrintRequests.h"

#include <QAction>
#include <QLabel>
#include <QScrollBar>

#include "common/Database.h"
#include "common/Globals.h"
#include "common/Indicator.h"
#include "platform/Dialogs.h"
#include "platform/Grid.h"
#include "platform/Printer.h"
#include "platform/ShowAndWait.h"
#include "platform/VbNumbers.h"
#include "printing/BillRefusal.h"
#include "printing/PrintEngine.h"
#include "printing/SelPrinter.h"
#include "printing/TextLayout.h"
#include "printing/TextOverflow.h"
#include "records/BatchRows.h"
#include "records/History.h"
#include "records/RecordBills.h"
#include "store/BoxAccessors.h"
#include "store/BoxControl.h"
#include "store/BoxModel.h"
#include "store/MainForm.h"

namespace bw {

namespace {

// The printer's own reason when it gave one (a PDF file that could not be written names the
// file and the cause), otherwise the printer is taken as not connected.
QString JobFailure(const Printer& printer) {
    if (!printer.LastError().isEmpty()) return printer.LastError();
    return QStringLiteral("没有正常连接打印机“") + printer.DeviceName() + QStringLiteral("”");
}

void TellJobFailed(const Printer& printer, bool saveHistory) {
    QString text = JobFailure(printer) + QStringLiteral("，单据没有打印");
    text += saveHistory ? QStringLiteral("，也没有记入历史记录！") : QStringLiteral("！");
    dlg::MsgBox(text, dlg::OkOnly | dlg::Exclamation);
}

}  // namespace

QString ChoosePrinter(bool withCopies) {
    auto* dialog = new SelPrinter(dlg::DialogParent());
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->Tag = kChoosePrinterMode;
    dialog->Form_Load();
    dialog->SetWithCopies(withCopies);
    ShowAndWait(dialog);
    return ChosenItem;
}

namespace {
enum class BillOutcome { NotPrinted, Printed, PrintedNotRecorded };
BillOutcome PrintOneBill(bool askPrinter, bool saveHistory);
}  // namespace

bool PrintBill(bool askPrinter, bool saveHistory) {
    return PrintOneBill(askPrinter, saveHistory) == BillOutcome::Printed;
}

namespace {

// Draws the open bill once per copy with a new page between the copies, and the millimetre
// grid over each when asked. False when the printer could not start a page.
bool RenderCopies(Printer& printer) {
    MainForm& mf = MF();
    const double offX = Val(mf.M_X->text()) - 10;
    const double offY = Val(mf.M_Y->text()) - 10;
    for (int copy = 1; copy <= PrintCopies; ++copy) {
        if (!RenderBill(printer, offX, offY)) return false;
        if (mf.mPrintRulers->isChecked()) PrintRulers();
        if (copy < PrintCopies) printer.NewPage();
    }
    return true;
}

BillOutcome PrintOneBill(bool askPrinter, bool saveHistory) {
    // An amount that is no number or lost digits would go out as a wrong bill: refuse it
    // before anything reaches the paper.
    const QString refused = BillRefusalMessage();
    if (!refused.isEmpty()) {
        dlg::MsgBox(refused, dlg::OkOnly | dlg::Exclamation);
        return BillOutcome::NotPrinted;
    }
    if (askPrinter) {
        // Text that would run over the next field is printed only when the clerk says so.
        OverflowQuestion question;
        if (!question.Allows(OverflowingTextBox(CurrentPrinter()))) return BillOutcome::NotPrinted;
        if (ChoosePrinter(true).isEmpty()) return BillOutcome::NotPrinted;
    }
    MainForm& mf = MF();
    Printer& printer = CurrentPrinter();
    if (askPrinter) printer.SetDocName(mf.CurrentFormat());
    if (!RenderCopies(printer)) {
        if (askPrinter) printer.KillDoc();
        TellJobFailed(printer, saveHistory);
        return BillOutcome::NotPrinted;
    }
    if (askPrinter) {
        if (!printer.FinishDoc()) {
            TellJobFailed(printer, saveHistory);
            return BillOutcome::NotPrinted;
        }
    } else {
        // The next bill of the batch begins on a fresh page; the batch ends the document.
        printer.NewPage();
    }
    if (saveHistory && SaveBillToHistory(mf.CurrentFormat()) <= 0) {
        // Printed, but not in the history: a batch says so once for all its bills.
        if (askPrinter)
            dlg::MsgBox(QStringLiteral("单据已经打印，但没有记入历史记录（") + LastDatabaseError() +
                            QStringLiteral("）！"),
                        dlg::OkOnly | dlg::Exclamation);
        return BillOutcome::PrintedNotRecorded;
    }
    return BillOutcome::Printed;
}

}  // namespace

QString RunStoppedText(long long at, long long first, long long last, const QString& measure,
                       const QString& noun) {
    QString text = QStringLiteral("本批打印停在第") + QString::number(at) + measure + noun +
                   QStringLiteral("，第") + QString::number(first);
    if (first < last)
        text += QStringLiteral("至第") + QString::number(last) + measure + noun +
                QStringLiteral("（共") + QString::number(last - first + 1) + measure +
                QStringLiteral("）");
    else
        text += measure + noun;
    return text;
}

namespace {

// Where a sequence of bills stopped, for the user: the cause, the bill, and what is left.
void TellSequenceStopped(const Printer& printer, const QString& cause, int bill, int count) {
    QString text = cause;
    if (bill > 0)
        text += QStringLiteral("，停在第") + QString::number(bill) + QStringLiteral("张单据");
    if (printer.IsPdfFile())
        text += QStringLiteral("，所选的") + QString::number(count) +
                QStringLiteral("张单据都没有打印！");
    else if (bill > 1)
        text += QStringLiteral("，此前的") + QString::number(bill - 1) +
                QStringLiteral("张单据已经打印！");
    else
        text += QStringLiteral("，单据没有打印！");
    dlg::MsgBox(text, dlg::OkOnly | dlg::Exclamation);
}

}  // namespace

bool PrintBillSequence(int count, const std::function<void(int)>& load) {
    Printer& printer = CurrentPrinter();
    PrintCommand command(printer);
    int stoppedAt = 0;
    for (int i = 0; i < count; ++i) {
        if (load) load(i);
        QString cause = BillRefusal();
        if (cause.isEmpty() && !(RenderCopies(printer) && printer.FinishDoc()))
            cause = JobFailure(printer);
        if (!cause.isEmpty()) {
            printer.KillDoc();
            TellSequenceStopped(printer, cause, i + 1, count);
            return false;
        }
        UpdateProgress(1, QStringLiteral("pages"));
        // Asked to stop: the bills printed so far go out.
        if (i + 1 < count && ProgressStopAsked()) {
            stoppedAt = i + 1;
            break;
        }
    }
    if (!command.End()) {
        TellSequenceStopped(printer, JobFailure(printer), printer.StoppedAtDocument(), count);
        return false;
    }
    if (stoppedAt == 0) return true;
    dlg::MsgBox(RunStoppedText(stoppedAt, stoppedAt + 1, count, QStringLiteral("张"),
                               QStringLiteral("单据")) +
                    QStringLiteral("没有打印！此前的") + QString::number(stoppedAt) +
                    QStringLiteral("张单据已经打印。"),
                dlg::OkOnly | dlg::Exclamation);
    return false;
}

bool OverflowAllowsBills(int count, const std::function<void(int)>& load) {
    const BillValues shown = BillValues::Take();
    Printer& printer = CurrentPrinter();
    QString box;
    int bill = 0;
    while (box.isEmpty() && bill < count) {
        if (load) load(bill);
        box = OverflowingTextBox(printer);
        ++bill;
    }
    shown.Put();
    const QString where = count > 1 ? QStringLiteral("第%1张单据").arg(bill) : QString();
    return OverflowQuestion().Allows(box, where);
}

namespace {

// How a batch ended, for its one message.
struct BatchEnd {
    int records = 0;
    int printed = 0;    // the first bills of the batch, printed
    int stoppedAt = 0;  // the record the batch stopped at; 0 when it ran to the end
    QString refused;    // why that record's bill was refused
};

// What the clerk is told of a batch whose document reached the printer, its bills `recorded`
// in the history or not: what the history lacks, where the batch stopped and why, what was
// left unprinted. "" when all went well.
QString BatchEndText(const BatchEnd& end, bool recorded) {
    QString text;
    if (!recorded)
        text = QStringLiteral("本批已打印的") + QString::number(end.printed) +
               QStringLiteral("张单据没有记入历史记录（") + LastDatabaseError() +
               QStringLiteral("）！");
    if (end.stoppedAt == 0 || end.printed >= end.records) return text;
    const bool refused = !end.refused.isEmpty();
    if (refused) text += end.refused + QStringLiteral("，");
    text += RunStoppedText(end.stoppedAt, end.printed + 1, end.records, QStringLiteral("张"),
                           QStringLiteral("单据"));
    text +=
        refused ? QStringLiteral("没有打印，也没有记入历史记录！") : QStringLiteral("没有打印！");
    if (recorded && end.printed > 0)
        text += QStringLiteral("此前的") + QString::number(end.printed) +
                QStringLiteral("张单据已经打印并记入历史记录。");
    if (refused) text += kRefusalAdvice;
    return text;
}

}  // namespace

void PrintBatchBills() {
    MainForm& mf = MF();
    Grid& grid = *mf.MSF[1];
    BatchEnd end;
    end.records = BatchRecordCount(grid);
    if (end.records <= 0) {
        dlg::MsgBox(kNoBatchMessage, dlg::OkOnly | dlg::Exclamation);
        return;
    }
    if (ChoosePrinter(true).isEmpty()) return;
    Printer& printer = CurrentPrinter();
    printer.SetDocName(mf.CurrentFormat());
    ShowProgress(QStringLiteral("正在打印单据……"), end.records, 0, Stoppable::Yes);
    OverflowQuestion question;
    bool declined = false;
    {
        // The bills of the batch stay in the history only when the document reached the
        // printer.
        Transaction history;
        for (int i = 1; i <= end.records; ++i) {
            LoadBatchRow(grid, grid.FixedRows() + i - 1);
            end.refused = BillRefusal();
            if (!end.refused.isEmpty()) {
                end.stoppedAt = i;
                break;
            }
            // The batch is one document: declined, none of its bills reaches the printer.
            declined =
                !question.Allows(OverflowingTextBox(printer), QStringLiteral("第%1张单据").arg(i));
            if (declined) break;
            const BillOutcome outcome = PrintOneBill(false, true);
            // A bill whose history failed was printed all the same; the batch stops there.
            if (outcome != BillOutcome::NotPrinted) end.printed = i;
            if (outcome != BillOutcome::Printed) {
                end.stoppedAt = i;
                break;
            }
            UpdateProgress(1, QStringLiteral("pages"));
            // Asked to stop: the bill just drawn is the last; the batch goes out as it stands.
            if (ProgressStopAsked()) {
                end.stoppedAt = i;
                break;
            }
        }
        if (declined) {
            printer.KillDoc();
        } else if (printer.FinishDoc()) {
            const QString text = BatchEndText(end, end.printed == 0 || history.Commit());
            if (!text.isEmpty()) dlg::MsgBox(text, dlg::OkOnly | dlg::Exclamation);
        } else if (end.printed) {
            dlg::MsgBox(
                JobFailure(printer) + QStringLiteral("，本批单据没有打印，也没有记入历史记录！"),
                dlg::OkOnly | dlg::Exclamation);
        }
    }
    LoadBatchRow(grid, grid.FixedRows() + mf.HS->value() - 1);
    CloseProgress();
}

void PrintRulers() {
    Printer& printer = CurrentPrinter();
    printer.SetScaleMode(ScaleUnit::Millimeters);
    const double wm = RoundHalfEven(printer.Width() / kTwipsPerMm);
    const double hm = RoundHalfEven(printer.Height() / kTwipsPerMm);
    printer.SetDrawWidth(1);
    const QColor grey = RgbValueToColor(0x333333);
    auto pen = [&](double at) {
        const bool heavy = std::fmod(at, 10.0) == 0;
        printer.SetDrawWidth(heavy ? 2 : 1);
        return heavy ? QColor(Qt::black) : grey;
    };
    for (double x = 0; x <= wm - 2; x += 2) printer.Line(x, 0, x, hm, pen(x));
    for (double y = 0; y <= hm - 2; y += 2) printer.Line(0, y, wm, y, pen(y));
}

}  // namespace bw
