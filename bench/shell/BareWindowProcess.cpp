// The anchor of the start benchmark: a bare QMainWindow process that shows itself and ends
// at its first paint. With `--text` it shows one line of Chinese text: the font set-up that
// any window showing Chinese pays, and the bare window does not. With `--bill` one widget
// paints, with plain QPainter calls, the texts and lines the program's first window shows
// with the benchmark's 200-box format: menu and tab captions, the ruler's grid and numbers,
// the boxes' frames, values and captions; no widget per box, no data, no database.

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QPaintEvent>
#include <QPainter>
#include <QTabBar>
#include <QVBoxLayout>
#include <cstdlib>

#include "ChildProcess.h"

namespace {

class BareWindow : public QMainWindow {
protected:
    void paintEvent(QPaintEvent* e) override {
        QMainWindow::paintEvent(e);
        QMetaObject::invokeMethod(
            qApp,
            [] {
                bench::ReportPeakMemory();
                std::_Exit(0);
            },
            Qt::QueuedConnection);
    }
};

// The first window's bill, drawn as the start benchmark's format lies: 200 boxes of 20 × 6 mm
// in rows of ten, 150 of them with a value, each with a caption to its left, on a grid of
// millimetres with numbered centimetres. The process ends after the window's first paint,
// which paints this widget too.
class BillFloor : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), Qt::white);
        const double mm = logicalDpiX() / 25.4;
        for (int i = 0; i <= 210; ++i) {
            p.setPen(i % 10 == 0 ? QColor(0xE0, 0x80, 0x40) : QColor(0xF8, 0xD0, 0xB0));
            p.drawLine(QPointF(0, i * mm), QPointF(297 * mm, i * mm));
        }
        for (int i = 0; i <= 297; ++i) {
            p.setPen(i % 10 == 0 ? QColor(0xE0, 0x80, 0x40) : QColor(0xF8, 0xD0, 0xB0));
            p.drawLine(QPointF(i * mm, 0), QPointF(i * mm, 210 * mm));
        }
        QFont numbers = font();
        numbers.setPointSizeF(15.0 * 15.0 / 20.0);
        p.setFont(numbers);
        p.setPen(Qt::black);
        for (int cm = 0; cm <= 29; ++cm)
            p.drawText(QPointF(cm * 10 * mm + 2, 14), QString::number(cm));
        for (int cm = 1; cm <= 20; ++cm)
            p.drawText(QPointF(2, cm * 10 * mm + 14), QString::number(cm));
        QFont boxes(QStringLiteral("宋体"));
        boxes.setPointSizeF(9);
        p.setFont(boxes);
        for (int i = 0; i < 200; ++i) {
            const QRectF box((20 + (i % 10) * 27) * mm, (6 + (i / 10) * 10) * mm, 20 * mm, 6 * mm);
            p.drawRect(box);
            if (i < 150)
                p.drawText(box, Qt::AlignLeft | Qt::AlignVCenter, QString::number(1000 + i * 37));
            p.drawText(box.translated(-box.width(), 0), Qt::AlignRight | Qt::AlignVCenter,
                       QStringLiteral("框%1").arg(i));
        }
    }
};

void addWindowTexts(QMainWindow& w) {
    for (const char* m : {"打印(&P)", "格式(&F)", "内容框设置(&C)", "设置", "工具", "帮助(&H)"})
        w.menuBar()->addMenu(QString::fromUtf8(m));
    auto* central = new QWidget;
    auto* layout = new QVBoxLayout(central);
    auto* tabs = new QTabBar;
    for (const char* t : {" 单 据 打 印", " 批 量 数 据", " 历 史 记 录", " 标 签 打 印"})
        tabs->addTab(QString::fromUtf8(t));
    layout->addWidget(tabs);
    layout->addWidget(new BillFloor, 1);
    layout->addWidget(
        new QLabel(QStringLiteral("在输入框中填好单据内容，点“打印”即可把内容套打在预印的单据上；"
                                  "格式可在“格式”菜单中选择、保存和另存。")));
    w.setCentralWidget(central);
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    BareWindow w;
    w.resize(1024, 700);
    if (argc > 1 && qstrcmp(argv[1], "--text") == 0)
        w.setCentralWidget(new QLabel(QStringLiteral("单据打印 批量数据 历史记录 标签打印")));
    if (argc > 1 && qstrcmp(argv[1], "--bill") == 0) addWindowTexts(w);
    w.show();
    return QApplication::exec();
}
