#include "library/FormatCommands.h"

#include <QEvent>
#include <QLabel>

#include "library/FormatTree.h"
#include "platform/Dialogs.h"
#include "platform/Grid.h"
#include "platform/VbNumbers.h"
#include "store/BoxModel.h"
#include "store/CanvasSizing.h"
#include "store/FormatBatch.h"
#include "store/FormatOperations.h"
#include "store/LayoutChanges.h"
#include "store/MainForm.h"
#include "store/RowToBox.h"

namespace bw {

namespace {

const QString kNewFormatTitle = QStringLiteral("Bellweft-新建格式模板");

// Asks for one size until it is not zero; "" when the user gave up.
QString askSize(const QString& prompt, const QString& preset, const QString& zeroMessage) {
    for (;;) {
        const auto answer = dlg::InputBox(prompt, kNewFormatTitle, preset);
        if (!answer || answer->isEmpty()) return {};
        if (Val(*answer) > 0) return *answer;
        dlg::MsgBox(zeroMessage, dlg::OkOnly | dlg::Exclamation);
    }
}

class LabelEvents : public QObject {
public:
    explicit LabelEvents(QLabel* label) : QObject(label) {
        setObjectName(QStringLiteral("FormatLabelEvents"));
        label->installEventFilter(this);
    }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonDblClick) {
            LFMT_DblClick();
            return true;
        }
        return false;
    }
};

}  // namespace

FormatSizeCheck CheckFormatSize(const QString& width, const QString& height) {
    const double w = Val(width), h = Val(height);
    if (!(w > 0)) return FormatSizeCheck::WidthZero;
    if (!(h > 0)) return FormatSizeCheck::HeightZero;
    const double ratio = w / h;
    return ratio >= 0.05 && ratio <= 20 ? FormatSizeCheck::Ok : FormatSizeCheck::BadRatio;
}

void mNewFmt_Click() {
    MainForm& mf = MF();
    const QString previous = mf.CurrentFormat();
    if (!MayDropBatch() || !ResolveLayoutChanges()) return;
    const auto typed = dlg::InputBox(QStringLiteral("请输入需要新建的格式名称："), kNewFormatTitle);
    QString name = typed ? typed->trimmed() : QString();
    if (name.isEmpty() || !FormatNameAllowed(name)) return;

    QString width, height;
    for (;;) {
        width = askSize(QStringLiteral("输入格式模板宽度（单位：毫米）："), mf.Wid->text(),
                        QStringLiteral("单据宽度不能为零！"));
        if (width.isEmpty()) return;
        height = askSize(QStringLiteral("输入格式模板高度（单位：毫米）："), mf.Hie->text(),
                         QStringLiteral("单据高度不能为零！"));
        if (height.isEmpty()) return;
        if (CheckFormatSize(width, height) == FormatSizeCheck::Ok) break;
        dlg::MsgBox(QStringLiteral("单据的宽度与高度比例应为1：20到20：1之间,请重新输入！"),
                    dlg::OkOnly | dlg::Exclamation);
    }

    Grid& grid = mf.BoxGrid();
    if (grid.Rows() > grid.FixedRows()) {
        grid.SetRow(grid.FixedRows());
        grid.SetRowSel(grid.Rows() - 1);
        DeleteBoxRows(grid, false);
    }
    if (width != mf.Wid->text() || height != mf.Hie->text()) {
        mf.Wid->setText(width);
        mf.Hie->setText(height);
        SizeCanvasToFormat(Val(width), Val(height));
        ReloadFormatBoxes(grid, false);
    }
    if (!SaveFormatAs(name)) {
        // The open format was not replaced: show it as it is stored.
        if (!previous.isEmpty()) SelectFormat(previous, true);
        return;
    }
    DropBatch();  // its columns were the boxes of the format left
    MarkCurrentFormatNode(previous, name);
}

void LFMT_DblClick() {
    SelectFormat(QString());
}

void AttachFormatLabelEvents(QLabel* label) {
    if (!label ||
        label->findChild<QObject*>(QStringLiteral("FormatLabelEvents"), Qt::FindDirectChildrenOnly))
        return;
    new LabelEvents(label);
}

}  // namespace bw
