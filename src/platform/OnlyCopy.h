#pragma once
// Windows of which the program keeps one copy at a time: asked for again, the open copy comes
// to the front instead of a second one.

#include <QPointer>
#include <QWidget>

namespace bw {

// Shows `copy`, made by `make()` (and deleted when closed) when none is open, in front of
// the other windows; returns it.
template <class W, class Make>
W* ShowOnlyCopy(QPointer<W>& copy, Make make) {
    if (!copy) {
        copy = make();
        copy->setAttribute(Qt::WA_DeleteOnClose);
    }
    copy->show();
    copy->raise();
    copy->activateWindow();
    return copy;
}

}  // namespace bw
