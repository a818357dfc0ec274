// The dialog facade: Qt's standard texts in Chinese, file filters, and the window a dialog
// stands in front of.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QTimer>

#include "TestSupport.h"
#include "platform/Dialogs.h"
#include "platform/QtTranslations.h"

using namespace bw;

TEST(QtTranslations, StandardButtonsSpeakChinese) {
    const QString file = QLibraryInfo::path(QLibraryInfo::TranslationsPath) + "/qtbase_zh_CN.qm";
    if (!QFileInfo::exists(file))
        GTEST_SKIP() << "Qt's Chinese translation is not installed (Debian package "
                        "qt6-translations-l10n): "
                     << file.toStdString();
    ASSERT_TRUE(InstallQtTranslations());
    EXPECT_TRUE(InstallQtTranslations());  // a second call changes nothing
    QMessageBox box;
    box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel | QMessageBox::Yes);
    for (auto b : {QMessageBox::Ok, QMessageBox::Cancel, QMessageBox::Yes}) {
        const QString text = box.button(b)->text().remove('&');
        EXPECT_NE(text, "OK");
        EXPECT_NE(text, "Cancel");
        EXPECT_NE(text, "Yes");
        EXPECT_FALSE(text.isEmpty());
    }
}

TEST(DialogFacade, AnInputBoxIsWideEnoughForItsWholeTitle) {
    dlg::SetAnswerer({});
    const QString title = "Bellweft-新建格式模板";
    int width = 0, needed = 0;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->windowTitle(), title);
        width = box->width();
        needed = box->fontMetrics().horizontalAdvance(title);
        box->reject();
    });
    const auto typed = dlg::InputBox("请输入需要新建的格式名称：", title);
    test::InstallDefaultAnswerer();
    EXPECT_FALSE(typed.has_value());
    EXPECT_GE(width, needed + 100);
}

TEST(DialogFacade, EachFilterShowsItsPatternsOnce) {
    const struct {
        const char* program;
        const char* qt;
    } cases[] = {
        {"PDF文件(*.pdf)|*.pdf", "PDF文件 (*.pdf)"},
        {"图片文件|*.jpg;*.bmp", "图片文件 (*.jpg *.bmp)"},
        {"表格(*.xls;*.csv)|*.xls;*.csv|所有文件 (*.*)|*.*", "表格 (*.xls *.csv);;所有文件 (*.*)"},
        {"(*.txt)|*.txt", "*.txt (*.txt)"},
        {"说明(旧)版本|*.fmt", "说明(旧)版本 (*.fmt)"},
    };
    for (const auto& c : cases) EXPECT_EQ(dlg::QtFilter(c.program), c.qt) << c.program;
}

TEST(DialogFacade, AMessageStandsInFrontOfAWindowKeptOnTop) {
    QWidget main;
    main.show();
    dlg::SetDialogParent(&main);
    EXPECT_EQ(dlg::FrontWindow(), &main);

    QDialog onTop;
    onTop.setWindowFlag(Qt::WindowStaysOnTopHint, true);
    onTop.show();
    EXPECT_EQ(dlg::FrontWindow(), &onTop);
    test::ScriptedAnswers answers;
    dlg::MsgBox("打印机没有连接");
    ASSERT_EQ(dlg::ShownLog().size(), 1);
    EXPECT_EQ(dlg::ShownLog().last().parent, &onTop);

    onTop.hide();
    EXPECT_EQ(dlg::FrontWindow(), &main);
    dlg::SetDialogParent(nullptr);
}
