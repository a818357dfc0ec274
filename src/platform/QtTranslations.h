#pragma once
// Qt's own texts in Chinese: the standard buttons of message boxes, the file, printer, font
// and colour dialogs and the context menus of edit boxes, from the translations the system
// installs beside Qt; and the Chinese locale for the dates and numbers they show.

namespace bw {

// Installs Qt's Chinese translation (qtbase_zh_CN from Qt's translations folder) on the
// application, once. False when the translation is not installed; Qt then speaks English.
bool InstallQtTranslations();

// Makes Simplified Chinese (China) the default locale, so that Qt's dialogs write dates,
// sizes, day and month names in Chinese, whatever the system's language.
void UseChineseLocale();

}  // namespace bw
