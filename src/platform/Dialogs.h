#pragma once
// The one way the program asks the user something or tells him something: message boxes,
// questions, input boxes and the standard file, font and colour dialogs. Every window of
// the program calls these, so that a test can install an answerer, answer each dialog and
// read back what was shown.

#include <QColor>
#include <QFont>
#include <QList>
#include <QPointer>
#include <QString>
#include <QVariant>
#include <functional>
#include <optional>

class QFontMetrics;
class QWidget;

namespace bw::dlg {

// The application's title on every message box.
QString AppTitle();

// Buttons and icons combine as the style word of a message box.
enum Style : int {
    OkOnly = 0,
    OkCancel = 1,
    YesNoCancel = 3,
    YesNo = 4,
    Critical = 16,
    Question = 32,
    Exclamation = 48,
    Information = 64,
};

// The answer of a message box.
enum Answer : int { Ok = 1, Cancel = 2, Yes = 6, No = 7 };

// Shows a message box; the answer the user chose (Ok for an OK-only box).
int MsgBox(const QString& text, int style = OkOnly, const QString& title = QString());

// The width a window needs for its whole title beside the title bar's icon and buttons.
int TitleBarWidth(const QString& title, const QFontMetrics& metrics);

// Asks for a line of text, in a box as wide as its title; nullopt when the user cancelled.
std::optional<QString> InputBox(const QString& prompt, const QString& title = QString(),
                                const QString& defaultText = QString());

// File dialogs. `filter` is written "描述(*.jpg)|*.jpg|描述2|*.a;*.b" as everywhere in the
// program. The chosen path, or "" when the user cancelled.
QString OpenFileName(const QString& filter, const QString& defaultName = QString(),
                     const QString& title = QString());
QString SaveFileName(const QString& filter, const QString& defaultName = QString(),
                     const QString& title = QString());

// Font dialog: the chosen font and colour, or nullopt on cancel.
struct FontChoice {
    QFont font;
    QColor color;
};
std::optional<FontChoice> ChooseFontDialog(const FontChoice& initial);

// Colour dialog: the chosen colour, or nullopt on cancel.
std::optional<QColor> ChooseColorDialog(const QColor& initial);

// Converts a filter of the form above into Qt's "desc (*.a *.b);;desc2 (*.c)".
QString QtFilter(const QString& filter);

// ---- For tests ---------------------------------------------------------------------
// What a dialog showed, and how it was answered.
struct Shown {
    enum Kind { Message, Input, OpenFile, SaveFile, Font, Color } kind;
    QString title;
    QString text;     // the message, prompt, filter
    QString preset;   // the default text or file name
    int style = 0;    // message box style word
    QVariant answer;  // what came back: int Answer, QString, QFont, QColor, or invalid = cancel
    QPointer<QWidget> parent;  // the window the dialog stands in front of
};

// An answerer receives each dialog before it would be shown and returns the answer: an
// int Answer for message boxes, a QString for input and file dialogs, a QFont (the
// colour in `preset` is kept) or QColor, or an invalid QVariant for "cancel".
using Answerer = std::function<QVariant(const Shown&)>;
void SetAnswerer(Answerer answerer);  // an empty function shows the real dialogs again
bool HasAnswerer();

// Everything shown since the last ClearShown, in order.
const QList<Shown>& ShownLog();
void ClearShown();

// The parent for the real dialogs when no other window is in front (the main window once it
// exists).
void SetDialogParent(QWidget* parent);
QWidget* DialogParent();
// The window a dialog is shown in front of: the modal window, else a window kept above the
// others (the active one among them first), else the active window, else DialogParent().
QWidget* FrontWindow();

}  // namespace bw::dlg
