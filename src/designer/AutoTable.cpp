#include "designer/AutoTable.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

#include "platform/Dialogs.h"
#include "platform/OnlyCopy.h"
#include "platform/VbNumbers.h"
#include "store/BoxModel.h"
#include "store/BoxToRow.h"
#include "store/Canvas.h"
#include "store/Line.h"
#include "store/MainForm.h"

namespace bw {

std::optional<std::vector<TableRule>> TableRules(double x0, double y0, double x1, double y1,
                                                 double rows, double cols, QString* reason) {
    const double R = RoundHalfEven(rows), C = RoundHalfEven(cols);
    if (!(rows > 0) || !(cols > 0) || R < 1 || C < 1) {
        if (reason) *reason = QStringLiteral("行数和列数都必须大于0！");
        return std::nullopt;
    }
    const double dx = (x1 - x0) / cols, dy = (y1 - y0) / rows;
    std::vector<TableRule> out;
    for (int i = 0; i <= R; ++i) out.push_back({x0, y0 + i * dy, x1, y0 + i * dy});
    for (int j = 0; j <= C; ++j) out.push_back({x0 + j * dx, y0, x0 + j * dx, y1});
    return out;
}

void AddTableLine(double x1, double y1, double x2, double y2) {
    int kind = kLine;
    auto* line = dynamic_cast<Line*>(AddBox(kind, 0, 0));
    if (!line) return;
    MainForm& mf = MF();
    const double scale = mf.PG->Width() / mf.PaperWidthMm();
    line->SetEnds(CLng(x1 * scale), CLng(y1 * scale), CLng(x2 * scale), CLng(y2 * scale));
    UpdateRowFromBox(line);
}

AutoTable::AutoTable(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("AutoTable"));
    setWindowTitle(QStringLiteral("生成表格"));
    auto* grid = new QGridLayout(this);
    const char* presets[6] = {"10", "10", "50", "50", "2", "2"};
    for (int i = 0; i < 6; ++i) {
        T[i] = new QLineEdit(QString::fromLatin1(presets[i]), this);
        T[i]->setObjectName(QStringLiteral("T%1").arg(i));
    }
    auto label = [this](const char* text) { return new QLabel(QString::fromUtf8(text), this); };
    grid->addWidget(label("左上角坐标(毫米)："), 0, 0);
    grid->addWidget(label("X："), 0, 1);
    grid->addWidget(T[0], 0, 2);
    grid->addWidget(label("Y："), 0, 3);
    grid->addWidget(T[1], 0, 4);
    grid->addWidget(label("右下角坐标(毫米)："), 1, 0);
    grid->addWidget(label("X："), 1, 1);
    grid->addWidget(T[2], 1, 2);
    grid->addWidget(label("Y："), 1, 3);
    grid->addWidget(T[3], 1, 4);
    grid->addWidget(label("行数："), 2, 0);
    grid->addWidget(T[4], 2, 2);
    grid->addWidget(label("列数："), 2, 3);
    grid->addWidget(T[5], 2, 4);
    const char* captions[2] = {"确  定", "取  消"};
    for (int i = 0; i < 2; ++i) {
        COM[i] = new QPushButton(QString::fromUtf8(captions[i]), this);
        COM[i]->setObjectName(QStringLiteral("COM%1").arg(i));
        connect(COM[i], &QPushButton::clicked, this, [this, i] { COM_Click(i); });
        grid->addWidget(COM[i], 3, i == 0 ? 2 : 4);
    }
}

void AutoTable::COM_Click(int index) {
    if (index == 0) {
        double v[6];
        for (int i = 0; i < 6; ++i) v[i] = Val(T[i]->text());
        QString reason;
        const auto rules = TableRules(v[0], v[1], v[2], v[3], v[4], v[5], &reason);
        if (!rules) {
            dlg::MsgBox(reason);
            return;
        }
        if (BoxCount[kLine] + static_cast<int>(rules->size()) > kMaxBoxesPerKind) {
            dlg::MsgBox(
                QStringLiteral("每类输入框最多只能有%1个，无法生成此表格！").arg(kMaxBoxesPerKind));
            return;
        }
        for (const TableRule& r : *rules) AddTableLine(r.x1, r.y1, r.x2, r.y2);
    }
    close();
}

AutoTable* ShowAutoTable() {
    static QPointer<AutoTable> dialog;
    return ShowOnlyCopy(dialog, [] { return new AutoTable(dlg::DialogParent()); });
}

}  // namespace bw
