// Pictures of the box menu and the bill menu open over the canvas (in the artifact folder),
// every item captioned in Chinese.

#include <QAction>
#include <QMenu>
#include <QPainter>
#include <QRegularExpression>
#include <QTest>

#include "DesignerFixture.h"
#include "designer/CanvasMenus.h"
#include "store/BoxModel.h"
#include "store/Canvas.h"
#include "store/Label.h"
#include "store/MainForm.h"
#include "store/TextBox.h"

using namespace bw;
using namespace bw::test;

namespace {

class MenuPictures : public DesignerTest {
protected:
    // Opens the menu as the right click would, then saves the window with the menu over it.
    void shoot(const QString& file) {
        SetMenuPopper([file](QMenu* menu, const QPoint& at) {
            menu->popup(at);
            ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
            for (QAction* a : menu->actions()) {
                if (!a->isVisible() || a->isSeparator()) continue;
                EXPECT_FALSE(a->text().contains(QRegularExpression("[A-Za-z]")))
                    << a->text().toStdString();
            }
            MainForm& mf = MF();
            QImage picture = mf.grab().toImage();
            QPainter p(&picture);
            p.drawPixmap(mf.mapFromGlobal(menu->pos()), menu->grab());
            p.end();
            menu->close();
            EXPECT_TRUE(picture.save(ArtifactDir() + QLatin1Char('/') + file));
        });
    }
};

TEST_F(MenuPictures, TheBoxMenuAndTheBillMenuOverTheCanvas) {
    BoxControl* t = add(kTextBox, 30, 20);
    CaptionLabel(t->Index())->SetCaption(QStringLiteral("金额"));
    PlaceBoxLabel(t);
    BoxControl* pic = add(kPictureBox, 110, 20);
    shoot(QStringLiteral("designer_box_menu.png"));
    QTest::mouseClick(mouseTarget(t), Qt::RightButton, {}, QPoint(10, 10));
    shoot(QStringLiteral("designer_picture_box_menu.png"));
    QTest::mouseClick(mouseTarget(pic), Qt::RightButton, {}, QPoint(10, 10));
    shoot(QStringLiteral("designer_bill_menu.png"));
    press(mm(60), mm(60), Qt::RightButton);
    release(mm(60), mm(60), Qt::RightButton);
}

}  // namespace
