#pragma once
// The main window laid out for the screen: it fills the screen's work area and places its
// tab strip, pages, canvas frame with scroll bars, the hint line under the tabs and the
// label-sheet page by fixed rules in twips (common/TwipGeometry).

#include <QRectF>

class QWidget;

namespace bw {

class MainWindow;

// Lays out the main window (called once when it loads) and makes it visible.
void LayoutMainForm();

// The rules of the layout below the window's own geometry: the tab strip, its pages, the canvas
// frame with its scroll bars, the hint line and the label-sheet page. Run again when the window
// system's frame becomes known after the window came up.
void PlaceMainFormPages();

// The work area of the window's screen (the screen less the desktop's bars) in twips from
// the screen's top-left corner.
QRectF WorkAreaTw(const QWidget* window);

// Centres the main window on the work area; its size stays.
void CenterMainForm(MainWindow* window);

}  // namespace bw
