#include "designer/EditCtl.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <cmath>

#include "common/GridFunctions.h"
#include "common/Params.h"
#include "filling/BoxConversion.h"
#include "filling/DataEntry.h"
#include "filling/OptionText.h"
#include "platform/Dialogs.h"
#include "platform/Grid.h"
#include "platform/VbNumbers.h"
#include "printing/PrintEngine.h"
#include "store/BoxAccessors.h"
#include "store/BoxModel.h"
#include "store/BoxToRow.h"
#include "store/DataTypeCodes.h"
#include "store/MainForm.h"
#include "store/RowToBox.h"
#include "store/TextBox.h"

namespace bw {

namespace {

const QString kNoLink = QStringLiteral("000000｜没有相关联输入框");

// A signed link value without a negative zero.
QString LinkText(double v) {
    return NumText(v == 0 ? 0.0 : v);
}

// The value of a link list's chosen entry: the record ID before "｜".
double ChosenId(const QComboBox* list) {
    return Val(list->currentText());
}

}  // namespace

QString RelatedBoxEntry(double id, const QString& caption) {
    return QString::number(CLng64(id)).rightJustified(6, u'0') + QStringLiteral("｜") + caption;
}

EditCtl::EditCtl(QWidget* parent) : PropertyDialog(kTextBox, parent) {
    setObjectName(QStringLiteral("EditCtl"));
    setWindowTitle(QStringLiteral("添加/修改控件"));
    auto* top = new QGridLayout(this);

    // Position and size.
    QGroupBox* place = BuildPlaceGroup(true);

    // Alignment and spacing.
    auto* layoutGroup = new QGroupBox(QStringLiteral("排版方式"), this);
    auto* lay = new QGridLayout(layoutGroup);
    auto* alignGroup = new QButtonGroup(this);
    const char* aligns[3] = {"居左", "居右", "居中"};
    for (int i = 0; i < 3; ++i) {
        OpA[i] = new QRadioButton(QString::fromUtf8(aligns[i]), this);
        OpA[i]->setObjectName(QStringLiteral("OpA%1").arg(i));
        alignGroup->addButton(OpA[i], i);
        lay->addWidget(OpA[i], 0, i);
        connect(OpA[i], &QRadioButton::clicked, this, [this, i] {
            SetSampleAlignment(i);
            Mark(OpA[0]);
        });
    }
    auto* spacing = new QGridLayout;
    AddField(spacing, 5, 0, 0, QStringLiteral("字间距："), QStringLiteral("输入框打印时的字间距。"),
             QStringLiteral("0"), col::S);
    AddField(spacing, 6, 1, 0, QStringLiteral("行间距："), QStringLiteral("输入框打印时的行间距。"),
             QStringLiteral("0"), col::L);
    lay->addLayout(spacing, 1, 0, 1, 3);

    // Data type.
    auto* typeGroup = new QGroupBox(QStringLiteral("内容类别"), this);
    auto* typeLayout = new QGridLayout(typeGroup);
    CMB = new QComboBox(this);
    CMB->setObjectName(QStringLiteral("CMB"));
    CMB->setToolTip(QStringLiteral("选择输入框的数据类型。"));
    CMB->setMaxVisibleItems(20);
    RefuseKeys(CMB);
    connect(CMB, &QComboBox::activated, this, [this] { CMB_Click(); });
    LCode = new QLabel(InitialCountCaption(), this);
    LCode->setObjectName(QStringLiteral("LCode"));
    CashNum = new QLineEdit(InitialCountText(), this);
    CashNum->setObjectName(QStringLiteral("CashNum"));
    CashNum->setToolTip(
        QStringLiteral("小写金额或数字数据类型分散打印时，总共的格数（例邮编为6）。"));
    connect(CashNum, &QLineEdit::textChanged, this, [this] { Mark(CashNum); });
    connect(CashNum, &QLineEdit::editingFinished, this, [this] {
        const QString bounded = BoundedCountText(CashNum->text());
        if (bounded != CashNum->text()) CashNum->setText(bounded);
    });
    QPushButton* custom = AddButton(3, QStringLiteral("自定义"));
    custom->setEnabled(false);
    connect(custom, &QPushButton::clicked, this, [this] { CustomValue_Click(); });
    typeLayout->addWidget(CMB, 0, 0, 1, 3);
    typeLayout->addWidget(LCode, 1, 0);
    typeLayout->addWidget(CashNum, 1, 1);
    typeLayout->addWidget(custom, 1, 2);

    QGroupBox* fontGroup = BuildFontGroup(QStringLiteral("输入框"), 2, QStringLiteral("字体  设置"),
                                          QStringLiteral("字体示例"));

    // Related boxes.
    const QString relatedTip =
        QStringLiteral("本输入框与其他输入框的内容关联（此功能使用户减少重复输入）。");
    auto* related = new QGroupBox(QStringLiteral("相关联输入框"), this);
    auto* relLayout = new QGridLayout(related);
    for (int i = 0; i < 2; ++i) {
        RCtl[i] = NewLinkList(QStringLiteral("RCtl%1").arg(i));
        RCtl[i]->setToolTip(relatedTip);
        auto* label = new QLabel(QStringLiteral("内容相同/相关："), this);
        label->setObjectName(QStringLiteral("Label2_%1").arg(i));
        auto* pair = new QButtonGroup(this);
        relLayout->addWidget(label, i * 2, 0);
        relLayout->addWidget(RCtl[i], i * 2 + 1, 0);
        for (int k = 0; k < 2; ++k) {
            const int n = i * 2 + k;
            Op2[n] =
                new QRadioButton(k == 0 ? QStringLiteral("相同") : QStringLiteral("相关"), this);
            Op2[n]->setObjectName(QStringLiteral("Op2_%1").arg(n));
            pair->addButton(Op2[n], n);
            relLayout->addWidget(Op2[n], i * 2 + 1, 1 + k);
            connect(Op2[n], &QRadioButton::clicked, this, [this, i] { Mark(RCtl[i]); });
        }
        connect(RCtl[i], &QComboBox::activated, this, [this, i] {
            Mark(RCtl[i]);
            EnableLinkOptions();
        });
    }
    relLayout->setColumnStretch(0, 1);

    // Sum and product targets.
    const QString sumTip = QStringLiteral("本输入框内容（数值）累加至其他输入框，实现自动累计。");
    auto* sums = new QGroupBox(QStringLiteral("累加/乘至输入框"), this);
    auto* sumLayout = new QGridLayout(sums);
    CSUM = NewLinkList(QStringLiteral("CSUM"));
    CSUM1 = NewLinkList(QStringLiteral("CSUM1"));
    for (int i = 0; i < 2; ++i) {
        QComboBox* list = i == 0 ? CSUM : CSUM1;
        list->setToolTip(sumTip);
        sumLayout->addWidget(list, i, 0);
        auto* pair = new QButtonGroup(this);
        for (int k = 0; k < 2; ++k) {
            const int n = i * 2 + k;
            Op1[n] =
                new QRadioButton(k == 0 ? QStringLiteral("累加") : QStringLiteral("累乘"), this);
            Op1[n]->setObjectName(QStringLiteral("Op1_%1").arg(n));
            pair->addButton(Op1[n], n);
            sumLayout->addWidget(Op1[n], i, 1 + k);
            connect(Op1[n], &QRadioButton::clicked, this, [this, list] { Mark(list); });
        }
        Chk[i] = new QCheckBox(QStringLiteral("取负"), this);
        Chk[i]->setObjectName(QStringLiteral("Chk%1").arg(i));
        sumLayout->addWidget(Chk[i], i, 3);
        connect(Chk[i], &QCheckBox::clicked, this, [this, list] { Mark(list); });
        connect(list, &QComboBox::activated, this, [this, list] {
            Mark(list);
            EnableLinkOptions();
        });
    }
    sumLayout->setColumnStretch(0, 1);

    QGroupBox* caption = BuildCaptionGroup();

    top->addWidget(place, 0, 0);
    top->addWidget(layoutGroup, 1, 0);
    top->addWidget(typeGroup, 2, 0);
    top->addWidget(fontGroup, 3, 0);
    top->addWidget(related, 0, 1);
    top->addWidget(sums, 1, 1);
    top->addWidget(caption, 2, 1, 2, 1);
    top->addWidget(BuildOkCancel(0, 1), 4, 0, 1, 2);

    OpA[0]->setChecked(true);
    Op2[0]->setChecked(true);
    Op2[2]->setChecked(true);
    Op1[0]->setChecked(true);
    Op1[2]->setChecked(true);
    LoadUserFormat();
    EnableLinkOptions();
}

QComboBox* EditCtl::NewLinkList(const QString& name) {
    auto* list = new QComboBox(this);
    list->setObjectName(name);
    list->setMinimumContentsLength(18);
    list->addItem(kNoLink);
    RefuseKeys(list);
    return list;
}

void EditCtl::LoadUserFormat() {
    const QString format = MF().CurrentFormat();
    const int chosen = CMB->currentIndex();
    CMB->clear();
    CMB->addItems(EntriesWithCustomValues(
        [&format](int code) { return GetParam(CustomTypeKey(format, code)); }));
    CMB->setCurrentIndex(chosen < 0 ? 0 : chosen);
}

void EditCtl::SetAlignOp() {
    const int code = CLng(Val(CMB->currentText()));
    const bool enabled = code != 11 && code != 311 && code != 114 && code != 121;
    for (QRadioButton* o : OpA) o->setEnabled(enabled);
}

void EditCtl::LoadRow(int row) {
    Grid& grid = MF().BoxGrid();
    ApplyRowFont(grid, row, TT[7]);
    for (int i = 0; i <= 5; ++i) TT[i]->setText(grid.TextMatrix(row, DataField(TT[i])));
    const double packed = CellNumber(grid, row, col::L);
    TT[6]->setText(NumText(GetPackedValue(packed)));
    const int a = static_cast<int>(Fix(std::fabs(packed) / 1000));
    SetSampleAlignment(a);
    if (a >= 0 && a <= 2) OpA[a]->setChecked(true);
    ShowSide(SideCode(grid.TextMatrix(row, col::Dir)));
    ShowCashMeaning(CellNumber(grid, row, col::Cash));

    const double rctl[2] = {CellNumber(grid, row, col::RCtl), CellNumber(grid, row, col::RCtl1)};
    for (int i = 0; i < 2; ++i) {
        FillRelatedBoxList(rctl[i], RCtl[i]);
        Op2[i * 2 + (rctl[i] < 0 ? 1 : 0)]->setChecked(true);
    }
    const double sums[2] = {CellNumber(grid, row, col::SumID), CellNumber(grid, row, col::SumID1)};
    for (int i = 0; i < 2; ++i) {
        FillRelatedBoxList(Fix(sums[i]), i == 0 ? CSUM : CSUM1);
        Op1[i * 2 + (sums[i] < 0 ? 1 : 0)]->setChecked(true);
        Chk[i]->setChecked(sums[i] != Fix(sums[i]));
    }
    EnableLinkOptions();
    SetAlignOp();
    COM[3]->setEnabled(false);
}

void EditCtl::ShowCashMeaning(double cash) {
    const UnpackedCash u = UnpackCash(cash);
    LCode->setText(u.countCaption);
    CashNum->setText(NumText(u.count));
    CashNum->setEnabled(u.countEditable);
    ChooseItemByCode(CMB, u.code);
    if (!u.countEditable) {
        TT[5]->setEnabled(true);
        TT[6]->setEnabled(true);
    } else {
        TT[6]->setEnabled(false);
        TT[5]->setEnabled(u.code == 114 || u.code == 121);
    }
    ClearMark(CashNum);
    ClearMark(CMB);
}

void EditCtl::FillRelatedBoxList(double link, QComboBox* list) {
    Grid& grid = MF().BoxGrid();
    const int row = CLng(Val(CtlRow->text()));
    const double own = std::fabs(CellNumber(grid, row, col::ID));
    const double wanted = std::fabs(link);
    list->clear();
    list->addItem(kNoLink);
    list->setCurrentIndex(0);
    for (const int kind : {kTextBox, kPictureBox}) {
        for (int r = grid.FixedRows(); r < grid.Rows(); ++r) {
            if (CellNumber(grid, r, col::Clas) != kind) continue;
            const double id = CellNumber(grid, r, col::ID);
            if (id == own || id <= 0) continue;
            list->addItem(RelatedBoxEntry(id, grid.TextMatrix(r, col::LBL)));
            if (id == wanted) list->setCurrentIndex(list->count() - 1);
        }
    }
}

void EditCtl::EnableLinkOptions() {
    const bool r0 = ChosenId(RCtl[0]) != 0, r1 = ChosenId(RCtl[1]) != 0;
    Op2[0]->setEnabled(r0);
    Op2[1]->setEnabled(r0);
    Op2[2]->setEnabled(r1);
    Op2[3]->setEnabled(r1);
    const bool s0 = ChosenId(CSUM) != 0, s1 = ChosenId(CSUM1) != 0;
    Op1[0]->setEnabled(s0);
    Op1[1]->setEnabled(s0);
    Chk[0]->setEnabled(s0);
    Op1[2]->setEnabled(s1);
    Op1[3]->setEnabled(s1);
    Chk[1]->setEnabled(s1);
}

void EditCtl::CMB_Click() {
    double code = Val(CMB->currentText().left(3));
    if (code == 114 || code == 121) code += 0.11;
    ShowCashMeaning(code);
    Mark(CMB);
    SetAlignOp();
    COM[3]->setEnabled(CMB->currentText().contains(QStringLiteral("自定义")));
}

void EditCtl::CustomValue_Click() {
    const QString entry = CMB->currentText();
    const int code = EntryCode(entry);
    const QString key = CustomTypeKey(MF().CurrentFormat(), code);
    const auto answer = dlg::InputBox(CustomValuePrompt(code), QString(), GetParam(key));
    if (!answer || answer->isEmpty()) return;
    if (!CheckOptionValue(*answer, QStringLiteral("自定义数据格式"))) return;
    SetParam(key, *answer);
    const QString text = EntryWithCustomValue(entry, *answer);
    const QString head = text.left(text.indexOf(u'：'));
    int shown = CMB->currentIndex();
    for (int i = 0; i < CMB->count(); ++i) {
        if (!CMB->itemText(i).startsWith(head)) continue;
        CMB->setItemText(i, text);
        if (shown < 0) shown = i;
    }
    CMB->setCurrentIndex(shown);
}

void EditCtl::WriteRow(Grid& grid, int r) {
    if (IsMarked(COM[4])) grid.SetTextMatrix(r, col::fName, TT[7]->font().family());
    if (IsMarked(COM[5]))
        SetGridCellColour(grid, r, col::Color,
                          static_cast<GridColor>(ColorToRgbValue(SampleColour())), false);
    if (IsMarked(TT[0])) grid.SetTextMatrix(r, col::LBL, TT[0]->text());
    for (int i = 1; i <= 5; ++i)
        if (IsMarked(TT[i])) grid.SetTextMatrix(r, DataField(TT[i]), NumText(Val(TT[i]->text())));
    if (IsMarked(TT[6]) || IsMarked(OpA[0]))
        grid.SetTextMatrix(r, col::L,
                           NumText(PackOptionCode(Val(TT[6]->text()), SampleAlignment())));
    if (IsMarked(TT[7])) StoreControlFont(grid, r, TT[7]);
    if (IsMarked(POS[0])) grid.SetTextMatrix(r, col::Dir, SideName(ChosenSide()));
    for (int i = 0; i < 2; ++i) {
        QComboBox* list = i == 0 ? CSUM : CSUM1;
        if (!IsMarked(list)) continue;
        const double t = ChosenId(list);
        const double f = Chk[i]->isChecked() && t != 0 ? 0.1 : 0;
        const double v = Op1[i * 2]->isChecked() ? t + f : -(t + f);
        grid.SetTextMatrix(r, i == 0 ? col::SumID : col::SumID1, LinkText(v));
    }
    if (IsMarked(CMB) || IsMarked(CashNum))
        grid.SetTextMatrix(r, col::Cash,
                           NumText(PackCash(CLng(Val(CMB->currentText())), Val(CashNum->text()))));
    for (int i = 0; i < 2; ++i) {
        if (!IsMarked(RCtl[i])) continue;
        const double t = ChosenId(RCtl[i]);
        grid.SetTextMatrix(r, i == 0 ? col::RCtl : col::RCtl1,
                           LinkText(Op2[i * 2]->isChecked() ? t : -t));
    }
}

void EditCtl::AfterApply(BoxControl* box) {
    if (box->Kind() != kTextBox) return;
    auto* t = static_cast<TextBox*>(box);
    t->SetText(ConvertByDataType(t, GetBoxValue(t)));
}

void EditCtl::Unloading() {
    // Leaving the dialog is leaving the box: its text is converted again by its data type and
    // the boxes linked to it are calculated.
    if (BoxControl* box = EditedBox(); box && box->Kind() == kTextBox)
        TT_LostFocus(static_cast<TextBox*>(box));
}

}  // namespace bw
