#pragma once
// The printer choice dialog: the printers to pick from (the system's and the PDF file
// printer, the last one chosen preselected), the number of copies, and for the PDF file
// printer the file to write (the folder used last offered again; a folder that does not exist
// refused before anything is printed). OK makes the chosen printer the current one, remembers it,
// and tests that it can take a job without printing anything; the answer is left in
// ChosenItem: the printer's name, or "" when cancelled or when the printer is not ready.

#include <QDialog>
#include <QString>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace bw {

class SelPrinter : public QDialog {
    Q_OBJECT
public:
    explicit SelPrinter(QWidget* parent = nullptr);
    ~SelPrinter() override;

    // The mode word; "选择打印机" lists the printers when the window is shown.
    QString Tag;

    QComboBox* COMB;   // the printers
    QLabel* LBL;       // "打印份数："
    QLineEdit* TT;     // copies
    QLabel* PdfLabel;  // the PDF file printer's file
    QLineEdit* PdfFile;
    QPushButton* PdfBrowse;
    QPushButton* COM[2];  // OK, Cancel

    // Clears the answer, centres the window and shows the copies count.
    void Form_Load();
    // The printers, the remembered one (else the current one) preselected.
    void FillPrinterList();
    // The copies box: more than 1 rounds to the nearest whole number (at most 999); anything
    // else is 1.
    void TT_Change();
    // 0 OK, 1 Cancel.
    void COM_Click(int index);
    // With copies the list leaves room for the copies box; without, it covers it.
    void SetWithCopies(bool withCopies);

    // The dialog that is open now, or null (for tests that drive it).
    static SelPrinter* Current();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool event(QEvent* event) override;

private:
    void ShowPdfFile();
    bool filled_ = false;
};

// Why the PDF file printer cannot write to that path, or "" when it can try: a path that is
// not absolute, names a folder, or lies in a folder that does not exist (other than the
// program's own output folder, made on first use). "" (the default file) is accepted.
QString PdfFileProblem(const QString& path);

// The folder of the PDF file chosen last, remembered across runs and offered again; "" when
// none was chosen yet.
QString RememberedPdfFolder();

// The copies that a text in the copies box stands for.
int CopiesFromText(const QString& text);

}  // namespace bw
