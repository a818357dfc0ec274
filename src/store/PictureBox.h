#pragma once
// A picture box on the canvas: shows a picture file or a barcode drawn on its surface, and
// keeps the text it shows (the file path or the barcode content) in LinkItem.

#include <QImage>

#include "platform/PictureWidget.h"
#include "store/BoxControl.h"

namespace bw {

class PictureBox : public PictureWidget, public BoxControl {
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent = nullptr);

    BoxKind Kind() const override { return kPictureBox; }
    QWidget* Widget() override { return this; }

    // The picture file path or barcode text the box shows.
    QString LinkItem;

    // 0 none, 1 single line (also the designer's selection look).
    int BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(int s);

    // The loaded picture of a picture content; null for a barcode or an empty box. It is held
    // at the size the box shows it (`reduced`) when the file's own is larger: printing then
    // reads the file again at the paper's size.
    const QImage& Picture() const { return picture_; }
    bool PictureReduced() const { return reduced_; }
    void SetPicture(const QImage& picture, bool reduced = false) {
        picture_ = picture;
        reduced_ = reduced;
    }

    int Alignment() const { return 0; }

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    int borderStyle_ = 0;
    QImage picture_;
    bool reduced_ = false;
};

}  // namespace bw
