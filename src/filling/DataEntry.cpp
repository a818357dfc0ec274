#include "filling/DataEntry.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPointer>
#include <QTextCursor>
#include <QTextEdit>
#include <QTimer>
#include <algorithm>
#include <cmath>

#include "common/Common.h"
#include "common/Database.h"
#include "filling/AutoCalculate.h"
#include "filling/BoxConversion.h"
#include "filling/Links.h"
#include "platform/Grid.h"
#include "platform/SqlText.h"
#include "platform/VbNumbers.h"
#include "store/BoxAccessors.h"
#include "store/BoxDropDown.h"
#include "store/BoxEditing.h"
#include "store/BoxLook.h"
#include "store/BoxModel.h"
#include "store/Canvas.h"
#include "store/CheckBox.h"
#include "store/MainForm.h"
#include "store/TextBox.h"

namespace bw {

namespace {

QPointer<QTimer> externalTimer;
QPointer<QTimer> ownTimer;
QPointer<TextBox> autoCompleteBox;
QPointer<QComboBox> dropDown;
QPointer<TextBox> dropDownBox;

double boxIdentity(const BoxControl* box) {
    const Grid& g = MF().BoxGrid();
    const int row = BoxRow(box);
    if (row < g.FixedRows() || row >= g.Rows()) return 0;
    return Fix(Val(g.TextRef(row, col::ID)));
}

TextBox* textBoxByIndex(int index) {
    const auto& tt = MF().TT;
    if (index < 1 || index > int(tt.size())) return nullptr;
    return tt[index - 1];
}

// Key, mouse and focus events of the canvas boxes, handed to the handlers above.
class BoxEvents : public QObject {
public:
    static BoxEvents& Instance() {
        static BoxEvents* events = new BoxEvents;
        return *events;
    }

protected:
    bool eventFilter(QObject* watched, QEvent* e) override {
        // Keys and the focus arrive at the editor; the mouse at its viewport, or at the box
        // for the press that made the editor.
        TextBox::Part part = TextBox::Part::None;
        TextBox* box = TextBox::Owning(watched, &part);
        const bool onViewport = part == TextBox::Part::Viewport || part == TextBox::Part::Box;
        const bool onEditor = part == TextBox::Part::Editor;
        if (!box) return false;
        // A box being unloaded is no longer one of the bill's.
        const auto& tt = MF().TT;
        if (std::find(tt.begin(), tt.end(), box) == tt.end()) return false;
        switch (e->type()) {
            case QEvent::KeyPress:
                if (onEditor) return keyPress(box, static_cast<QKeyEvent*>(e));
                break;
            case QEvent::InputMethod:
                // Text committed by an input method is typed text too.
                if (onEditor && !static_cast<QInputMethodEvent*>(e)->commitString().isEmpty())
                    ArmAutoFind(box);
                break;
            case QEvent::FocusIn:
                if (onEditor) {
                    // A click into the box gives it the focus before the press arrives: the
                    // press's clearing of the colours comes first, then the box shows its own.
                    if (static_cast<QFocusEvent*>(e)->reason() == Qt::MouseFocusReason) {
                        if (!(QGuiApplication::keyboardModifiers() & Qt::ControlModifier))
                            HideRelationColor();
                        focusedByPress_ = box;
                    }
                    TT_GotFocus(box);
                }
                break;
            case QEvent::FocusOut:
                if (onEditor) {
                    const Qt::FocusReason why = static_cast<QFocusEvent*>(e)->reason();
                    // A pop-up menu or another window borrows the focus: the box is not left.
                    if (why != Qt::PopupFocusReason && why != Qt::ActiveWindowFocusReason &&
                        why != Qt::MenuBarFocusReason)
                        TT_LostFocus(box);
                }
                break;
            case QEvent::MouseButtonPress:
                if (!onViewport) break;
                if (focusedByPress_ == box)
                    focusedByPress_ = nullptr;
                else if (!(static_cast<QMouseEvent*>(e)->modifiers() & Qt::ControlModifier))
                    HideRelationColor();
                break;
            case QEvent::MouseButtonRelease:
                if (onViewport && static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton) {
                    if (afterDoubleClick_ == box)
                        afterDoubleClick_ = nullptr;
                    else
                        TT_Click(box);
                }
                break;
            case QEvent::MouseButtonDblClick:
                if (onViewport) {
                    afterDoubleClick_ = box;
                    TT_DblClick(box);
                    return true;
                }
                break;
            default:
                break;
        }
        return false;
    }

private:
    // The character a key types, as the key filter sees it: Backspace 8, Enter 13, a
    // printable character its code; 0 for keys that type nothing (arrows, Delete, Tab,
    // shortcuts such as Ctrl+V, which pastes unfiltered).
    static int keyAscii(const QKeyEvent* e) {
        if (e->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) return 0;
        if (e->key() == Qt::Key_Backspace) return 8;
        if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) return 13;
        const QString text = e->text();
        if (text.isEmpty() || text[0].unicode() < 32 || text[0].unicode() == 127) return 0;
        return text[0].unicode();
    }

