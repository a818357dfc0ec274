#include "platform/Printer.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QPrinter>  // the device type only: Qt's print support is called through Devices()
#include <QTemporaryFile>
#include <utility>

#include "platform/AppFolder.h"
#include "platform/PrintDevices.h"
#include "platform/SafeFiles.h"

namespace bw {

namespace {

std::unique_ptr<Printer>& current() {
    static std::unique_ptr<Printer> printer;
    return printer;
}

// A document name as part of a file name: the characters no file name may hold become "_".
QString FileNamePart(const QString& name) {
    QString out = name.trimmed();
    for (QChar& c : out) {
        if (QStringLiteral("*?<>/\\:|\"").contains(c) || c.unicode() < 32) c = QLatin1Char('_');
    }
    return out.isEmpty() ? QStringLiteral("单据") : out;
}

bool FolderWritable(const QString& folder, QString* why) {
    if (!QDir().mkpath(folder)) {
        if (why) *why = QStringLiteral("无法建立文件夹“%1”").arg(QDir::toNativeSeparators(folder));
        return false;
    }
    // Writing a probe is the only sure test of rights, ACLs and read-only mounts.
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral("probe-XXXXXX")));
    if (!probe.open()) {
        if (why) *why = QStringLiteral("文件夹“%1”不能写入").arg(QDir::toNativeSeparators(folder));
        return false;
    }
    return true;
}

// A PDF file is whole when it ends with its trailer and the cross-reference table it points
// to starts where the trailer says: a file cut off by a full disk fails one or the other.
bool PdfComplete(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return false;
    const qint64 size = f.size();
    if (size < 64) return false;
    f.seek(std::max<qint64>(0, size - 1024));
    const QByteArray tail = f.readAll().trimmed();
    if (!tail.endsWith("%%EOF")) return false;
    const int at = tail.lastIndexOf("startxref");
    if (at < 0) return false;
    bool ok = false;
    const qint64 xref = tail.mid(at + 9, tail.size() - 5 - at - 9).trimmed().toLongLong(&ok);
    if (!ok || xref <= 0 || xref >= size) return false;
    f.seek(xref);
    return f.read(4) == "xref";
}

// The pages of a cut-off PDF file that reached the disk whole. A page's dictionary is
// written when the page ends, its content stream right after it, so a page is whole when
// any stream ends after its dictionary.
int WholePdfPages(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return 0;
    const QByteArray data = f.readAll();
    const qsizetype lastStream = data.lastIndexOf("endstream");
    int whole = 0;
    for (qsizetype at = data.indexOf("/Type /Page\n"); at >= 0 && at < lastStream;
         at = data.indexOf("/Type /Page\n", at + 1))
        ++whole;
    return whole;
}

// The device's page set-up, which is Qt GUI's rather than the print support's.
QPagedPaintDevice& pages(QPrinter& device) {
    return device;
}

QString PdfFailure(const QString& file, const QString& cause) {
    return QStringLiteral("PDF文件“%1”没有写成（%2）").arg(QDir::toNativeSeparators(file), cause);
}

}  // namespace

QStringList PrinterNames() {
    QStringList names = Devices().names();
    names.removeAll(kPdfPrinterName);
    names << kPdfPrinterName;
    return names;
}

QString DefaultPrinterName() {
    const QString name = Devices().defaultName();
    return name.isEmpty() ? kPdfPrinterName : name;
}

Printer::Printer(std::unique_ptr<QPrinter> dev, const QString& name)
    : detail::PrinterDevice{std::move(dev)},
      DrawTarget(device.get()),
      name_(name),
      ownPaper_(device->pageLayout().pageSize()) {}

Printer::~Printer() {
    // The drawing target ends an open document before the device goes; a document never
    // finished is not a file the user asked for.
    EndDoc();
    DiscardTemporary();
}

void Printer::DiscardTemporary() {
    if (!tempOutput_.isEmpty()) RemoveTemporary(tempOutput_);
    tempOutput_.clear();
}

