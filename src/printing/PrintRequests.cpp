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
#include "printing/RecordedPrint.h"
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

// What the clerk is told of a bill that did not go out because the history could not take it.
void TellNotRecorded(const QString& cause) {
    dlg::MsgBox(
        QStringLiteral("单据没有打印，也没有记入历史记录（") + cause + QStringLiteral("）！"),
        dlg::OkOnly | dlg::Exclamation);
}

// What the clerk is told when a document of recorded bills did not go out; "" when it did.
// `what` names them ("单据", "本批单据").
QString NotSentText(RecordedPrint::Sent sent, const RecordedPrint& print, const Printer& printer,
                    const QString& what) {
    switch (sent) {
        case RecordedPrint::Sent::Out:
            return QString();
        case RecordedPrint::Sent::PrinterFailed:
            return JobFailure(printer) + QStringLiteral("，") + what +
                   QStringLiteral("没有打印，也没有记入历史记录！");
        case RecordedPrint::Sent::RecordFailed:
            return what + QStringLiteral("没有打印，也没有记入历史记录（") + print.Cause() +
                   QStringLiteral("）！");
        case RecordedPrint::Sent::NotOutButKept:
            break;
    }
    QString numbers = QString::number(print.FirstNumber());
    if (print.LastNumber() > print.FirstNumber())
        numbers += QStringLiteral("至第") + QString::number(print.LastNumber());
    return JobFailure(printer) + QStringLiteral("，") + what +
           QStringLiteral("没有打印，但已作为第") + numbers +
           QStringLiteral("号单据记入历史记录（没有能删除：") + print.Cause() +
           QStringLiteral("），这些编号不会再用！");
}

// PrintBill into a document the caller ends: the bill's record is committed before it is
// drawn, since its page goes out whenever the caller ends the document.
bool DrawIntoOpenDocument(Printer& printer, bool saveHistory) {
    RecordedPrint print(printer, MF().CurrentFormat(), saveHistory);
    if (!(print.Ready() && print.Record() && print.Keep())) {
        TellNotRecorded(print.Cause());
        return false;
    }
    if (!RenderCopies(printer)) {
        print.TakeBack();
        TellJobFailed(printer, saveHistory);
        return false;
    }
    // The next bill begins on a fresh page.
    printer.NewPage();
    return true;
}

}  // namespace

bool PrintBill(bool askPrinter, bool saveHistory) {
    // An amount that is no number or lost digits would go out as a wrong bill: refuse it
    // before anything reaches the paper.
    const QString refused = BillRefusalMessage();
    if (!refused.isEmpty()) {
        dlg::MsgBox(refused, dlg::OkOnly | dlg::Exclamation);
        return false;
    }
    if (askPrinter) {
        // Text that would run over the next field is printed only when the clerk says so.
        OverflowQuestion question;
        if (!question.Allows(OverflowingTextBox(CurrentPrinter()))) return false;
        if (ChoosePrinter(true).isEmpty()) return false;
    }
    MainForm& mf = MF();
    Printer& printer = CurrentPrinter();
    if (!askPrinter) return DrawIntoOpenDocument(printer, saveHistory);
    printer.SetDocName(mf.CurrentFormat());
    // Drawn and readied first, so that a printer or a disk that fails leaves the history as it
    // was; then recorded, and only once the record is on the disk does the paper go out.
    if (!RenderCopies(printer) || !printer.SealDoc()) {
        printer.KillDoc();
        TellJobFailed(printer, saveHistory);
        return false;
    }
    RecordedPrint print(printer, mf.CurrentFormat(), saveHistory);
    if (!(print.Ready() && print.Record())) {
        printer.KillDoc();
        TellNotRecorded(print.Cause());
        return false;
    }
    const QString failed = NotSentText(print.Send(), print, printer, QStringLiteral("单据"));
    if (failed.isEmpty()) return true;
    dlg::MsgBox(failed, dlg::OkOnly | dlg::Exclamation);
    return false;
}

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
    int printed = 0;      // the first bills of the batch, recorded and drawn
    int stoppedAt = 0;    // the record the batch stopped at; 0 when it ran to the end
    QString refused;      // why that record's bill was refused
    QString notRecorded;  // why that record's bill could not be recorded
};

