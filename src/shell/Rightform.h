#pragma once
// The About box: the program's version and the maker's contact details. A click on the
// picture or on any of the texts opens the maker's web page.

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <functional>

namespace bw {

// The maker's web page that the About box opens.
// What a click on the picture or the texts opens: the program's data folder.
QString MakerPage();

class Rightform : public QDialog {
    Q_OBJECT
public:
    explicit Rightform(QWidget* parent = nullptr);

    QLabel* Image1;
    QLabel* lblCompany[6];
    QLabel* lblVersion;  // "版本：3.07"
    QPushButton* Com[1];

    void COM_Click(int index);  // 0 closes the window
    void OpenMakerPage();       // the clicks on the picture and the texts

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

// Shows the About box without blocking (one at a time; a second call brings it forward).
void ShowRightform();
// The open About box, or null.
Rightform* AboutWindow();

// Tests catch the page the About box would open; an empty function opens it again.
void SetMakerPageOpener(std::function<void(const QString&)> opener);

}  // namespace bw
