#include "DesignerFixture.h"

#include <QTest>
#include <QTextEdit>

#include "common/Database.h"
#include "common/Schema.h"
#include "designer/CanvasEvents.h"
#include "designer/CanvasMenus.h"
#include "designer/DesignState.h"
#include "platform/Twips.h"
#include "store/BoxAccessors.h"
#include "store/BoxControl.h"
#include "store/BoxModel.h"
#include "store/Canvas.h"
#include "store/CanvasOptions.h"
#include "store/CanvasSizing.h"
#include "store/FormatTable.h"
#include "store/MainForm.h"
#include "store/TextBox.h"

namespace bw::test {

namespace {
// The widget that holds the mouse between a press and its release.
QWidget* grabbed = nullptr;

void send(QWidget* w, QEvent::Type type, double x, double y, Qt::MouseButton b, Qt::MouseButtons bs,
          Qt::KeyboardModifiers m) {
    const QPointF inCanvas(TwipsToPixelsF(x), TwipsToPixelsF(y));
    const QPointF local = w == MF().PG ? inCanvas : w->mapFrom(MF().PG, inCanvas);
    QMouseEvent e(type, local, w->mapToGlobal(local), b, bs, m);
    QApplication::sendEvent(w, &e);
}

QWidget* widgetAt(double x, double y) {
    Canvas* pg = MF().PG;
    QWidget* w = pg->childAt(QPointF(TwipsToPixelsF(x), TwipsToPixelsF(y)).toPoint());
    return w ? w : pg;
}
}  // namespace

void DesignerTest::SetUp() {
    CloseDatabase();
    ASSERT_TRUE(EnsureDatabase());
    ResetMF(new MainForm);
    ConnectCanvasHandlers();
    InitBoxModule();
    MainForm& mf = MF();
    mf.SetFrameSize(12000, 9000);
    mf.Wid->setText(QStringLiteral("200"));
    mf.Hie->setText(QStringLiteral("100"));
    ASSERT_TRUE(SizeCanvasToFormat(200, 100));
    QString name = QStringLiteral("设计");
    mf.SetCurrentFormat(name);
    LoadBoxesIntoGrid(mf.BoxGrid(), name);
    mf.mCtlSame = new QAction(QStringLiteral("内容框设置(&C)"), &mf);
    InstallCanvasDesigner();
    mf.resize(900, 700);
    mf.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&mf));
    Design() = DesignState{};
    grabbed = nullptr;
}

void DesignerTest::TearDown() {
    SetMenuPopper({});
    UnloadMenus();
    UnloadAllBoxes();
    ResetMF();
    CloseDatabase();
}

BoxControl* DesignerTest::add(int kind, double xMm, double yMm) {
    BoxControl* b = AddBox(kind, mm(xMm), mm(yMm));
    QApplication::processEvents();
    return b;
}

QString DesignerTest::cell(BoxControl* box, int column) {
    return MF().BoxGrid().TextMatrix(BoxRow(box), column);
}
void DesignerTest::setCell(BoxControl* box, int column, const QString& text) {
    MF().BoxGrid().SetTextMatrix(BoxRow(box), column, text);
}

QWidget* mouseTarget(BoxControl* box) {
    // A text box's first click reaches the box itself; later ones its editor.
    auto* t = dynamic_cast<TextBox*>(box);
    if (t && t->HasEditor()) return t->Editor()->viewport();
    return box->Widget();
}

void press(double x, double y, Qt::MouseButton b, Qt::KeyboardModifiers m) {
    grabbed = widgetAt(x, y);
    send(grabbed, QEvent::MouseButtonPress, x, y, b, b, m);
}

void move(double x, double y, Qt::MouseButtons buttons, Qt::KeyboardModifiers m) {
    QWidget* w = buttons && grabbed ? grabbed : widgetAt(x, y);
    send(w, QEvent::MouseMove, x, y, Qt::NoButton, buttons, m);
}

void release(double x, double y, Qt::MouseButton b, Qt::KeyboardModifiers m) {
    QWidget* w = grabbed ? grabbed : widgetAt(x, y);
    send(w, QEvent::MouseButtonRelease, x, y, b, Qt::NoButton, m);
    grabbed = nullptr;
}

void drag(double x0, double y0, double x1, double y1, Qt::KeyboardModifiers m) {
    press(x0, y0, Qt::LeftButton, m);
    move(x1, y1, Qt::LeftButton, m);
    release(x1, y1, Qt::LeftButton, m);
}

void click(double x, double y, Qt::MouseButton b, Qt::KeyboardModifiers m) {
    press(x, y, b, m);
    release(x, y, b, m);
}

}  // namespace bw::test