    bool keyPress(TextBox* box, QKeyEvent* e) {
        const int key = keyAscii(e);
        if (key == 0) return false;
        return TT_KeyPress(box, key) == 0;
    }

    QPointer<TextBox> afterDoubleClick_;
    QPointer<TextBox> focusedByPress_;
};

// Hides the drop-down when it loses the focus to anything but its own list.
class DropDownEvents : public QObject {
protected:
    bool eventFilter(QObject* watched, QEvent* e) override {
        if (e->type() == QEvent::FocusOut &&
            static_cast<QFocusEvent*>(e)->reason() != Qt::PopupFocusReason) {
            if (auto* c = qobject_cast<QComboBox*>(watched)) c->setVisible(false);
        }
        return false;
    }
};

}  // namespace

int TT_KeyPress(TextBox* box, int keyAscii) {
    if (!box) return keyAscii;
    const int code = CLng(BoxDataType(box));
    if ((code >= 1 && code <= 99) || (code >= 105 && code <= 108)) NumericKeyFilter(keyAscii);
    if (keyAscii != 8) ArmAutoFind(box);
    return keyAscii;
}

void SetAutoFindTimer(QTimer* timer) {
    externalTimer = timer;
}

QTimer* AutoFindTimer() {
    if (externalTimer) return externalTimer;
    if (!ownTimer) {
        ownTimer = new QTimer;
        ownTimer->setInterval(50);
        ownTimer->setSingleShot(true);
        QObject::connect(ownTimer, &QTimer::timeout, [] { AutoFindTick(); });
    }
    return ownTimer;
}

void ArmAutoFind(TextBox* box) {
    autoCompleteBox = box;
    AutoFindTimer()->start();
}

QString CompletionFor(const QString& format, double boxId, const QString& typed) {
    // The box's values in the order of the history's index on (CID, Fmt, Con): in each span
    // of texts that may begin with the typed text, the first that does and the first after
    // it; two values end the search, however often each recurs in the history.
    const QString pattern = LikeLiteral(typed) + u'%';
    QStringList found;
    for (const sql::TextSpan& span : sql::LikePrefixSpans(typed)) {
        QString where =
            QStringLiteral("SELECT Con FROM 历史 WHERE Fmt=? AND CID=? AND Con LIKE ? ESCAPE '\\'");
        Params params{format, static_cast<qlonglong>(boxId), pattern};
        if (!span.low.isEmpty()) {
            where += QStringLiteral(" AND Con>=?");
            params << span.low;
        }
        if (!span.high.isNull()) {
            where += QStringLiteral(" AND Con<?");
            params << span.high;
        }
        for (bool after = false; found.size() < 2; after = true) {
            Recordset rs;
            OpenRecordset(rs,
                          where + (after ? QStringLiteral(" AND Con>?") : QString()) +
                              QStringLiteral(" ORDER BY Con LIMIT 1"),
                          after ? params + Params{found.last()} : params);
            if (rs.RecordCount() < 1) break;
            rs.MoveFirst();
            found << rs.Text(QStringLiteral("Con"));
            if (after) break;
        }
    }
    return found.size() == 1 ? found.first() : QString();
}

void AutoFindTick() {
    AutoFindTimer()->stop();
    TextBox* box = autoCompleteBox;
    if (!box) return;
    const QString typed = box->Text();
    const QString value = CompletionFor(MF().CurrentFormat(), boxIdentity(box), typed);
    if (value.isEmpty() || value == typed) return;
    QTextEdit* editor = box->Editor();
    const int n = int(editor->toPlainText().size());
    box->SetText(value);
    QTextCursor c = editor->textCursor();
    const int end = int(editor->toPlainText().size());
    c.setPosition(std::min(n, end));
    c.setPosition(end, QTextCursor::KeepAnchor);
    editor->setTextCursor(c);
}

