#include "designer/PropertyDialog.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "common/Globals.h"
#include "common/SelFormat.h"
#include "platform/Dialogs.h"
#include "platform/Grid.h"
#include "platform/VbNumbers.h"
#include "store/BoxAccessors.h"
#include "store/BoxControl.h"
#include "store/BoxEditing.h"
#include "store/BoxModel.h"
#include "store/MainForm.h"
#include "store/RowToBox.h"

namespace bw {

namespace {

const char* kDataField = "DataField";

// Swallows the keys that would change a combo box's choice; Tab still moves on.
class KeyRefuser : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() != QEvent::KeyPress && e->type() != QEvent::KeyRelease) return false;
        const int key = static_cast<QKeyEvent*>(e)->key();
        return key != Qt::Key_Tab && key != Qt::Key_Backtab;
    }
};

}  // namespace

PropertyDialog::PropertyDialog(int kind, QWidget* parent) : QDialog(parent), kind_(kind) {
    CtlRow = new QLineEdit(QStringLiteral("0"), this);
    CtlRow->setObjectName(QStringLiteral("CtlRow"));
    CtlRow->hide();
    connect(CtlRow, &QLineEdit::textChanged, this, [this] { CtlRow_Change(); });
}

PropertyDialog::~PropertyDialog() = default;

void PropertyDialog::Bind(BoxControl* box) {
    if (box_) disconnect(box_, &QObject::destroyed, this, nullptr);
    boxPtr_ = box;
    box_ = dynamic_cast<QObject*>(box);
    if (box_)
        connect(box_, &QObject::destroyed, this, [this] {
            boxPtr_ = nullptr;
            close();
        });
}

void PropertyDialog::Open(BoxControl* box) {
    opening_ = true;
    Bind(box);
    const QString row = NumText(box ? BoxRow(box) : 0);
    if (CtlRow->text() == row)
        CtlRow_Change();
    else
        CtlRow->setText(row);
    opening_ = false;
}

BoxControl* PropertyDialog::EditedBox() const {
    return box_ ? boxPtr_ : nullptr;
}

void PropertyDialog::CtlRow_Change() {
    const int row = static_cast<int>(CLng(Val(CtlRow->text())));
    if (!opening_) {
        // Someone named a row: the dialog edits that row's box.
        BoxControl* b = BoxOfRow(row);
        Bind(b && b->Kind() == kind_ ? b : nullptr);
    }
    loading_ = true;
    LoadRow(row);
    loading_ = false;
    marks_.clear();
    changed_ = false;
}

void PropertyDialog::Mark(const QObject* control) {
    if (loading_) return;
    marks_.insert(control);
    changed_ = true;
}

void PropertyDialog::SaveAndClose() {
    BoxControl* edited = EditedBox();
    if (changed_ && edited) {
        Grid& grid = MF().BoxGrid();
        const int row = BoxRow(edited);
        std::vector<BoxControl*> targets;
        for (int i = FirstBoxIndex(kind_); i <= LastBoxIndex(kind_); ++i) {
            BoxControl* b = GetBoxByIndex(i);
            if (b && (BoxRow(b) == row || IsBoxSelected(b))) targets.push_back(b);
        }
        for (BoxControl* b : targets) {
            const int r = BoxRow(b);
            if (r < grid.FixedRows() || r >= grid.Rows()) continue;
            WriteRow(grid, r);
            BoxControl* shown = nullptr;
            ApplyRowToBox(grid, r, shown);
            if (shown) AfterApply(shown);
        }
    }
    close();
}

void PropertyDialog::done(int result) {
    if (!unloaded_) {
        unloaded_ = true;
        Unloading();
        marks_.clear();
        deleteLater();
    }
    QDialog::done(result);
}

QLineEdit* PropertyDialog::AddField(QGridLayout* layout, int i, int row, int column,
                                    const QString& label, const QString& tooltip,
                                    const QString& text, int dataField) {
    auto* caption = new QLabel(label, this);
    auto* field = new QLineEdit(text, this);
    field->setObjectName(QStringLiteral("TT%1").arg(i));
    field->setToolTip(tooltip);
    field->setMinimumWidth(72);
    field->setProperty(kDataField, dataField);
    caption->setBuddy(field);
    layout->addWidget(caption, row, column);
    layout->addWidget(field, row, column + 1);
    TT[i] = field;
    connect(field, &QLineEdit::textChanged, this, [this, field] { Mark(field); });
    return field;
}

