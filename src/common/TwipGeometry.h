#pragma once
// Window geometry in twips: a control keeps its left, top, width and height in twips as
// set (a dynamic property of the widget) and sits at the nearest screen pixels, so that
// chained layout rules do not gather rounding errors; the screen and its work area in
// twips; centring a window on the work area.

#include <functional>

class QWidget;

namespace bw {

// Geometry of a child control in twips of its parent; a control never set reads its pixels.
double TwLeft(const QWidget* w);
double TwTop(const QWidget* w);
double TwWidth(const QWidget* w);
double TwHeight(const QWidget* w);
void SetTwLeft(QWidget* w, double v);
void SetTwTop(QWidget* w, double v);
// A negative size is refused, as a control refuses it.
void SetTwWidth(QWidget* w, double v);
void SetTwHeight(QWidget* w, double v);
void SetTwGeometry(QWidget* w, double left, double top, double width, double height);

// Told of every size set through SetTwWidth/SetTwHeight (the main window's state keeps the
// canvas frame's size in step this way). One observer; an empty function removes it.
void SetTwSizeObserver(std::function<void(QWidget*)> observer);

// The screen of the window (the primary screen without one) in twips.
double ScreenWidthTw(const QWidget* window = nullptr);
double ScreenHeightTw(const QWidget* window = nullptr);

// Twips of the screen below the bottom edge of the work area (0 with the taskbar at the
// top or a side).
int GetTaskbarHeight(const QWidget* window = nullptr);

// Moves a top-level window so that it is centred across the screen and down the screen less
// the strip below the work area; its size stays.
void CenterForm(QWidget* form);

}  // namespace bw
