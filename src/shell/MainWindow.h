#pragma once
// The program's main window: the menu bar, and around the main window's state MF() (the
// canvas in its frame, the option check boxes, the format labels, the grids) the tab strip
// with its four pages, the command buttons, the zoom buttons, the format tree and the
// label-sheet page. It loads the last format when it opens and stores the options when it
// closes; closing it ends the program.

#include <QMainWindow>
#include <QPointer>
#include <QSize>
#include <array>
#include <map>

class QAction;
class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QScrollBar;
class QTimer;
class QToolButton;
class QTreeWidget;

namespace bw {

class BatchGridEvents;
class GridView;
class PictureWidget;
class TabStrip;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // Builds the window around MF(); Form_Load runs when it is shown by ShowMainWindow.
    MainWindow();
    ~MainWindow() override;

    // ---- Pages ------------------------------------------------------------------------
    TabStrip* SST;
    std::array<QWidget*, 4> Pic{};    // the pages: bill, batch data, history, label sheets
    QLabel* LBL;                      // the hint line under the tab strip
    std::array<QGroupBox*, 4> Frm{};  // [1] the option strip of page 0, [3] label settings
    QTreeWidget* TV;                  // the format tree, slid in from the frame's left edge
    std::array<GridView*, 4> MSF{};   // views of MF().MSF[1..3]
    QLineEdit* KW1;                   // batch search text
    QLineEdit* KWord;                 // history search text
    BatchGridEvents* GridEvents;      // the batch grid's editor, the history grid's sorting

    // Command buttons by index (also in MF().COM).
    std::map<int, QPushButton*> COM;

    // Timers: typing completion (50 ms, armed by a key press in a text box) and the one
    // new-version check 10 s after start-up.
    QTimer* AutoFind;
    QTimer* NewEditionTimer;

    // ---- Menus -----------------------------------------------------------------------
    std::array<QAction*, 2> m_PCom{};
    QAction* mNewFmt;
    std::map<int, QAction*> m_FCom;  // 30 choose, 31 save, 32 save as
    QAction* mManageFmt;
    QAction* mExportFmt;
    QAction* mImportFmt;
    QAction* DownFmt;
    QMenu* mCtlSame;
    QAction* mSetCrlfChr;
    QAction* mStrBarCodeStand;
    QAction* mSetCashChr;
    QAction* mNumCut;
    QAction* mInvoicePSDSet;
    QAction* mPSDSet;
    std::array<QAction*, 2> mTool{};
    QAction* mAddTable;
    QAction* mWizard;
    QAction* mModeFmt;
    QAction* mMoreHelp;
    QAction* mQQOnline1;
    QAction* mQQOnline2;
    QAction* mAbout;

    // ---- Lifecycle -------------------------------------------------------------------
    void Form_Load();
    void Form_Resize();
    void Form_Unload();
    void NewEditionTimer_Timer();
    void AutoFind_Timer();
    // The tab switch: shows the current tab's page with its grid sized over it.
    void SST_Click(int previous);

    // ---- Commands --------------------------------------------------------------------
    void COM_Click(int index);
    void m_PCom_Click(int index);
    void mTool_Click(int index);
    void mSetCashChr_Click();
    void mStrBarCodeStand_Click();
    // Every picture box draws its picture or barcode again.
    void RedrawBarcodes();
    void mSetCrlfChr_Click();
    void mPrintRulers_Click();
    void SaveFormatCommand();    // 保存格式
    void SaveFormatAsCommand();  // 另存格式

    // The window's outer geometry in twips (the rules of the layout work on it).
    double FormLeft() const { return formLeft_; }
    double FormTop() const { return formTop_; }
    double FormWidth() const { return formWidth_; }
    double FormHeight() const { return formHeight_; }
    void SetFormGeometry(double left, double top, double width, double height);
    void MoveForm(double left, double top);
    // The height in twips that the window's state gets under the menu bar: the outer height
    // less the window system's frame (once known) and the menu bar.
    double ClientHeightTw() const;

protected:
    void closeEvent(QCloseEvent* e) override;
    void moveEvent(QMoveEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    void buildPages();
    void buildBillPage();
    void buildBatchPage();
    void buildHistoryPage();
    void buildLabelPage();
    void buildMenus();
    // What the rest of the program asks of the window: the barcode redraw, the conversions'
    // month option and format name.
    void connectServices();
    QPushButton* addCommand(QWidget* page, int index, const QString& caption, const QString& tip);
    void applyFormGeometry();
    void SaveSoftSettings();

    double formLeft_ = 0, formTop_ = 0, formWidth_ = 0, formHeight_ = 0;
    QSize appliedDecoration_;  // the frame taken off the twips when last applied
    bool unloaded_ = false;
    // Closes the window once the operation that kept it open has ended.
    QTimer* closeWhenDone_ = nullptr;
};

// The main window, or null before it is built and after it closed.
MainWindow* TheMainWindow();
// Builds the main window, loads it (the last format opens) and shows it.
MainWindow* ShowMainWindow();

}  // namespace bw
