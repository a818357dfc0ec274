#include "shell/TabStrip.h"

#include <QResizeEvent>

#include "platform/Twips.h"

namespace bw {

TabStrip::TabStrip(QWidget* parent) : QWidget(parent), bar_(new QTabBar(this)) {
    bar_->setObjectName(QStringLiteral("SSTBar"));
    bar_->setDrawBase(true);
    bar_->setExpanding(false);
    bar_->move(0, 0);
    connect(bar_, &QTabBar::currentChanged, this, [this](int i) {
        const int previous = current_;
        current_ = i;
        if (previous != i) Q_EMIT TabClicked(previous);
    });
}

QWidget* TabStrip::AddTab(const QString& caption) {
    auto* page = new QWidget(this);
    page->setObjectName(QStringLiteral("Pic%1").arg(pages_.size()));
    page->setAutoFillBackground(true);
    pages_.push_back(page);
    const bool first = current_ < 0;
    {
        const QSignalBlocker block(bar_);
        bar_->addTab(caption);
    }
    if (first) current_ = 0;
    page->setVisible(first);
    bar_->raise();
    return page;
}

QWidget* TabStrip::Page(int i) const {
    return (i >= 0 && i < Tabs()) ? pages_[static_cast<size_t>(i)] : nullptr;
}

void TabStrip::SetTab(int i) {
    if (i < 0 || i >= Tabs()) return;
    bar_->setCurrentIndex(i);
}

void TabStrip::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    // The tabs take the strip's width; the pages start 330 twips down, below them.
    bar_->setGeometry(0, 0, width(), TwipsToPixels(330));
}

}  // namespace bw
