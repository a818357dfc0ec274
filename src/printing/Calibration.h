#pragma once
// Calibration: a test sheet with one black 10 mm square 10 mm from the printer's origin,
// and the print-offset dialog in which the user types the square's measured distances from
// the paper's left and top edges. The offsets are kept as those distances (10 = no shift)
// on the main window's labels M_X and M_Y.

#include <QDialog>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace bw {

// Asks for the printer (without copies), prints the test sheet when one was chosen, and in
// every case shows the offset dialog.
void PrintCalibrationPage();

// Prints the test sheet on the current printer after asking whether A4 paper is loaded.
// Nothing when no printer was chosen (ChosenItem empty). True when the sheet was printed.
bool DrawCalibrationPattern();

// The offset a text in the dialog's boxes stands for, in millimetres: a decimal number with
// an optional sign, blanks around it allowed; nullopt for anything else (empty included).
std::optional<double> OffsetFromText(const QString& text);

// The print-offset dialog, caption "输入打印页边距".
class Margin : public QDialog {
    Q_OBJECT
public:
    explicit Margin(QWidget* parent = nullptr);
    ~Margin() override;

    QLineEdit* TX;         // horizontal: the square's distance from the left edge
    QLineEdit* TY;         // vertical: from the top edge
    QLabel* Sample;        // a picture of the printed square
    QPushButton* Comm[2];  // OK, Cancel

    // Takes the offsets from M_X and M_Y and centres the window.
    void Form_Load();
    // 0: the numbers typed become the offsets and the window closes; a box that holds no
    // number is refused with a message and the window stays open. 1: nothing changes, the
    // window closes.
    void Comm_Click(int index);

    // The dialog that is open now, or null.
    static Margin* Current();
};

// Shows the offset dialog (not modal) and returns it.
Margin* ShowMargin();

}  // namespace bw
