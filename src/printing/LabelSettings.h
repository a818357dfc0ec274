#pragma once
// The label-sheet page's settings and commands: labels across and down, the reduction
// factor and the label area's size (kept in the per-user settings BWL1\TagPrintSet\Index0..4),
// the sheet's direction, the background and separator-line options (the latter kept as
// parameter "LabelArrayLine"), the page bar with its "n/m" indicator, the preview's scroll
// bar and the two print buttons. Each handler works on MF()'s label-page controls and does
// nothing before they are built.

#include <QString>

namespace bw {

// The settings' place in the per-user settings, and the separator lines' parameter.
inline const QString kLabelSettingsApp = QStringLiteral("BWL1");
inline const QString kLabelSettingsSection = QStringLiteral("TagPrintSet");
inline const QString kLabelLinesParam = QStringLiteral("LabelArrayLine");

// The page indicator: the page shown and the number of pages (lastPage + 1).
QString LabelPageIndicator(int page, int lastPage);
// The last page as the settings last counted it (-1 without labels).
int LabelLastPage();

// A setting box changed. Nothing while the box is disabled (the settings being loaded).
// 0, 1: the pages are counted again from the labels loaded (R_Num(0)) and the page bar
// starts on the first page, then the preview is drawn; 3, 4: the preview is sized again;
// every box: its text is stored under Index<i>.
void TNum_Change(int index);
// CK(1) or CK(6) was clicked: the separator lines' state is stored and the preview drawn.
void CK_Click(int index);
// The sheet was turned: the preview is sized again.
void TagDir_Click();
// The page bar moved: the page is drawn (when the bar is enabled) and the indicator updated.
void HS1_Change();
// The preview's scroll bar moved: the preview slides up by a fifth of its overhang a step.
void VS1_Change();
// CB(14) prints the page shown, CB(15) every page from it to the last, showing each before
// it prints, in the progress window from which the clerk may stop them after the page being
// printed (told where they stopped and what was left); both ask for the printer and the
// copies first (cancel prints nothing).
void CB_Click(int index);

// The label page opens: the separator-line option from its parameter, the five settings from
// the per-user settings (loaded without counting or storing), then TNum_Change(0).
void LoadLabelSettings();

// Ties the label page's controls to the handlers above; called once the page is built.
void ConnectLabelPage();

}  // namespace bw