std::unique_ptr<Printer> Printer::Open(const QString& name) {
    std::unique_ptr<QPrinter> dev = Devices().open(name, name == kPdfPrinterName);
    if (!dev) return nullptr;
    return std::make_unique<Printer>(std::move(dev), name);
}

bool Printer::IsPdfFile() const {
    return name_ == kPdfPrinterName;
}

QString Printer::DefaultOutputName(const QString& docName, const QDateTime& when, int n) {
    QString name =
        FileNamePart(docName) + QLatin1Char('_') + when.toString(QStringLiteral("yyyyMMdd_hhmmss"));
    if (n > 1) name += QLatin1Char('_') + QString::number(n);
    return name + QStringLiteral(".pdf");
}

QString Printer::DefaultOutputFile(const QString& docName) {
    const QDir folder(AppFile(kPdfOutputFolder));
    const QDateTime now = QDateTime::currentDateTime();
    QString path = folder.filePath(DefaultOutputName(docName, now));
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = folder.filePath(DefaultOutputName(docName, now, n));
    return path;
}

void Printer::SetDocName(const QString& name) {
    docName_ = name;
    Devices().setDocName(*device, name);
}

int Printer::Orientation() const {
    return device->pageLayout().orientation() == QPageLayout::Landscape ? kLandscape : kPortrait;
}

void Printer::SetOrientation(int orientation) {
    pages(*device).setPageOrientation(orientation == kLandscape ? QPageLayout::Landscape
                                                                : QPageLayout::Portrait);
}

QPageSize Printer::PageSize() const {
    return device->pageLayout().pageSize();
}

bool Printer::SetPageSize(const QPageSize& size) {
    if (!size.isValid()) return false;
    return pages(*device).setPageSize(size);
}

QList<QPageSize> Printer::PaperSizes() const {
    if (!IsPdfFile()) return Devices().paperSizes(name_);
    // A PDF file takes any paper; it offers the standard sizes.
    QList<QPageSize> sizes;
    for (int id = 0; id <= int(QPageSize::LastPageSize); ++id) {
        if (id == int(QPageSize::Custom)) continue;
        sizes << QPageSize(QPageSize::PageSizeId(id));
    }
    return sizes;
}

bool Printer::Ready(QString* why) const {
    if (IsPdfFile()) {
        const QString file = outputFile_.isEmpty()
                                 ? AppFile(kPdfOutputFolder) + QStringLiteral("/x.pdf")
                                 : outputFile_;
        const QString folder = QFileInfo(file).absolutePath();
        if (startingDoc_) {
            // The document's own temporary file is the probe: the folder only has to be there.
            if (QDir().mkpath(folder)) return true;
            if (why)
                *why = QStringLiteral("无法建立文件夹“%1”").arg(QDir::toNativeSeparators(folder));
            return false;
        }
        return FolderWritable(folder, why);
    }
    const int state = Devices().state(name_);
    if (state < 0) {
        if (why) *why = QStringLiteral("系统中没有打印机“%1”").arg(name_);
        return false;
    }
    if (state == QPrinter::Error || state == QPrinter::Aborted) {
        if (why) *why = QStringLiteral("打印机“%1”已停止").arg(name_);
        return false;
    }
    return true;
}

bool Printer::StartDoc() {
    held_ = false;
    if (!Active()) {
        lastError_.clear();
        QString why;
        startingDoc_ = IsPdfFile();
        const bool ready = Ready(&why);
        startingDoc_ = false;
        if (!ready) {
            if (IsPdfFile()) lastError_ = why;
            return false;
        }
        if (IsPdfFile()) {
            DiscardTemporary();
            const QString previous = lastOutput_;
            lastOutput_ = outputFile_.isEmpty() ? DefaultOutputFile(docName_) : outputFile_;
            QDir().mkpath(QFileInfo(lastOutput_).absolutePath());
            tempOutput_ = CreateTemporaryBeside(lastOutput_, &why);
            if (tempOutput_.isEmpty()) {
                // A folder that takes no file at all is reported as the full check reports it.
                QString folderWhy;
                if (!Ready(&folderWhy)) {
                    lastOutput_ = previous;
                    lastError_ = folderWhy;
                } else {
                    lastError_ = PdfFailure(lastOutput_, why);
                }
                return false;
            }
            Devices().setOutputFile(*device, tempOutput_);
        }
    }
    Painter();
    if (!Active() && IsPdfFile()) {
        DiscardTemporary();
        lastError_ = PdfFailure(lastOutput_, QStringLiteral("无法开始写入"));
    }
    return Active();
}

