#pragma once
// Setting a widget's palette only when that changes it. Widget code builds the palette it sets
// from palette() with a few colours set; when those colours were set the same way before, the
// result is the palette the widget has, and QWidget::setPalette would still work out the
// palette the widget inherits before finding that nothing changes.

#include <QPalette>
#include <QWidget>

namespace bw {

// As widget->setPalette(palette), doing nothing when the widget has a palette of its own that
// equals `palette`, colours and set roles alike.
inline void SetPaletteIfChanged(QWidget* widget, const QPalette& palette) {
    const QPalette& now = widget->palette();
    if (widget->testAttribute(Qt::WA_SetPalette) && palette == now &&
        palette.resolveMask() == now.resolveMask())
        return;
    widget->setPalette(palette);
}

}  // namespace bw
