#pragma once
// The filling's box handlers attached to a format shown as the main window shows it; helpers
// to type into its boxes through the events the window receives.

#include <QCoreApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTextEdit>

#include "FormatFixture.h"
#include "filling/FillingServices.h"
#include "store/BoxAccessors.h"
#include "store/TextBox.h"

namespace bw::test {

class FillingTest : public FormatFixture {
protected:
    void SetUp() override {
        FormatFixture::SetUp();
        InstallFillingServices();
    }
    // Sets one link column of a stored box (links to boxes stored later).
    void setLink(qint64 id, const char* column, double value) {
        ExecuteSql(QStringLiteral("UPDATE Fmt SET %1=? WHERE ID=?").arg(QLatin1String(column)),
                   {value, id});
    }
    // One earlier bill: (box ID, value) pairs under the bill number.
    void addBill(const QString& fmt, int bill,
                 const std::vector<std::pair<qint64, QString>>& rows) {
        for (const auto& [cid, con] : rows)
            ExecuteSql("INSERT INTO 历史(ID, Fmt, CID, Con) VALUES(?, ?, ?, ?)",
                       {bill, fmt, cid, con});
    }

    TextBox* box(qint64 id) { return dynamic_cast<TextBox*>(BoxOfRecordId(double(id))); }

    // The clerk leaves the box by Tab, by a pop-up menu, ... (the focus is the editor's)
    static void leave(TextBox* b, Qt::FocusReason why = Qt::TabFocusReason) {
        QFocusEvent e(QEvent::FocusOut, why);
        QCoreApplication::sendEvent(b->Editor(), &e);
    }
    static void enter(TextBox* b, Qt::FocusReason why = Qt::TabFocusReason) {
        QFocusEvent e(QEvent::FocusIn, why);
        QCoreApplication::sendEvent(b->Editor(), &e);
    }
    // Types text into the box and leaves it.
    static void type(TextBox* b, const QString& text) {
        b->SetText(text);
        leave(b);
    }
    // One key as the box receives it; true when the box took the character.
    static bool key(TextBox* b, QChar c) {
        const QString before = b->Text();
        QKeyEvent press(QEvent::KeyPress, c == u'\r' ? Qt::Key_Return : 0, Qt::NoModifier,
                        QString(c));
        QCoreApplication::sendEvent(b->Editor(), &press);
        return b->Text() != before;
    }
    // A click: the first into a box reaches the box itself, which then makes its editor;
    // the later ones reach the editor.
    static void click(TextBox* b) {
        QWidget* at = b->HasEditor() ? b->Editor()->viewport() : static_cast<QWidget*>(b);
        const QPointF p(3, 3);
        QMouseEvent down(QEvent::MouseButtonPress, p, p, Qt::LeftButton, Qt::LeftButton,
                         Qt::NoModifier);
        QMouseEvent up(QEvent::MouseButtonRelease, p, p, Qt::LeftButton, Qt::NoButton,
                       Qt::NoModifier);
        QCoreApplication::sendEvent(at, &down);
        QCoreApplication::sendEvent(at, &up);
    }
};

}  // namespace bw::test
