#pragma once
// The main window's tab strip SST: a row of tabs across its top and one page per tab,
// placed by the window's layout rules; only the page of the current tab is shown (the
// window's tab switch does that).

#include <QTabBar>
#include <QWidget>
#include <vector>

namespace bw {

class TabStrip : public QWidget {
    Q_OBJECT
public:
    explicit TabStrip(QWidget* parent = nullptr);

    // Adds a tab with its page (a child of the strip) and returns the page.
    QWidget* AddTab(const QString& caption);
    int Tabs() const { return static_cast<int>(pages_.size()); }
    QWidget* Page(int i) const;

    int Tab() const { return bar_->currentIndex(); }
    // Makes the tab current; TabClicked follows when it changed.
    void SetTab(int i);

    QTabBar* Bar() const { return bar_; }

Q_SIGNALS:
    // The current tab changed; the argument is the previous tab.
    void TabClicked(int previous);

protected:
    void resizeEvent(QResizeEvent* e) override;

private:
    QTabBar* bar_;
    std::vector<QWidget*> pages_;
    int current_ = -1;
};

}  // namespace bw
