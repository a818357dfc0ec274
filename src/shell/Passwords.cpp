#include "shell/Passwords.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QVBoxLayout>

#include "common/Common.h"
#include "common/Database.h"
#include "common/Params.h"
#include "common/TwipGeometry.h"
#include "platform/Dialogs.h"
#include "shell/MainWindow.h"
#include "shell/WindowLayout.h"

namespace bw {

namespace {

const QString kPasswordParam = QStringLiteral("软件密码");

QPointer<PSDCon>& prompt() {
    static QPointer<PSDCon> p;
    return p;
}

QPointer<ModiPSD>& changer() {
    static QPointer<ModiPSD> d;
    return d;
}

QLineEdit* secretBox(QWidget* parent, const char* name) {
    auto* t = new QLineEdit(parent);
    t->setObjectName(QLatin1String(name));
    t->setEchoMode(QLineEdit::Password);
    return t;
}

}  // namespace

PSDCon::PSDCon() {
    setWindowTitle(QStringLiteral("请输入密码"));
    setAttribute(Qt::WA_DeleteOnClose);
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("密码："), this));
    T = secretBox(this, "T");
    row->addWidget(T);
    COM = new QPushButton(QStringLiteral("确    定"), this);
    COM->setObjectName(QStringLiteral("COM"));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(COM, 0, Qt::AlignHCenter);
    connect(COM, &QPushButton::clicked, this, &PSDCon::COM_Click);
    connect(T, &QLineEdit::returnPressed, this, &PSDCon::COM_Click);
    resize(300, 110);
    SetTopmost(this);
}

void PSDCon::COM_Click() {
    if (T->text() != GetParam(kPasswordParam)) {
        dlg::MsgBox(QStringLiteral("密码错误！"), dlg::OkOnly);
        return;
    }
    ShowMainWindow();
    close();
}

ModiPSD::ModiPSD(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("修改密码"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    auto* grid = new QGridLayout(this);
    const char* captions[3] = {"原有密码：", "新的密码：", "再次输入："};
    const char* tips[3] = {"原始密码为空", "不输内容表示去除密码", ""};
    for (int i = 0; i < 3; ++i) {
        grid->addWidget(new QLabel(QString::fromUtf8(captions[i]), this), i, 0);
        T[i] = secretBox(this, i == 0 ? "T0" : (i == 1 ? "T1" : "T2"));
        T[i]->setToolTip(QString::fromUtf8(tips[i]));
        grid->addWidget(T[i], i, 1);
        connect(T[i], &QLineEdit::returnPressed, this, &ModiPSD::COM_Click);
    }
    COM = new QPushButton(QStringLiteral("确  定"), this);
    COM->setObjectName(QStringLiteral("COM"));
    COM->setAutoDefault(false);
    grid->addWidget(COM, 3, 0, 1, 2, Qt::AlignHCenter);
    connect(COM, &QPushButton::clicked, this, &ModiPSD::COM_Click);
    SetTopmost(this);
}

void ModiPSD::COM_Click() {
    if (T[1]->text() != T[2]->text()) {
        dlg::MsgBox(QStringLiteral("两次输入的新密码不相符！"), dlg::OkOnly);
        return;
    }
    if (T[0]->text() != GetParam(kPasswordParam)) return;  // a wrong old password changes nothing
    if (!SetParam(kPasswordParam, T[1]->text())) {
        dlg::MsgBox(QStringLiteral("新密码没有保存（") + LastDatabaseError() +
                        QStringLiteral("），原密码仍然有效！"),
                    dlg::OkOnly | dlg::Exclamation);
        return;
    }
    close();
}

PSDCon* ShowPasswordPrompt() {
    if (!prompt()) prompt() = new PSDCon;
    prompt()->show();
    CenterForm(prompt());
    prompt()->raise();
    return prompt();
}

PSDCon* PasswordPrompt() {
    return prompt().data();
}

ModiPSD* ShowModiPSD() {
    if (!changer()) changer() = new ModiPSD(TheMainWindow());
    changer()->show();
    changer()->raise();
    return changer();
}

ModiPSD* PasswordDialog() {
    return changer().data();
}

}  // namespace bw
