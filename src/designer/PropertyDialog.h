#pragma once
// What the property dialogs of the boxes share: the hidden row field CtlRow that names the
// box property grid row being edited, the change marks of the field groups, the changed
// flag, and the saving that writes only the marked groups into the edited box's row and into
// the row of every selected box of the same kind, then shows each row on its box.
//
// A dialog is bound to the box it was opened on. When that box goes away while the dialog is
// open (deleted, or the format reloaded) the dialog closes without writing anything, so that
// no property ever lands in another box that has taken the row.
//
// It also holds the pieces several dialogs have: the font sample with its font, font-name and
// colour buttons, and the caption preview with its four side options.

#include <QDialog>
#include <QPointer>
#include <array>
#include <set>

class QButtonGroup;
class QComboBox;
class QFrame;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace bw {

class BoxControl;
class Grid;

class PropertyDialog : public QDialog {
    Q_OBJECT
public:
    // A dialog for boxes of one kind (BoxKind).
    PropertyDialog(int kind, QWidget* parent);
    ~PropertyDialog() override;

    int BoxKindEdited() const { return kind_; }

    // The hidden row field: setting its text loads that row and binds the dialog to its box.
    QLineEdit* CtlRow;
    // The text fields and buttons of the dialog, by their index (unused ones stay null).
    std::array<QLineEdit*, 8> TT{};
    std::array<QPushButton*, 6> COM{};

    // Binds the dialog to the box and loads its row.
    void Open(BoxControl* box);
    // The box being edited; null when it has gone away.
    BoxControl* EditedBox() const;

    // True after any edit since the row was loaded.
    bool Changed() const { return changed_; }
    // True when the group of the control has been changed since the row was loaded.
    bool IsMarked(const QObject* control) const { return marks_.count(control) > 0; }

    // OK: writes the marked groups into every target (nothing when nothing changed or when the
    // edited box has gone) and closes.
    void SaveAndClose();

protected:
    // Fills the fields from the row (marks raised while loading are cleared afterwards).
    virtual void LoadRow(int row) = 0;
    // Writes the marked groups into a target's row.
    virtual void WriteRow(Grid& grid, int row) = 0;
    // After the row was shown on the box (the picture drawn again, the text converted).
    virtual void AfterApply(BoxControl*) {}
    // The dialog is closing, whether saved or not.
    virtual void Unloading() {}

    // Marks a group as changed (not while a row is being loaded) and sets the changed flag.
    void Mark(const QObject* control);
    void ClearMark(const QObject* control) { marks_.erase(control); }
    bool Loading() const { return loading_; }

    // A labelled text field TT(i) in the layout at (row, column), taking two columns; it marks
    // itself when its text changes. dataField is its grid column (-1 for none).
    QLineEdit* AddField(QGridLayout* layout, int i, int row, int column, const QString& label,
                        const QString& tooltip, const QString& text, int dataField = -1);
    // The frame "内容框位置/大小(毫米)": the fields TT(1) across and TT(2) down and, withSize,
    // TT(3) width and TT(4) height; `bound` fields carry their grid columns (X, Y, W, H).
    QGroupBox* BuildPlaceGroup(bool withSize, bool bound = true);
    // The grid column of a field (its DataField), -1 for none.
    static int DataField(const QLineEdit* field);
    // A button COM(i).
    QPushButton* AddButton(int i, const QString& caption, const QString& tooltip = QString());

    // ---- the font sample and its buttons --------------------------------------------
    // A frame with the font-dialog button COM(fontIndex), the font-name button COM(4), the
    // colour button COM(5) and the sample TT(7).
    QGroupBox* BuildFontGroup(const QString& caption, int fontIndex, const QString& fontCaption,
                              const QString& sampleText);
    QColor SampleColour() const;
    void SetSampleColour(const QColor& c);
    // The sample's alignment: 0 left, 1 right, 2 centre.
    int SampleAlignment() const;
    void SetSampleAlignment(int a);
    // The button handlers: true when they changed the sample (and marked their group).
    bool ChooseSampleFont();
    bool ChooseSampleFontName();
    bool ChooseSampleColour();

    // ---- the caption and its side -----------------------------------------------------
    // A frame with the caption field TT(0), the side options POS(0..3) and the preview.
    QGroupBox* BuildCaptionGroup();
    // The first chosen side option; 0 when none.
    int ChosenSide() const;
    // Chooses the side and places the preview label (no mark).
    void ShowSide(int side);
    std::array<QRadioButton*, 4> POS{};
    QFrame* Picture1 = nullptr;
    QLineEdit* TXT = nullptr;  // the preview's sample box "示例"
    QLabel* LBL = nullptr;     // the preview's sample label "标签"

    // The OK and Cancel pair: COM(ok) saves and closes, COM(cancel) closes.
    QWidget* BuildOkCancel(int ok, int cancel);

    // Every way of closing ends here: the dialog unloads (once) and is deleted afterwards.
    void done(int result) override;

public:
    // True once the dialog has closed.
    bool Unloaded() const { return unloaded_; }

private:
    void CtlRow_Change();
    void Bind(BoxControl* box);
    void PlacePreviewLabel(int side);

    int kind_;
    QPointer<QObject> box_;
    BoxControl* boxPtr_ = nullptr;
    std::set<const QObject*> marks_;
    bool changed_ = false;
    bool loading_ = false;
    bool opening_ = false;
    bool unloaded_ = false;
    QButtonGroup* posGroup_ = nullptr;
};

// Chooses the combo box item whose text's leading number equals `code`; false (the combo as
// it was) when none does.
bool ChooseItemByCode(QComboBox* combo, double code);

// Makes a combo box refuse the keyboard: its choice changes only by the mouse.
void RefuseKeys(QWidget* combo);

}  // namespace bw