QGroupBox* PropertyDialog::BuildPlaceGroup(bool withSize, bool bound) {
    auto* place = new QGroupBox(QStringLiteral("内容框位置/大小(毫米)"), this);
    auto* layout = new QGridLayout(place);
    AddField(layout, 1, 0, 0, QStringLiteral("横向坐标："), QStringLiteral("输入框的横向位置。"),
             QStringLiteral("0"), bound ? col::X : -1);
    AddField(layout, 2, 0, 2, QStringLiteral("纵向坐标："), QStringLiteral("输入框的纵向位置。"),
             QStringLiteral("0"), bound ? col::Y : -1);
    if (!withSize) return place;
    AddField(layout, 3, 1, 0, QStringLiteral("宽："), QStringLiteral("输入框的横向宽度。"),
             QStringLiteral("0"), bound ? col::W : -1);
    AddField(layout, 4, 1, 2, QStringLiteral("高："), QStringLiteral("输入框的纵向高度。"),
             QStringLiteral("0"), bound ? col::H : -1);
    return place;
}

int PropertyDialog::DataField(const QLineEdit* field) {
    if (!field) return -1;
    const QVariant v = field->property(kDataField);
    return v.isValid() ? v.toInt() : -1;
}

QPushButton* PropertyDialog::AddButton(int i, const QString& caption, const QString& tooltip) {
    auto* b = new QPushButton(caption, this);
    b->setObjectName(QStringLiteral("COM%1").arg(i));
    b->setAutoDefault(false);
    if (!tooltip.isEmpty()) b->setToolTip(tooltip);
    COM[i] = b;
    return b;
}

// ---- the font sample ----------------------------------------------------------------

QGroupBox* PropertyDialog::BuildFontGroup(const QString& caption, int fontIndex,
                                          const QString& fontCaption, const QString& sampleText) {
    auto* group = new QGroupBox(caption, this);
    auto* layout = new QGridLayout(group);
    const QString tip = QStringLiteral("修改输入框内的字体/字号/颜色等。");
    QPushButton* font = AddButton(fontIndex, fontCaption, tip);
    QPushButton* name = AddButton(4, QStringLiteral("字体"), tip);
    QPushButton* colour = AddButton(5, QStringLiteral("颜色"), tip);
    connect(font, &QPushButton::clicked, this, [this] { ChooseSampleFont(); });
    connect(name, &QPushButton::clicked, this, [this] { ChooseSampleFontName(); });
    connect(colour, &QPushButton::clicked, this, [this] { ChooseSampleColour(); });
    auto* sample = new QLineEdit(sampleText, this);
    sample->setObjectName(QStringLiteral("TT7"));
    sample->setReadOnly(true);
    sample->setToolTip(QStringLiteral("输入框字体/字号/颜色等示例显示。"));
    sample->setMinimumHeight(40);
    TT[7] = sample;
    layout->addWidget(font, 0, 0);
    layout->addWidget(name, 0, 1);
    layout->addWidget(colour, 0, 2);
    layout->addWidget(sample, 1, 0, 1, 3);
    return group;
}

QColor PropertyDialog::SampleColour() const {
    return TT[7] ? TT[7]->palette().color(QPalette::Text) : QColor(Qt::black);
}

void PropertyDialog::SetSampleColour(const QColor& c) {
    if (!TT[7]) return;
    QPalette p = TT[7]->palette();
    p.setColor(QPalette::Text, c);
    p.setColor(QPalette::WindowText, c);
    TT[7]->setPalette(p);
}

int PropertyDialog::SampleAlignment() const {
    if (!TT[7]) return 0;
    const Qt::Alignment a = TT[7]->alignment();
    if (a & Qt::AlignRight) return 1;
    if (a & Qt::AlignHCenter) return 2;
    return 0;
}

void PropertyDialog::SetSampleAlignment(int a) {
    if (!TT[7]) return;
    const Qt::Alignment h = a == 1 ? Qt::AlignRight : a == 2 ? Qt::AlignHCenter : Qt::AlignLeft;
    TT[7]->setAlignment(h | Qt::AlignVCenter);
}

bool PropertyDialog::ChooseSampleFont() {
    if (!TT[7]) return false;
    // A cancelled font dialog changes nothing: it must not push the loaded font onto every
    // selected box.
    const auto choice = dlg::ChooseFontDialog({TT[7]->font(), SampleColour()});
    if (!choice) return false;
    TT[7]->setFont(choice->font);
    if (choice->color.isValid()) SetSampleColour(choice->color);
    Mark(TT[7]);
    return true;
}

bool PropertyDialog::ChooseSampleFontName() {
    if (!TT[7]) return false;
    const QString current = TT[7]->font().family();
    ChosenItem = current;
    const QString chosen = RunChooser(QStringLiteral("Font"));
    if (chosen.isEmpty() || chosen == current) return false;
    QFont f = TT[7]->font();
    f.setFamily(chosen);
    TT[7]->setFont(f);
    Mark(COM[4]);
    return true;
}

