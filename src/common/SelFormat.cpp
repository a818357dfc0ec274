#include "common/SelFormat.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPointer>
#include <QStyle>
#include <QVBoxLayout>

#include "common/Common.h"
#include "common/Database.h"
#include "common/Globals.h"
#include "common/Services.h"
#include "platform/Dialogs.h"
#include "platform/Grid.h"
#include "platform/ShowAndWait.h"

namespace bw {

namespace {
QPointer<SelFormat>& current() {
    static QPointer<SelFormat> c;
    return c;
}
}  // namespace

QString ChoiceAnswer(const QString& text) {
    QString t = text.trimmed();
    const auto bar = t.indexOf(kChoiceSeparator);
    if (bar >= 0) t.truncate(bar);
    return t;
}

SelFormat::SelFormat(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("请选择格式名称"));
    CMB = new QComboBox(this);
    CMB->setEditable(true);
    CMB->setInsertPolicy(QComboBox::NoInsert);
    CMB->setCompleter(nullptr);
    CMB->setToolTip(QStringLiteral("要选择的单据格式名称。"));
    CMB->setMinimumWidth(280);
    CMB->setMaxVisibleItems(20);
    CMB->lineEdit()->installEventFilter(this);
    COM[0] = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton),
                             QStringLiteral("确定"), this);
    COM[1] = new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton),
                             QStringLiteral("取消"), this);
    COM[0]->setDefault(true);
    connect(COM[0], &QPushButton::clicked, this, [this] { COM_Click(0); });
    connect(COM[1], &QPushButton::clicked, this, [this] { COM_Click(1); });
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(COM[0]);
    buttons->addWidget(COM[1]);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(CMB);
    layout->addLayout(buttons);
    current() = this;
}

SelFormat::~SelFormat() = default;

SelFormat* SelFormat::Current() {
    return current();
}

void SelFormat::Form_Load() {
    SetTopmost(this);
    CMB->lineEdit()->setReadOnly(!ChooserTyping);
    if (ChooserMode == QLatin1String("Format")) {
        FillComboDistinct(CMB, QStringLiteral("Fmt"));
        const auto& name = Doors().store.currentFormat;
        CMB->setEditText(name ? name() : QString());
    } else if (ChooserMode == QLatin1String("Control")) {
        FillChoiceList(CMB);
    } else if (ChooserMode == QLatin1String("CtlClas")) {
        CMB->clear();
        for (const char* item : {"0｜文本框", "1｜可选框", "2｜图像框", "3｜线条", "4｜标签"})
            CMB->addItem(QString::fromUtf8(item));
        CMB->setCurrentIndex(0);
    } else if (ChooserMode == QLatin1String("Font")) {
        setWindowTitle(QStringLiteral("请选择字体名称"));
        CMB->clear();
        CMB->addItems(QFontDatabase::families());
        CMB->setEditText(ChosenItem);
    } else {
        CMB->clear();
        CMB->setEditText(QString());
    }
    ChosenItem.clear();
}

// The boxes of the open format: "ID｜serial｜caption" for every row of the box property grid.
void SelFormat::FillChoiceList(QComboBox* combo) {
    combo->clear();
    const auto& boxGrid = Doors().store.boxGrid;
    const Grid* grid = boxGrid ? boxGrid() : nullptr;
    if (!grid) return;
    for (int r = grid->FixedRows(); r < grid->Rows(); ++r)
        combo->addItem(grid->TextMatrix(r, 0) + kChoiceSeparator + grid->TextMatrix(r, 1) +
                       kChoiceSeparator + grid->TextMatrix(r, 2));
}

void SelFormat::COM_Click(int index) {
    ChosenItem = index == 0 ? ChoiceAnswer(CMB->currentText()) : QString();
    done(index == 0 ? Accepted : Rejected);
}

// Without typing, a click on the list's text opens the list, as on a list that only
// chooses.
bool SelFormat::eventFilter(QObject* watched, QEvent* event) {
    if (watched == CMB->lineEdit() && !ChooserTyping && event->type() == QEvent::MouseButtonPress) {
        CMB->showPopup();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

QString RunChooser(const QString& mode, bool typing, const QString& caption) {
    auto* dialog = new SelFormat(dlg::DialogParent());
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->ChooserMode = mode;
    dialog->ChooserTyping = typing;
    if (!caption.isEmpty()) dialog->setWindowTitle(caption);
    dialog->Form_Load();
    if (!caption.isEmpty()) dialog->setWindowTitle(caption);
    ShowAndWait(dialog);
    return ChosenItem;
}

}  // namespace bw
