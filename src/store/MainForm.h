#pragma once
// The main window's state: the design canvas in its frame with the open format's boxes, the
// labels that carry the format's name, paper size and print offsets, the option check boxes
// and option menus, the grids, and the hidden helpers. The shell lays it out and adds the
// commands; everything here works without a display.

#include <QAction>
#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QScrollBar>
#include <QWidget>
#include <array>
#include <map>
#include <vector>

#include "platform/Grid.h"

class QLineEdit;
class QPushButton;
class QToolButton;
class QTreeWidget;

namespace bw {

class Canvas;
class TextBox;
class CheckBox;
class PictureBox;
class Line;
class Label;
class BoxControl;
class GridView;
class PictureWidget;

class MainForm : public QWidget {
    Q_OBJECT
public:
    explicit MainForm(QWidget* parent = nullptr);
    ~MainForm() override;

    // ---- Canvas ---------------------------------------------------------------------
    QFrame* PFrm;     // the window onto the canvas
    Canvas* PG;       // the canvas, child of PFrm
    QScrollBar* VS;   // vertical canvas scroll bar
    QScrollBar* PHS;  // horizontal canvas scroll bar
    QScrollBar* HS;   // batch record scroll bar
    PictureBox* TTP;  // scratch picture box (hidden)
    PictureBox* TP;   // holds the current format's background picture (hidden)

    // PFrm's size in twips. The shell sets it from the layout; tests set it directly.
    double FrameWidth() const;
    double FrameHeight() const;
    void SetFrameSize(double widthTwips, double heightTwips);

    // ---- Format labels --------------------------------------------------------------
    QLabel* Wid;                     // paper width in mm
    QLabel* Hie;                     // paper height in mm
    QLabel* M_X;                     // horizontal print offset + 10 mm
    QLabel* M_Y;                     // vertical print offset + 10 mm
    std::array<QLabel*, 2> LFMT{};   // LFMT[0]: the current format's name
    std::array<QLabel*, 2> R_Num{};  // batch records loaded / record shown
    std::map<int, QLabel*> L_K;      // L_K[1]: the "/" between R_Num[1] and R_Num[0]

    QString CurrentFormat() const;
    void SetCurrentFormat(const QString& name);
    double PaperWidthMm() const;
    double PaperHeightMm() const;

    // ---- Options --------------------------------------------------------------------
    // O2[0] rulers, [1] landscape printing, [2] format locked, [3] centre-fed paper,
    // [4] background picture. Values 0, 1, 2 (greyed).
    std::array<QCheckBox*, 5> O2{};
    int O2Value(int i) const;
    void SetO2Value(int i, int value);

    QAction* mSetPaper;
    QAction* mDiTuPrint;
    QAction* mPrintRulers;
    QAction* mMonthZero;
    QAction* mPagesAutoJump;
    QAction* mClearAfterPrint;
    QAction* mForbidPicClear;
    QAction* mAutoFontsize;

    // ---- Grids ----------------------------------------------------------------------
    // MSF[1] batch grid, MSF[2] history grid, MSF[3] the box property grid.
    std::array<Grid*, 4> MSF{};
    Grid& BoxGrid() const { return *MSF[3]; }

    // ---- Boxes (kind x 1000 + n) -----------------------------------------------------
    std::vector<TextBox*> TT;     // TT[n - 1] has index n
    std::vector<CheckBox*> CC;    // index 1000 + n
    std::vector<PictureBox*> II;  // index 2000 + n
    std::vector<Line*> LN;        // index 3000 + n
    std::vector<Label*> LB;       // index 4000 + n
    std::map<int, Label*> LL;     // caption labels, same index as their box

    // Canvas width over frame width.
    double ZoomRatio() const;

    // The screen width in twips used to scale fonts of formats saved on other screens;
    // tests set it.
    double ScreenWidthTwips() const;
    void SetScreenWidthTwips(double twips) { screenWidth_ = twips; }

    // ---- Commands of the window ------------------------------------------------------
    // Filled in by the shell's main window when it is built; empty without one (tests of
    // the format store run without it).
    QTreeWidget* TV = nullptr;         // the format category tree
    std::array<QToolButton*, 3> Zm{};  // zoom: larger, smaller, frame width
    GridView* FMSF = nullptr;          // the small format grid under the zoom buttons
    // The label-sheet page: page bar, preview scroll bar, preview frame and picture, the
    // settings (columns, rows, -, area width mm, area height mm) and the direction.
    QScrollBar* HS1 = nullptr;
    QScrollBar* VS1 = nullptr;
    QFrame* LFrm = nullptr;
    PictureWidget* PTag = nullptr;
    std::array<QLineEdit*, 5> TNum{};
    QCheckBox* TagDir = nullptr;
    // CK[1] the background picture in every label, CK[6] the separator lines; PPS the page
    // indicator "n/m"; CB[14] prints the page shown, CB[15] from it to the last page.
    std::map<int, QCheckBox*> CK;
    QLabel* PPS = nullptr;
    std::map<int, QPushButton*> CB;
    std::map<int, QPushButton*> COM;  // the command buttons by index
    QAction* mCtlSame = nullptr;      // the menu of box alignment and sizes
    // Enables or disables a button or menu action (nothing for null).
    void SetCommandEnabled(QObject* command, bool enabled);

Q_SIGNALS:
    // An option check box changed its value (O2_Click).
    void OptionClicked(int index);

private:
    double frameWidth_ = 9000, frameHeight_ = 6000;
    double screenWidth_ = 0;
};

// The main window's state; created on first use. The main window holds it and it goes with
// the window (or with ResetMF); nothing destroys it after the application is gone.
MainForm& MF();
// Replaces the state (the main window when it goes, tests that start from a fresh one),
// deleting the one before; takes ownership.
void ResetMF(MainForm* form = nullptr);

}  // namespace bw