// What the clerk is told of a batch whose bills before the one it stopped at went out and are
// in the history: where it stopped and why, what was left unprinted. "" when it ran to its end.
QString BatchEndText(const BatchEnd& end) {
    if (end.stoppedAt == 0 || end.printed >= end.records) return QString();
    QString text;
    const bool refused = !end.refused.isEmpty(), notRecorded = !end.notRecorded.isEmpty();
    if (refused) text += end.refused + QStringLiteral("，");
    if (notRecorded)
        text += QStringLiteral("第%1张单据不能记入历史记录（").arg(end.stoppedAt) +
                end.notRecorded + QStringLiteral("），");
    text += RunStoppedText(end.stoppedAt, end.printed + 1, end.records, QStringLiteral("张"),
                           QStringLiteral("单据"));
    text += refused || notRecorded ? QStringLiteral("没有打印，也没有记入历史记录！")
                                   : QStringLiteral("没有打印！");
    if (end.printed > 0)
        text += QStringLiteral("此前的") + QString::number(end.printed) +
                QStringLiteral("张单据已经打印并记入历史记录。");
    if (refused) text += kRefusalAdvice;
    return text;
}

// Records and draws the batch's bills into the document, one after another, until one is
// refused, cannot be recorded or the clerk stops the batch. False when the document is to be
// dropped: the clerk declined a text that runs past its box (no message), or the printer
// could not take a page (told here).
bool DrawBatch(RecordedPrint& print, Printer& printer, Grid& grid, BatchEnd& end) {
    OverflowQuestion question;
    for (int i = 1; i <= end.records; ++i) {
        LoadBatchRow(grid, grid.FixedRows() + i - 1);
        end.refused = BillRefusal();
        // The batch is one document: declined, none of its bills reaches the printer.
        if (end.refused.isEmpty() &&
            !question.Allows(OverflowingTextBox(printer), QStringLiteral("第%1张单据").arg(i)))
            return false;
        if (!end.refused.isEmpty() || !print.Record()) {
            if (end.refused.isEmpty()) end.notRecorded = print.Cause();
            end.stoppedAt = i;
            return true;
        }
        if (!RenderCopies(printer)) {
            dlg::MsgBox(
                JobFailure(printer) + QStringLiteral("，本批单据没有打印，也没有记入历史记录！"),
                dlg::OkOnly | dlg::Exclamation);
            return false;
        }
        // The next bill begins on a fresh page.
        printer.NewPage();
        end.printed = i;
        UpdateProgress(1, QStringLiteral("pages"));
        // Asked to stop: the bill just drawn is the last; the batch goes out as it stands.
        if (ProgressStopAsked()) {
            end.stoppedAt = i;
            return true;
        }
    }
    return true;
}

// Sends the batch drawn and tells the clerk how it ended.
void SendBatch(RecordedPrint& print, Printer& printer, const BatchEnd& end) {
    if (end.printed == 0) {
        // Stopped at its first bill: nothing goes out.
        printer.KillDoc();
        const QString text = BatchEndText(end);
        if (!text.isEmpty()) dlg::MsgBox(text, dlg::OkOnly | dlg::Exclamation);
        return;
    }
    QString text = NotSentText(print.Send(), print, printer, QStringLiteral("本批单据"));
    if (text.isEmpty()) text = BatchEndText(end);
    if (!text.isEmpty()) dlg::MsgBox(text, dlg::OkOnly | dlg::Exclamation);
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
    {
        // Every bill is recorded before it is drawn; the batch goes out once they are all on
        // the disk, and not at all when the history cannot be written.
        RecordedPrint print(printer, mf.CurrentFormat(), true);
        if (!print.Ready()) {
            dlg::MsgBox(QStringLiteral("本批单据没有打印，也没有记入历史记录（") + print.Cause() +
                            QStringLiteral("）！"),
                        dlg::OkOnly | dlg::Exclamation);
            return;
        }
        ShowProgress(QStringLiteral("正在打印单据……"), end.records, 0, Stoppable::Yes);
        if (DrawBatch(print, printer, grid, end))
            SendBatch(print, printer, end);
        else
            printer.KillDoc();
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