bool Printer::FinishDoc() {
    if (commandDepth_ > 0 && IsPdfFile()) {
        if (!Active()) return false;
        // The next document of the command begins on a page of its own in the same file.
        docEnds_.push_back(Pages());
        NewPage();
        held_ = true;
        return true;
    }
    return SealDoc() && DeliverDoc();
}

void Printer::BeginCommand() {
    if (commandDepth_++ > 0) return;
    held_ = false;
    docEnds_.clear();
}

bool Printer::EndCommand() {
    if (commandDepth_ == 0 || --commandDepth_ > 0) return true;
    if (!Active()) return true;
    if (!std::exchange(held_, false)) {
        // A document begun and never ended is not one the user asked for.
        KillDoc();
        return false;
    }
    return SealDoc() && DeliverDoc();
}

void Printer::AbandonCommand() {
    if (commandDepth_ == 0 || --commandDepth_ > 0) return;
    held_ = false;
    if (IsPdfFile() && Active()) KillDoc();
}

bool Printer::SealDoc() {
    if (sealed_) return true;
    stoppedAt_ = 0;
    sealed_ = false;
    const bool begun = Active();
    if (!IsPdfFile()) {
        // A system printer takes the document only as it ends; until then it must be there.
        if (!begun || !Ready()) {
            KillDoc();
            return false;
        }
        sealed_ = true;
        return true;
    }
    EndDoc();
    if (!begun) {
        DiscardTemporary();
        return false;
    }
    const QString& tmp = tempOutput_;
    if (PdfComplete(tmp) && SyncFile(tmp)) {
        sealed_ = true;
        return true;
    }
    const qint64 written = QFileInfo(tmp).size();
    const int whole = WholePdfPages(tmp);
    for (std::size_t i = 0; i < docEnds_.size() && stoppedAt_ == 0; ++i)
        if (docEnds_[i] > whole) stoppedAt_ = static_cast<int>(i) + 1;
    DiscardTemporary();
    // The file needed more than was written: ask the disk again for that much.
    QString cause = WriteFailureCause(QFileInfo(lastOutput_).absolutePath(), written + 64 * 1024);
    if (cause.isEmpty()) cause = QStringLiteral("写入时出错");
    lastError_ = PdfFailure(lastOutput_, cause);
    return false;
}

bool Printer::DeliverDoc() {
    if (!std::exchange(sealed_, false)) return false;
    if (!IsPdfFile()) {
        EndDoc();
        return !Devices().inError(*device);
    }
    const QString tmp = std::exchange(tempOutput_, QString());
    if (ReplaceFile(tmp, lastOutput_)) return true;
    const QString cause = WriteErrorCause(errno, QFileInfo(lastOutput_).absolutePath());
    RemoveTemporary(tmp);
    lastError_ = PdfFailure(lastOutput_, cause);
    return false;
}

void Printer::KillDoc() {
    held_ = false;
    sealed_ = false;
    DrawTarget::KillDoc();
    DiscardTemporary();
}

Printer& CurrentPrinter() {
    auto& p = current();
    if (!p) p = Printer::Open(DefaultPrinterName());
    if (!p) p = Printer::Open(kPdfPrinterName);
    return *p;
}

bool SelectPrinter(const QString& name) {
    auto& p = current();
    if (p && p->DeviceName() == name) return true;
    auto opened = Printer::Open(name);
    if (!opened) return false;
    p = std::move(opened);
    return true;
}

void InstallPrinter(std::unique_ptr<Printer> printer) {
    current() = std::move(printer);
}

}  // namespace bw
