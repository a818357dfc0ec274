// The main window's command buttons draw the look their style sheet once gave them: the same
// pixels in every state and the same sizes, for each caption the window uses.

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>

#include "shell/CommandButton.h"

using namespace bw;

namespace {

QImage picture(QWidget* w) {
    return w->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

}  // namespace

TEST(CommandButton, LooksAsItsStyleSheetDrewIt) {
    QWidget host;
    host.resize(300, 100);
    host.show();
    for (const char* caption : {"打印单据", "校准页", "打印当前记录", "查找"}) {
        for (const QSize size : {QSize(80, 22), QSize(30, 18), QSize(120, 30)}) {
            for (int state = 0; state < 4; ++state) {
                SCOPED_TRACE(std::string(caption) + " state " + std::to_string(state));
                QPushButton sheet(QString::fromUtf8(caption), &host);
                sheet.setStyleSheet(QStringLiteral(
                    "QPushButton { background-color: #C0C0FF; border: 1px solid #8080C0;"
                    " padding: 2px 8px; } QPushButton:disabled { color: #8080A0; }"));
                CommandButton own(QString::fromUtf8(caption), &host);
                for (QPushButton* b :
                     {static_cast<QPushButton*>(&sheet), static_cast<QPushButton*>(&own)}) {
                    b->resize(size);
                    b->show();
                    b->setEnabled(state != 1);
                    b->setDown(state == 2);
                    b->setDefault(state == 3);
                }
                QApplication::processEvents();
                EXPECT_EQ(own.sizeHint(), sheet.sizeHint());
                EXPECT_EQ(own.minimumSizeHint(), sheet.minimumSizeHint());
                EXPECT_EQ(picture(&own), picture(&sheet));
            }
        }
    }
}
