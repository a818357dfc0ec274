#include "library/FormatListData.h"

#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QPixmap>
#include <QScrollBar>
#include <cmath>

#include "common/GridFunctions.h"
#include "common/Params.h"
#include "common/Schema.h"
#include "platform/Dialogs.h"
#include "platform/PictureFile.h"
#include "platform/VbNumbers.h"
#include "store/BackgroundPicture.h"

namespace bw {

namespace {
const QString kKeySeparator = QStringLiteral("||");
}

void FillFormatGrid(Grid& grid, bool highlight, const QString& current) {
    SetupGrid(grid,
              {QStringLiteral("ID"), QString(), QString(), QStringLiteral("Fmt"),
               QStringLiteral("W"), QStringLiteral("H")},
              {QStringLiteral("ID"), QStringLiteral("序号"), QStringLiteral("选择"),
               QStringLiteral("格式名称"), QStringLiteral("宽(毫米)"), QStringLiteral("高(毫米)")});
    grid.SetTag(QStringLiteral("Fmt"));
    FillGridFromSql(grid, QStringLiteral("LBL=?"), QStringLiteral("Fmt"), {kWholeFormatLabel});
    grid.SetColAlignment(kFormatListTickCol, AlignCenterCenter);
    for (int r = grid.FixedRows(); r < grid.Rows(); ++r) {
        if (grid.TextRef(r, kFormatListNameCol) != current) continue;
        grid.SetTextMatrix(r, kFormatListTickCol, kTickMark);
        grid.Select(r, kFormatListTickCol, r, grid.Cols() - 1);
        if (highlight) SetRowBackColour(grid, r, kFormatListRed);
        break;
    }
    // Fitted again with the tick in place, so that the tick column is as wide as its caption.
    AutoFitGridColumns(nullptr, grid, grid.FixedRows(), false);
}

void ShowCurrentFormatRow(Grid& grid, GridColor colour, const QString& current) {
    for (int r = grid.FixedRows(); r < grid.Rows(); ++r) {
        if (grid.TextRef(r, kFormatListNameCol) == current) {
            SetRowBackColour(grid, r, colour);
            return;
        }
    }
}

int FindInFormatGrid(Grid& grid, const QString& keyword, int firstCol, int lastCol) {
    if (keyword.isEmpty()) {
        dlg::MsgBox(QStringLiteral("请先输入关键词！"), dlg::OkOnly | dlg::Exclamation);
        return -1;
    }
    const int dataRows = grid.Rows() - grid.FixedRows();
    int row = grid.Row();
    for (int n = 0; n < dataRows; ++n) {
        ++row;
        if (row >= grid.Rows() || row < grid.FixedRows()) row = grid.FixedRows();
        for (int c = firstCol; c <= lastCol; ++c) {
            if (!grid.TextRef(row, c).contains(keyword)) continue;
            grid.SetTopRow(row);
            grid.Select(row, grid.FixedCols(), row, grid.Cols() - 1);
            return row;
        }
    }
    return -1;
}

QStringList SearchKeysOf(const QString& stored) {
    QStringList keys;
    for (const QString& k : stored.split(kKeySeparator))
        if (!k.isEmpty()) keys << k;
    return keys;
}

QString SearchKeysText(const QString& current, const QStringList& items) {
    QString value = current;
    for (const QString& item : items)
        if (item != current) value += kKeySeparator + item;
    return value;
}

void LoadSearchKeys(QComboBox* box, const QString& param) {
    if (!box) return;
    box->clear();
    const QStringList keys = SearchKeysOf(GetParam(param));
    box->addItems(keys);
    if (!keys.isEmpty()) box->setEditText(keys.first());
}

void SaveSearchKeys(const QComboBox* box, const QString& param) {
    if (!box) return;
    QStringList items;
    for (int i = 0; i < box->count(); ++i) items << box->itemText(i);
    SetParam(param, SearchKeysText(box->currentText(), items));
}

int PictureScrollMax(double imageHeight, double frameHeight) {
    if (frameHeight <= 0 || imageHeight <= frameHeight) return 0;
    return CInt(imageHeight / frameHeight * 10);
}

bool ShowFormatPicture(QLabel* image, QString text, QWidget* frame, QScrollBar* bar) {
    if (!image || !frame) return false;
    if (!QFileInfo(text).isFile()) text = BackgroundPicturePath(text);
    image->clear();
    image->setGeometry(0, 0, frame->width(), frame->height());
    if (bar) bar->setEnabled(false);
    if (!QFileInfo(text).isFile()) return false;
    const int w = frame->width();
    // Read no larger than it is shown: as wide as the frame.
    const QImage picture = ReadPicture(text, QSize(std::max(1, w), 1)).image;
    if (picture.isNull() || picture.width() <= 0) return false;
    const int h = std::max(1, int(std::lround(double(w) * picture.height() / picture.width())));
    image->setGeometry(0, 0, w, h);
    image->setPixmap(
        QPixmap::fromImage(picture.scaled(w, h, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
    if (bar) {
        const int max = PictureScrollMax(h, frame->height());
        bar->setEnabled(max > 0);
        bar->setRange(0, max);
        bar->setValue(0);
        bar->setSingleStep(1);
        bar->setPageStep(10);
    }
    return true;
}

void ScrollFormatPicture(QLabel* image, QWidget* frame, int value) {
    if (!image || !frame) return;
    image->move(0, -int(std::lround(value * frame->height() / 10.0)));
}

}  // namespace bw
