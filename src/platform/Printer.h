#pragma once
// The printer every print path draws on: one current printer for the whole program, a
// drawing target over a QPrinter with its device name, paper size, orientation, new page and
// end of document. Besides the printers the system offers (CUPS on Linux) there is always
// the PDF file printer, which writes each print job into a PDF file, so that the program
// prints on a machine without a printer.
//
// Coordinates start at the corner of the printable area as the printer reports it; the PDF
// file printer has no margins, so there it is the paper's corner. Width() and Height() give
// the paper in twips in the current orientation.

#include <QList>
#include <QPageSize>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

#include "platform/DrawTarget.h"

class QDateTime;
class QPrinter;

namespace bw {

// The name under which the PDF file printer is listed.
inline const QString kPdfPrinterName = QStringLiteral("PDF文件打印机");
// The folder of the data folder where the PDF file printer writes when no file was named.
inline const QString kPdfOutputFolder = QStringLiteral("Output");

// The printers in the order the system lists them, then the PDF file printer.
QStringList PrinterNames();
// The system's default printer, or the PDF file printer when there is none.
QString DefaultPrinterName();

// Printer orientation codes.
enum : int { kPortrait = 1, kLandscape = 2 };

namespace detail {
// Owns the device so that it is made before the drawing target over it.
struct PrinterDevice {
    std::unique_ptr<QPrinter> device;
};
}  // namespace detail

class Printer : private detail::PrinterDevice, public DrawTarget {
public:
    // A printer over a prepared device, listed under `name`.
    Printer(std::unique_ptr<QPrinter> device, const QString& name);
    ~Printer() override;
    Printer(const Printer&) = delete;
    Printer& operator=(const Printer&) = delete;

    // The printer of that name set up for printing: a system printer, or the PDF file
    // printer (A4 portrait, no margins). Null when the system has no printer of that name.
    static std::unique_ptr<Printer> Open(const QString& name);

    QString DeviceName() const { return name_; }
    bool IsPdfFile() const;
    QPrinter& Device() { return *device; }

    // The PDF file printer's file for the next document; "" gives a new file in the output
    // folder of the data folder. The file the last document went to.
    QString OutputFile() const { return outputFile_; }
    void SetOutputFile(const QString& path) { outputFile_ = path; }
    QString LastOutputFile() const { return lastOutput_; }
    // A new file name in the output folder for a document of that name.
    static QString DefaultOutputFile(const QString& docName);
    // The name of that file for a document begun at `when`: the document's name made fit for
    // a file name, "_", the date and time, and from the second file of one second on "_" and
    // its number `n`, then ".pdf".
    static QString DefaultOutputName(const QString& docName, const QDateTime& when, int n = 1);

    // The name the spooler shows for the next document.
    void SetDocName(const QString& name);

    // Orientation (kPortrait, kLandscape) and paper of the page that starts next.
    int Orientation() const;
    void SetOrientation(int orientation);
    QPageSize PageSize() const;
    bool SetPageSize(const QPageSize& size);
    // The paper the printer came with (the PDF file printer: A4), whatever was set since.
    QPageSize OwnPageSize() const { return ownPaper_; }
    // The paper sizes the printer offers, in its own order.
    QList<QPageSize> PaperSizes() const;

    // Whether the printer can take a job now, without printing anything: a system printer
    // must still be known to the system and not stopped; the PDF file printer's folder must
    // be writable. `why` receives the reason when not.
    virtual bool Ready(QString* why = nullptr) const;

    // Begins the document, or the page that NewPage left pending. False when the job cannot
    // start (the printer is gone, the PDF file cannot be written). The PDF file printer
    // writes the document under a temporary name beside the file it is meant for.
    bool StartDoc();
    // Ends the document and hands it to the printer. False when no document was begun or it
    // could not be delivered (the printer went away, the PDF file was not written). A PDF
    // file takes its name only once it is whole and on the disk; a cut-off one is removed.
    // Inside a command the PDF file printer keeps the document for the command's file.
    bool FinishDoc();
    // FinishDoc in two steps, so that what must be on the disk before a document goes out
    // (the record of the bills on it) can be written between them. SealDoc ends the drawing
    // and readies the document without handing it over: the PDF file printer writes the
    // whole file under its temporary name onto the disk, a system printer must still be
    // ready. False when the document cannot go out: it is dropped, LastError says why where
    // there is a reason of its own; true at once when it is sealed already. Not for a
    // document inside a command.
    bool SealDoc();
    // Hands the sealed document over: the PDF file takes its name, a system printer's job
    // goes to the spooler. False when it did not go out (nothing sealed, the file could not
    // take its name, the printer reported an error); LastError says why where it can.
    bool DeliverDoc();
    // Drops the document begun or sealed; the PDF file printer leaves no file behind.
    void KillDoc();
    // Why the last StartDoc, FinishDoc or EndCommand failed, naming the file and the cause;
    // "" when the printer gave no reason of its own (it is not connected).
    QString LastError() const { return lastError_; }

    // One command the user gave that may end several documents (a reprint of several bills,
    // the copies and pages of a label sheet). On the PDF file printer every document ended
    // while it lasts is kept open as pages of one file: the next document begins on a new
    // page, and the file, still under its temporary name, takes its name only when
    // EndCommand ends the command. On a system printer every document stays a job of its
    // own. Commands may nest; only the outermost one counts. Use PrintCommand.
    void BeginCommand();
    // Ends the command: the file of the documents kept is finished as FinishDoc finishes a
    // document. A document begun and never ended is dropped (false). True when nothing was
    // kept (a system printer, nothing printed).
    bool EndCommand();
    // Ends the command without its file: the PDF file printer leaves nothing behind.
    void AbandonCommand();
    // After the file of a command could not be written: the 1-based number of the document
    // of the command where the writing stopped (the first not wholly on the disk), 0 when
    // every page reached the disk and only the file's end did not.
    int StoppedAtDocument() const { return stoppedAt_; }

private:
    QString name_;
    QPageSize ownPaper_;
    QString outputFile_;
    QString lastOutput_;
    QString docName_;
    QString tempOutput_;  // the PDF file being written, until it takes its name
    QString lastError_;
    bool startingDoc_ = false;  // Ready() asked by StartDoc, which writes its own probe
    int commandDepth_ = 0;
    bool held_ = false;         // the command's last document ended, its file kept open
    bool sealed_ = false;       // SealDoc readied the document; DeliverDoc hands it over
    std::vector<int> docEnds_;  // the pages of the command's file after each document
    int stoppedAt_ = 0;

    void DiscardTemporary();
};

// Brackets one command on a printer (see Printer::BeginCommand): End() finishes it; a
// command left without End() (an early return, a failure) is abandoned.
class PrintCommand {
public:
    explicit PrintCommand(Printer& printer) : printer_(printer) { printer_.BeginCommand(); }
    ~PrintCommand() {
        if (!ended_) printer_.AbandonCommand();
    }
    PrintCommand(const PrintCommand&) = delete;
    PrintCommand& operator=(const PrintCommand&) = delete;
    bool End() {
        ended_ = true;
        return printer_.EndCommand();
    }

private:
    Printer& printer_;
    bool ended_ = false;
};

// The program's current printer; the system's default printer (or the PDF file printer) on
// first use.
Printer& CurrentPrinter();
// Makes the named printer the current one; false, and the current one stays, when the
// system has no printer of that name. Naming the current printer keeps it as it is.
bool SelectPrinter(const QString& name);
// Puts a printer in place as the current one (tests install printers of their own).
void InstallPrinter(std::unique_ptr<Printer> printer);

}  // namespace bw
