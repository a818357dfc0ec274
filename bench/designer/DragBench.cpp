// Dragging a selection of 200 boxes on the canvas by one step per mouse move, against an
// anchor run beside it: painting 200 outlined rectangles into a canvas-sized picture.
// The figure to watch is a step of the drag (goal: under one frame, 16 ms) and its ratio to
// the anchor.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QTemporaryDir>
#include <QTextEdit>

#include "common/Schema.h"
#include "designer/CanvasEvents.h"
#include "platform/AppFolder.h"
#include "platform/Settings.h"
#include "platform/Twips.h"
#include "store/BoxControl.h"
#include "store/BoxLook.h"
#include "store/BoxModel.h"
#include "store/Canvas.h"
#include "store/CanvasSizing.h"
#include "store/FormatTable.h"
#include "store/MainForm.h"
#include "store/TextBox.h"

using namespace bw;

namespace {

TextBox* first = nullptr;

void layOut() {
    MainForm& mf = MF();
    mf.SetFrameSize(15000, 9000);
    mf.Wid->setText(QStringLiteral("297"));
    mf.Hie->setText(QStringLiteral("210"));
    SizeCanvasToFormat(297, 210);
    QString name = QStringLiteral("二百框");
    mf.SetCurrentFormat(name);
    LoadBoxesIntoGrid(mf.BoxGrid(), name);
    InitBoxModule();
    for (int i = 0; i < 200; ++i) {
        int kind = kTextBox;
        BoxControl* b = AddBox(kind, 300 + (i % 20) * 700, 300 + (i / 20) * 800);
        SetBoxSelectLook(b, false);
        if (i == 0) first = static_cast<TextBox*>(b);
    }
    InstallCanvasDesigner();
    mf.resize(1100, 800);
    mf.show();
    QApplication::processEvents();
}

void mouse(QWidget* w, QEvent::Type type, double cx, double cy, Qt::MouseButton b,
           Qt::MouseButtons bs) {
    const QPointF p = w->mapFrom(MF().PG, QPointF(TwipsToPixelsF(cx), TwipsToPixelsF(cy)));
    QMouseEvent e(type, p, w->mapToGlobal(p), b, bs, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

void drag(benchmark::State& state, bool repaint) {
    QWidget* w = first->Editor()->viewport();
    const double x = first->Left() + 40, y = first->Top() + 40;
    mouse(w, QEvent::MouseMove, x, y, Qt::NoButton, Qt::NoButton);  // the move zone
    mouse(w, QEvent::MouseButtonPress, x, y, Qt::LeftButton, Qt::LeftButton);
    int sign = 1;
    for (auto _ : state) {
        // One step of 15 units (a pixel) from the pointer's place in the box.
        mouse(w, QEvent::MouseMove, first->Left() + 40 + 15 * sign, first->Top() + 40, Qt::NoButton,
              Qt::LeftButton);
        if (repaint) QApplication::processEvents();
        sign = -sign;
    }
    mouse(w, QEvent::MouseButtonRelease, x, y, Qt::LeftButton, Qt::NoButton);
}

void BM_Drag200SelectedBoxesOneStep(benchmark::State& state) {
    drag(state, false);
}
BENCHMARK(BM_Drag200SelectedBoxesOneStep)->Unit(benchmark::kMillisecond);

void BM_Drag200SelectedBoxesOneStepAndRepaint(benchmark::State& state) {
    drag(state, true);
}
BENCHMARK(BM_Drag200SelectedBoxesOneStepAndRepaint)->Unit(benchmark::kMillisecond);

void BM_Anchor_Paint200Rectangles(benchmark::State& state) {
    QImage img(1100, 800, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QPainter p(&img);
        p.fillRect(img.rect(), Qt::white);
        for (int i = 0; i < 200; ++i) {
            const QRect r(20 + (i % 20) * 47, 20 + (i / 20) * 53, 40, 25);
            p.fillRect(r, QColor(208, 208, 208));
            p.drawRect(r);
        }
        p.end();
        benchmark::DoNotOptimize(img.constBits());
    }
}
BENCHMARK(BM_Anchor_Paint200Rectangles)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    SetSettingsFolder(dir.filePath("settings"));
    SetAppPath(dir.filePath("data"));
    EnsureDatabase();
    layOut();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    UnloadAllBoxes();
    ResetMF();
    return 0;
}
