#include "shell/Rightform.h"

#include <QGridLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>
#include <QScreen>
#include <QVBoxLayout>
#include <cmath>

#include "common/Common.h"
#include "platform/AppFolder.h"
#include "platform/Dialogs.h"

namespace bw {

namespace {

QPointer<Rightform>& instance() {
    static QPointer<Rightform> w;
    return w;
}

std::function<void(const QString&)>& opener() {
    static std::function<void(const QString&)> f;
    return f;
}

// The program's picture: a bill with printed lines and a red seal.
QPixmap billPicture() {
    QPixmap pm(96, 96);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x3a, 0x5f, 0x8f), 2));
    p.setBrush(QColor(0xf4, 0xf8, 0xfc));
    p.drawRoundedRect(QRectF(8, 14, 80, 68), 6, 6);
    p.setPen(QPen(QColor(0x8f, 0xa9, 0xc8), 1.5));
    for (int y = 32; y <= 68; y += 12) p.drawLine(18, y, 62, y);
    p.setPen(QPen(QColor(0xd0, 0x30, 0x30), 2.5));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(70, 60), 12, 12);
    QPainterPath star;
    for (int i = 0; i < 5; ++i) {
        const double a = -M_PI / 2 + i * 4 * M_PI / 5;
        const QPointF pt(70 + 6 * std::cos(a), 60 + 6 * std::sin(a));
        i == 0 ? star.moveTo(pt) : star.lineTo(pt);
    }
    star.closeSubpath();
    p.fillPath(star, QColor(0xd0, 0x30, 0x30));
    return pm;
}

}  // namespace

Rightform::Rightform(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("版权说明"));
    setAttribute(Qt::WA_DeleteOnClose);
    Image1 = new QLabel(this);
    Image1->setPixmap(billPicture());
    Image1->setCursor(Qt::PointingHandCursor);
    Image1->installEventFilter(this);
    const QString texts[6] = {
        QStringLiteral("Bellweft 票据套打系统"),
        QStringLiteral("进账单、支票、电汇单、快递单等各类票据的套打工具。"),
        QStringLiteral("数据文件夹：") + AppPath(),
        QStringLiteral("数据库：") + QLatin1String(kDatabaseFileName),
        QStringLiteral("点击图片或文字打开数据文件夹。"),
        QStringLiteral("开发日期：2026年12月"),
    };
    auto* labels = new QVBoxLayout;
    for (int i = 0; i < 6; ++i) {
        lblCompany[i] = new QLabel(texts[i], this);
        lblCompany[i]->setCursor(Qt::PointingHandCursor);
        lblCompany[i]->installEventFilter(this);
        labels->addWidget(lblCompany[i]);
    }
    QFont title = lblCompany[0]->font();
    title.setPointSizeF(title.pointSizeF() * 1.3);
    title.setBold(true);
    lblCompany[0]->setFont(title);
    lblVersion = new QLabel(QStringLiteral("版本：3.07"), this);
    lblVersion->setCursor(Qt::PointingHandCursor);
    lblVersion->installEventFilter(this);
    labels->addWidget(lblVersion);
    Com[0] = new QPushButton(QStringLiteral("确定"), this);
    Com[0]->setDefault(true);
    connect(Com[0], &QPushButton::clicked, this, [this] { COM_Click(0); });
    auto* grid = new QGridLayout(this);
    grid->addWidget(Image1, 0, 0, Qt::AlignTop);
    grid->addLayout(labels, 0, 1);
    grid->addWidget(Com[0], 1, 1, Qt::AlignRight);
    grid->setHorizontalSpacing(18);
    setFixedSize(sizeHint());
}

QString MakerPage() {
    return AppPath();
}

void Rightform::COM_Click(int index) {
    if (index == 0) close();
}

void Rightform::OpenMakerPage() {
    if (opener())
        opener()(MakerPage());
    else
        ShellOpen(MakerPage());
}

bool Rightform::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->parent() == this && watched != Com[0]) {
        OpenMakerPage();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void ShowRightform() {
    QPointer<Rightform>& w = instance();
    if (!w) {
        w = new Rightform(dlg::DialogParent());
        SetTopmost(w);
        if (QScreen* screen = w->screen()) {
            const QRect area = screen->availableGeometry();
            w->move(area.center() - w->rect().center());
        }
    }
    w->show();
    w->raise();
    w->activateWindow();
}

Rightform* AboutWindow() {
    return instance();
}

void SetMakerPageOpener(std::function<void(const QString&)> f) {
    opener() = std::move(f);
}

}  // namespace bw
