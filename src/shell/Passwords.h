#pragma once
// The software password: the start-up prompt that guards the main window, and the dialog
// that changes the password. The password is the parameter "软件密码" as typed; empty
// means none.

#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>
#include <array>

namespace bw {

// The prompt shown instead of the main window while a password is set.
class PSDCon : public QWidget {
    Q_OBJECT
public:
    PSDCon();

    QLineEdit* T;
    QPushButton* COM;

    // The right password opens the main window and closes the prompt; a wrong one says
    // "密码错误！" and leaves the typed text in place.
    void COM_Click();
};

// Changes the password: the old one, the new one twice (an empty new one removes it).
class ModiPSD : public QDialog {
    Q_OBJECT
public:
    explicit ModiPSD(QWidget* parent = nullptr);

    std::array<QLineEdit*, 3> T{};
    QPushButton* COM;

    void COM_Click();
};

// Shows the prompt (one at a time) and returns it.
PSDCon* ShowPasswordPrompt();
PSDCon* PasswordPrompt();  // the open prompt, or null
// Shows the password change dialog without blocking (one at a time).
ModiPSD* ShowModiPSD();
ModiPSD* PasswordDialog();  // the open dialog, or null

}  // namespace bw
