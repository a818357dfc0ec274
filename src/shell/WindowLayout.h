#pragma once
// The main window laid out for the screen: it fills the screen's work area and places its
// tab strip, pages, canvas frame with scroll bars, the hint line under the tabs and the
// label-sheet page by fixed rules in twips; and two services every window uses (the strip
// below the work area, centring a window on the work area).
//
// Controls keep their geometry in twips as set (a dynamic property of the widget) and sit
// at the nearest screen pixels, so that chained rules do not gather rounding errors.

class QWidget;

namespace bw {

// Geometry of a child control in twips of its parent.
double TwLeft(const QWidget* w);
double TwTop(const QWidget* w);
double TwWidth(const QWidget* w);
double TwHeight(const QWidget* w);
void SetTwLeft(QWidget* w, double v);
void SetTwTop(QWidget* w, double v);
void SetTwWidth(QWidget* w, double v);
void SetTwHeight(QWidget* w, double v);
void SetTwGeometry(QWidget* w, double left, double top, double width, double height);

// The screen in twips.
double ScreenWidthTw(const QWidget* window = nullptr);
double ScreenHeightTw(const QWidget* window = nullptr);

// Twips of the screen below the bottom edge of the work area (0 with the taskbar at the
// top or a side).
int GetTaskbarHeight(const QWidget* window = nullptr);

// Moves a top-level window so that it is centred across the screen and down the screen less
// the strip below the work area; its size stays.
void CenterForm(QWidget* form);

// Lays out the main window (called once when it loads) and makes it visible.
void LayoutMainForm();

}  // namespace bw
