#include "printing/SelPrinter.h"

#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>

#include "common/Common.h"
#include "common/Globals.h"
#include "common/Params.h"
#include "platform/AppFolder.h"
#include "platform/Dialogs.h"
#include "platform/Printer.h"
#include "platform/Twips.h"
#include "platform/VbNumbers.h"
#include "printing/PrintRequests.h"
#include "store/MainForm.h"

namespace bw {

namespace {

QPointer<SelPrinter>& current() {
    static QPointer<SelPrinter> c;
    return c;
}

// The most copies one request prints.
constexpr int kMaxCopies = 999;

}  // namespace

QString RememberedPdfFolder() {
    return GetRegValue(QStringLiteral("BWF"), QStringLiteral("Validate"),
                       QStringLiteral("PdfFolder"), QString());
}

QString PdfFileProblem(const QString& path) {
    const QFileInfo file(path);
    if (path.isEmpty()) return QString();
    if (file.isRelative())
        return QStringLiteral("“") + path +
               QStringLiteral("”不是完整的文件路径，请用“浏览…”选择PDF文件。");
    if (file.isDir())
        return QStringLiteral("“") + QDir::toNativeSeparators(path) +
               QStringLiteral("”是文件夹，请填写PDF文件的名称。");
    // The program's own output folder is made when it is first written to.
    const QString folder = file.absolutePath();
    if (!QFileInfo(folder).isDir() &&
        QDir::cleanPath(folder) != QDir::cleanPath(AppFile(kPdfOutputFolder)))
        return QStringLiteral("文件夹“") + QDir::toNativeSeparators(folder) +
               QStringLiteral("”不存在，请重新选择PDF文件的保存位置。");
    return QString();
}

int CopiesFromText(const QString& text) {
    const double v = Val(text);
    if (!(v > 1)) return 1;
    return static_cast<int>(std::min<double>(kMaxCopies, RoundHalfEven(v)));
}

SelPrinter::SelPrinter(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("选择"));
    COMB = new QComboBox(this);
    COMB->setToolTip(QStringLiteral("要选择的打印机名称。"));
    COMB->setEditable(false);
    COMB->installEventFilter(this);
    LBL = new QLabel(QStringLiteral("打印份数："), this);
    TT = new QLineEdit(QStringLiteral("1"), this);
    TT->setMaximumWidth(60);
    PdfLabel = new QLabel(QStringLiteral("输出文件："), this);
    PdfFile = new QLineEdit(this);
    PdfFile->setToolTip(QStringLiteral("打印到PDF文件时写入的文件。"));
    // Wide enough to read the folder and the name; the whole path also in the tooltip.
    PdfFile->setMinimumWidth(TwipsToPixels(5400));
    PdfBrowse = new QPushButton(QStringLiteral("浏览…"), this);
    COM[0] = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton),
                             QStringLiteral("确定"), this);
    COM[1] = new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton),
                             QStringLiteral("取消"), this);
    COM[0]->setDefault(true);

    auto* grid = new QGridLayout;
    grid->addWidget(COMB, 0, 0, 1, 2);
    grid->addWidget(LBL, 0, 2);
    grid->addWidget(TT, 0, 3);
    grid->addWidget(PdfLabel, 1, 0);
    grid->addWidget(PdfFile, 1, 1, 1, 2);
    grid->addWidget(PdfBrowse, 1, 3);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(COM[0]);
    buttons->addWidget(COM[1]);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);

    connect(TT, &QLineEdit::textChanged, this, [this] { TT_Change(); });
    connect(COM[0], &QPushButton::clicked, this, [this] { COM_Click(0); });
    connect(COM[1], &QPushButton::clicked, this, [this] { COM_Click(1); });
    connect(COMB, &QComboBox::currentTextChanged, this, [this] { ShowPdfFile(); });
    connect(PdfFile, &QLineEdit::textChanged, this, [this](const QString& path) {
        PdfFile->setToolTip(QStringLiteral("打印到PDF文件时写入的文件：") + path);
    });
    connect(PdfBrowse, &QPushButton::clicked, this, [this] {
        const QString file = dlg::SaveFileName(QStringLiteral("PDF文件(*.pdf)|*.pdf"),
                                               PdfFile->text(), QStringLiteral("打印到PDF文件"));
        if (!file.isEmpty()) PdfFile->setText(file);
    });
    ShowPdfFile();
    current() = this;
}

SelPrinter::~SelPrinter() = default;

SelPrinter* SelPrinter::Current() {
    return current();
}

