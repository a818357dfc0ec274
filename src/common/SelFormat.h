#pragma once
// The generic chooser: a drop-down list with OK and Cancel, filled by a mode word. The
// caller shows it without blocking, waits until it has closed and reads the answer from
// ChosenItem (store/Globals.h): the chosen text, trimmed, up to the first "｜" of an item
// written "code｜caption"; "" when cancelled.

#include <QComboBox>
#include <QDialog>
#include <QPushButton>
#include <QString>

namespace bw {

// The separator between an item's code and its caption in choice lists.
inline const QString kChoiceSeparator = QStringLiteral("｜");

class SelFormat : public QDialog {
    Q_OBJECT
public:
    explicit SelFormat(QWidget* parent = nullptr);
    ~SelFormat() override;

    // Set by the caller before Form_Load: "Format" (the format names, the open one
    // preselected), "Control" (the boxes of the open format, answering the box's record ID),
    // "CtlClas" (the five box kinds, answering the kind's digit) or "Font" (the installed
    // fonts, the one left in ChosenItem preselected). Any other word gives an empty list.
    QString ChooserMode;
    // True lets the user type into the list's text; otherwise the text changes only by
    // choosing an item.
    bool ChooserTyping = false;

    QComboBox* CMB;
    QPushButton* COM[2];  // OK, Cancel

    // Fills the list by the mode and clears ChosenItem.
    void Form_Load();
    // 0: answers the list's text; any other index: answers "". The dialog closes.
    void COM_Click(int index);

    // The chooser that is open now, or null (for tests that drive it).
    static SelFormat* Current();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FillChoiceList(QComboBox* combo);
};

// Shows the chooser in the mode and waits, while other windows keep working, until it is
// closed; returns the answer, which is also left in ChosenItem. An empty caption keeps
// "请选择格式名称" (the mode "Font" sets "请选择字体名称").
QString RunChooser(const QString& mode, bool typing = false, const QString& caption = QString());

// The answer of a chooser's text: trimmed, then cut before the first "｜".
QString ChoiceAnswer(const QString& text);

}  // namespace bw
