#include "store/PictureRefresh.h"

#include <QFileInfo>
#include <cmath>

#include "barcode/BarcodeStandard.h"
#include "platform/Grid.h"
#include "platform/PictureFile.h"
#include "store/BoxAccessors.h"
#include "store/MainForm.h"
#include "store/PictureBox.h"
#include "store/PictureReading.h"

namespace bw {

namespace {
const QString kHint =
    QStringLiteral("点鼠标右键，在弹出菜单选相应的菜单项，可添加/更改图片或输入条码。");

void paintPicture(PictureBox* box) {
    DrawTarget& t = box->Target();
    if (!box->Picture().isNull())
        t.PaintPicture(box->Picture(), 0, 0, t.ScaleX(box->Width(), ScaleUnit::Twips),
                       t.ScaleY(box->Height(), ScaleUnit::Twips));
}

// The box's size in pixels of its surface: what its picture is read for.
QSize pixelSize(PictureBox* box) {
    const DrawTarget& t = box->Target();
    return QSize(int(std::ceil(t.ScaleX(box->Width(), ScaleUnit::Twips, ScaleUnit::Pixels))),
                 int(std::ceil(t.ScaleY(box->Height(), ScaleUnit::Twips, ScaleUnit::Pixels))));
}

void loadPicture(PictureBox* box, const QString& path) {
    bool reduced = false;
    const QImage picture = ReadShownPicture(path, pixelSize(box), &reduced);
    box->SetPicture(picture, reduced);
}

// The font name of the box's row, for the characters under a Code 39 symbol.
QString rowFontName(const PictureBox* box) {
    const Grid& g = MF().BoxGrid();
    const int row = BoxRow(box);
    if (row < g.FixedRows() || row >= g.Rows()) return box->Font().family();
    return g.TextMatrix(row, col::fName);
}
}  // namespace

bool IsPictureFileText(const QString& text) {
    if (text.endsWith(QLatin1String(".jpg"), Qt::CaseInsensitive)) return true;
    for (const char* ext : {".jpeg", ".bmp", ".gif", ".png", ".ico"})
        if (text.endsWith(QLatin1String(ext), Qt::CaseInsensitive)) return QFileInfo(text).isFile();
    return false;
}

void RefreshPictureBox(PictureBox* box, QString text) {
    if (!box) return;
    // Showing the same picture again only repaints it at the box's present size. A barcode is
    // always drawn anew, so that it follows a new size or standard.
    if (text.contains(u'.') && box->LinkItem == text && !box->Picture().isNull()) {
        // A picture held reduced is read again when the box has grown past it (and it is not
        // held at the most pixels a picture has already).
        const QSize need = pixelSize(box), held = box->Picture().size();
        if (box->PictureReduced() && qint64(held.width()) * held.height() < kMaxPicturePixels / 2 &&
            (held.width() < need.width() || held.height() < need.height())) {
            bool reduced = false;
            const QImage larger = ReadShownPicture(text, need, &reduced);
            if (!larger.isNull()) box->SetPicture(larger, reduced);
        }
        box->Cls();
        paintPicture(box);
        return;
    }
    box->SetToolTipText(kHint);
    if (!box->LinkItem.isEmpty()) {
        box->LinkItem.clear();
        box->SetPicture(QImage());
        box->Cls();
    }
    if (text.isEmpty()) return;
    if (IsPictureFileText(text)) {
        if (!QFileInfo(text).isFile()) return;
        box->LinkItem = text;
        loadPicture(box, text);
        box->Cls();
        paintPicture(box);
        box->SetToolTipText(QStringLiteral("当前图片：") + box->LinkItem);
        return;
    }
    DrawTarget& t = box->Target();
    BarcodeBox b;
    b.width = t.ScaleX(box->Width(), ScaleUnit::Twips, ScaleUnit::Millimeters);
    b.height = t.ScaleY(box->Height(), ScaleUnit::Twips, ScaleUnit::Millimeters);
    const double size = box->Font().pointSizeF();
    b.fontSize = size <= 2 ? 0 : size;
    b.fontName = rowFontName(box);
    b.code39MaxWidth = box->Width();
    DrawBarcode(t, text, b);
    box->LinkItem = text;
    box->SetToolTipText(QStringLiteral("当前条码：") + box->LinkItem);
}

}  // namespace bw