void SelPrinter::Form_Load() {
    SetTopmost(this);
    ChosenItem.clear();
    adjustSize();
    if (QScreen* s = screen()) move(s->availableGeometry().center() - rect().center());
    TT->setText(QString::number(PrintCopies));
}

void SelPrinter::FillPrinterList() {
    filled_ = true;
    COMB->clear();
    const QString saved = GetRegValue(QStringLiteral("BWF"), QStringLiteral("Validate"),
                                      QStringLiteral("Printer"), QString());
    const QString now = CurrentPrinter().DeviceName();
    QStringList names = PrinterNames();
    // The current printer is shown even when the system no longer lists it.
    if (!now.isEmpty() && !names.contains(now)) names.prepend(now);
    COMB->addItems(names);
    int pick = names.indexOf(saved);
    if (pick < 0) pick = names.indexOf(now);
    COMB->setCurrentIndex(pick < 0 ? 0 : pick);
    ShowPdfFile();
}

void SelPrinter::ShowPdfFile() {
    const bool pdf = COMB->currentText() == kPdfPrinterName;
    PdfLabel->setVisible(pdf);
    PdfFile->setVisible(pdf);
    PdfBrowse->setVisible(pdf);
    if (pdf && PdfFile->text().isEmpty()) {
        QString file = Printer::DefaultOutputFile(MF().CurrentFormat());
        const QString folder = RememberedPdfFolder();
        if (!folder.isEmpty() && QFileInfo(folder).isDir())
            file = QDir(folder).filePath(QFileInfo(file).fileName());
        PdfFile->setText(QDir::toNativeSeparators(file));
    }
}

void SelPrinter::TT_Change() {
    PrintCopies = CopiesFromText(TT->text());
}

void SelPrinter::SetWithCopies(bool withCopies) {
    COMB->setFixedWidth(TwipsToPixels(withCopies ? 3120 : 4440));
    LBL->setVisible(withCopies);
    TT->setVisible(withCopies);
}

void SelPrinter::COM_Click(int index) {
    if (index != 0) {
        done(Rejected);
        return;
    }
    QString pdfFile;
    if (COMB->currentText() == kPdfPrinterName) {
        // The file is checked before anything is printed; the dialog stays open to mend it.
        pdfFile = QDir::fromNativeSeparators(PdfFile->text().trimmed());
        if (!pdfFile.isEmpty() && QFileInfo(pdfFile).suffix().isEmpty())
            pdfFile += QStringLiteral(".pdf");
        const QString problem = PdfFileProblem(pdfFile);
        if (!problem.isEmpty()) {
            dlg::MsgBox(problem, dlg::OkOnly | dlg::Exclamation);
            PdfFile->setFocus();
            return;
        }
    }
    ChosenItem = COMB->currentText();
    if (Tag == kChoosePrinterMode && PrinterNames().contains(ChosenItem)) {
        SaveRegValue(QStringLiteral("BWF"), QStringLiteral("Validate"), QStringLiteral("Printer"),
                     ChosenItem);
        SelectPrinter(ChosenItem);
    }
    Printer& printer = CurrentPrinter();
    const bool toPdf = printer.IsPdfFile() && ChosenItem == kPdfPrinterName;
    if (toPdf) printer.SetOutputFile(pdfFile);
    // The connection test: the printer must be able to take a job; nothing is printed.
    if (!printer.Ready()) {
        dlg::MsgBox(QStringLiteral("没有正常连接打印机！"), dlg::OkOnly);
        ChosenItem.clear();
    } else if (toPdf && !pdfFile.isEmpty()) {
        SaveRegValue(QStringLiteral("BWF"), QStringLiteral("Validate"), QStringLiteral("PdfFolder"),
                     QFileInfo(pdfFile).absolutePath());
    }
    done(Accepted);
}

bool SelPrinter::eventFilter(QObject* watched, QEvent* event) {
    // The printer's name is chosen from the list, never typed; Esc still cancels the window.
    if (watched == COMB &&
        (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease ||
         event->type() == QEvent::ShortcutOverride) &&
        static_cast<QKeyEvent*>(event)->key() != Qt::Key_Escape)
        return true;
    return QDialog::eventFilter(watched, event);
}

void SelPrinter::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (Tag == kChoosePrinterMode && !filled_) FillPrinterList();
}

bool SelPrinter::event(QEvent* event) {
    // The list is filled when the window first comes up; later activations keep the
    // user's pick.
    if (event->type() == QEvent::WindowActivate && Tag == kChoosePrinterMode && !filled_)
        FillPrinterList();
    return QDialog::event(event);
}

}  // namespace bw