bool PropertyDialog::ChooseSampleColour() {
    const QColor current = SampleColour();
    const auto c = dlg::ChooseColorDialog(current);
    if (!c || !c->isValid() || c->rgb() == current.rgb()) return false;
    SetSampleColour(*c);
    Mark(COM[5]);
    return true;
}

// ---- the caption and its side ---------------------------------------------------------

QGroupBox* PropertyDialog::BuildCaptionGroup() {
    auto* group = new QGroupBox(QStringLiteral("标签内容/位置"), this);
    auto* layout = new QGridLayout(group);
    AddField(layout, 0, 0, 0, QStringLiteral("内容："), QStringLiteral("输入框的提示标签内容。"),
             QString(), col::LBL);
    layout->setColumnStretch(1, 1);
    posGroup_ = new QButtonGroup(this);
    const char* sides[4] = {"控件上边", "控件左边", "控件右边", "控件下边"};
    auto* options = new QGridLayout;
    for (int k = 0; k < 4; ++k) {
        POS[k] = new QRadioButton(QString::fromUtf8(sides[k]), this);
        POS[k]->setObjectName(QStringLiteral("POS%1").arg(k));
        POS[k]->setToolTip(QStringLiteral("输入框的提示标签所在位置。"));
        posGroup_->addButton(POS[k], k);
        options->addWidget(POS[k], k / 2, k % 2);
        connect(POS[k], &QRadioButton::clicked, this, [this, k] {
            PlacePreviewLabel(k);
            Mark(POS[0]);
        });
    }
    layout->addLayout(options, 1, 0, 1, 2);
    Picture1 = new QFrame(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setFrameShape(QFrame::StyledPanel);
    Picture1->setToolTip(QStringLiteral("标签位置示例显示。"));
    Picture1->setFixedSize(240, 96);
    TXT = new QLineEdit(QStringLiteral("示例"), Picture1);
    TXT->setReadOnly(true);
    TXT->setFocusPolicy(Qt::NoFocus);
    TXT->setGeometry(80, 34, 80, 26);
    LBL = new QLabel(QStringLiteral("标签"), Picture1);
    LBL->adjustSize();
    layout->addWidget(Picture1, 0, 2, 2, 1);
    connect(TT[0], &QLineEdit::textChanged, this, [this](const QString& text) {
        LBL->setText(text);
        PlacePreviewLabel(ChosenSide());
    });
    POS[0]->setChecked(true);
    PlacePreviewLabel(0);
    return group;
}

int PropertyDialog::ChosenSide() const {
    for (int k = 0; k < 4; ++k)
        if (POS[k] && POS[k]->isChecked()) return k;
    return 0;
}

void PropertyDialog::ShowSide(int side) {
    if (side < 0 || side > 3 || !POS[side]) return;
    POS[side]->setChecked(true);
    PlacePreviewLabel(side);
}

void PropertyDialog::PlacePreviewLabel(int side) {
    if (!LBL || !TXT) return;
    LBL->adjustSize();
    const QRect t = TXT->geometry();
    const QSize s = LBL->size();
    switch (side) {
        case 1:
            LBL->move(t.left() - s.width(), t.top() + 3);
            break;
        case 2:
            LBL->move(t.right() + 1, t.top() + 3);
            break;
        case 3:
            LBL->move(t.left(), t.bottom() + 1);
            break;
        default:
            LBL->move(t.left(), t.top() - s.height());
            break;
    }
}

QWidget* PropertyDialog::BuildOkCancel(int ok, int cancel) {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addStretch(1);
    QPushButton* okButton = AddButton(ok, QStringLiteral("确  定"));
    QPushButton* cancelButton = AddButton(cancel, QStringLiteral("取  消"));
    okButton->setParent(row);
    cancelButton->setParent(row);
    layout->addWidget(okButton);
    layout->addWidget(cancelButton);
    connect(okButton, &QPushButton::clicked, this, [this] { SaveAndClose(); });
    connect(cancelButton, &QPushButton::clicked, this, [this] { close(); });
    return row;
}

bool ChooseItemByCode(QComboBox* combo, double code) {
    for (int i = 0; i < combo->count(); ++i) {
        if (Val(combo->itemText(i)) == code) {
            combo->setCurrentIndex(i);
            return true;
        }
    }
    return false;
}

void RefuseKeys(QWidget* combo) {
    combo->installEventFilter(new KeyRefuser(combo));
}

}  // namespace bw
