// Scroll bars painted in bands: the same pixels as the style paints in one go, and no fill
// handed to Qt's thread pool.

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <QImage>
#include <QScrollBar>
#include <QThreadPool>
#include <functional>

#include "platform/BandedScrollBars.h"

namespace {
int handedToPool = 0;
}  // namespace

// Counts the work that Qt's painter hands to its thread pool; the pool still does it. This
// definition in the test program stands in front of the library's, which it calls.
void QThreadPool::start(std::function<void()> work, int priority) {
    using Start = void (*)(QThreadPool*, std::function<void()>, int);
    static const auto real =
        reinterpret_cast<Start>(dlsym(RTLD_NEXT, "_ZN11QThreadPool5startESt8functionIFvvEEi"));
    ++handedToPool;
    real(this, std::move(work), priority);
}

namespace bw {
namespace {

struct Look {
    Qt::Orientation orientation;
    int length;
    bool enabled;
    bool sliderDown;
    int value;
};

// The bar painted over a ground of many colours, so that any pixel the bar leaves uncovered
// shows; counts the fills handed to the pool meanwhile.
QImage Paint(const Look& look, bool banded, int* handed) {
    QScrollBar bar(look.orientation);
    if (banded) PaintInBands(&bar);
    bar.resize(look.orientation == Qt::Vertical ? QSize(16, look.length) : QSize(look.length, 16));
    bar.setRange(0, 100);
    bar.setPageStep(20);
    bar.setValue(look.value);
    bar.setEnabled(look.enabled);
    bar.setSliderDown(look.sliderDown);
    QImage image(bar.size(), QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb(x * 37 & 255, y * 91 & 255, (x + y) * 13 & 255));
    handedToPool = 0;
    bar.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    *handed = handedToPool;
    return image;
}

TEST(BandedScrollBars, PaintTheStylesPixelsOnThePaintingThread) {
    int plainHanded = 0;
    for (Qt::Orientation o : {Qt::Vertical, Qt::Horizontal})
        for (int length : {30, kScrollBarBandRows, 200, 640, 1400})
            for (bool enabled : {true, false})
                for (bool down : {false, true})
                    for (int value : {0, 45, 100}) {
                        const Look look{o, length, enabled, down, value};
                        SCOPED_TRACE(testing::Message()
                                     << (o == Qt::Vertical ? "vertical " : "horizontal ") << length
                                     << (enabled ? "" : " disabled") << (down ? " held" : "")
                                     << " at " << value);
                        int plain = 0, banded = 0;
                        const QImage expected = Paint(look, false, &plain);
                        EXPECT_EQ(Paint(look, true, &banded), expected);
                        EXPECT_EQ(banded, 0);
                        plainHanded += plain;
                    }
    // The count sees what the style alone hands on.
    EXPECT_GT(plainHanded, 0);
}

}  // namespace
}  // namespace bw