QComboBox* BoxDropDown() {
    if (!dropDown) {
        static DropDownEvents* events = new DropDownEvents;
        dropDown = new QComboBox(MF().PG);
        dropDown->setObjectName(QStringLiteral("COMB"));
        dropDown->setEditable(true);
        dropDown->setInsertPolicy(QComboBox::NoInsert);
        dropDown->setVisible(false);
        dropDown->installEventFilter(events);
        QObject::connect(dropDown, &QComboBox::editTextChanged, [] { COMB_Change(); });
        QObject::connect(dropDown, &QComboBox::textActivated, [] { COMB_Click(); });
    }
    return dropDown;
}

void TT_Click(TextBox* box) {
    if (!box) return;
    if (Fix(BoxDataType(box)) == 115)
        box->SetText(box->Text().isEmpty() ? QStringLiteral("√") : QString());
    if (dropDown) dropDown->setVisible(false);
}

void TT_DblClick(TextBox* box) {
    if (!box) return;
    QComboBox* comb = BoxDropDown();
    const QSignalBlocker quiet(comb);
    dropDownBox = nullptr;
    comb->clear();
    const QRect r = box->geometry();
    comb->setGeometry(r.x(), r.y(), r.width() + 20, comb->sizeHint().height());
    comb->setVisible(true);
    comb->raise();
    comb->setEditText(box->Text());
    FillBoxDropDown(comb, static_cast<qint64>(boxIdentity(box)));
    comb->setEditText(box->Text());
    dropDownBox = box;
    comb->setFocus(Qt::OtherFocusReason);
}

void COMB_Change() {
    if (!dropDown || !dropDownBox) return;
    dropDownBox->SetText(dropDown->currentText());
    TT_LostFocus(dropDownBox);
}

void COMB_Click() {
    COMB_Change();
    if (dropDown) dropDown->setVisible(false);
}

void TT_GotFocus(TextBox* box) {
    MainForm& mf = MF();
    if (!box || IsBoxSelected(box) || mf.O2Value(2) == 1) return;
    const int index = box->Index();
    if (index > 1) {
        TextBox* before = textBoxByIndex(index - 1);
        if (before && !before->isEnabled()) return;
    }
    const Grid& g = mf.BoxGrid();
    const IdentityIndex ids(g);
    QHash<int, TextBox*> boxOfRow;
    for (TextBox* t : mf.TT) boxOfRow.insert(BoxRow(t), t);
    auto cell = [&](int row, int column) {
        return row >= g.FixedRows() && row < g.Rows() ? Val(g.TextRef(row, column)) : 0.0;
    };
    // The chains: same-value or history, as the first link says; at most 201 steps.
    for (int column : {col::RCtl, col::RCtl1}) {
        TextBox* current = box;
        int sign = 0;
        for (int k = 0; k <= 200; ++k) {
            const LinkRef link = ids.Resolve(cell(BoxRow(current), column));
            if (k == 0) sign = link.mode >= 1 ? 1 : -1;
            if (link.mode == 0 || link.mode != sign) break;
            TextBox* next = boxOfRow.value(link.row, nullptr);
            if (!next) break;
            if (!IsBoxSelected(next))
                next->SetBackColor(link.mode < 0 ? kHistoryChainColor : kSameValueChainColor);
            if (next == box) break;
            current = next;
        }
    }
    // The boxes adding or multiplying into the focused box.
    const int own = BoxRow(box);
    for (int column : {col::SumID, col::SumID1}) {
        for (TextBox* t : mf.TT) {
            const LinkRef target = ids.Resolve(cell(BoxRow(t), column));
            if (target.mode == 0 || target.row != own || IsBoxSelected(t)) continue;
            t->SetBackColor(target.mode < 0 ? kMultiplySourceColor : kAddSourceColor);
        }
    }
}

void TT_LostFocus(TextBox* box) {
    if (!box) return;
    box->SetText(ConvertByDataType(box, box->Text()));
    AutoCalculate(boxIdentity(box), MF().BoxGrid());
}

void TT_LostFocus(int index) {
    TT_LostFocus(textBoxByIndex(index));
}

void AttachBoxEvents(BoxControl* box) {
    if (auto* t = dynamic_cast<TextBox*>(box)) {
        t->WatchEvents(&BoxEvents::Instance());
    } else if (auto* c = dynamic_cast<CheckBox*>(box)) {
        QObject::connect(c, &QCheckBox::clicked, c, [c] {
            if (c->Value() == 1) SetCheckBoxRCtl(c);
        });
    }
}

}  // namespace bw
