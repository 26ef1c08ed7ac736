#pragma once
// The language of Qt's own texts: the standard dialogs and the edit boxes' context menus
// (file chooser, print dialog, "Copy", "Paste").
//
// Our texts switch through SelectLanguage (TextIntface.h); Qt's come from its translation
// catalogues, qtbase_uk and qtbase_ru in Qt's translations folder (Debian package
// qt6-translations-l10n). English needs none. A missing catalogue leaves Qt's texts English.

// Installs the catalogue of language 0 (Russian), 1 (Ukrainian) or 2 (English, none); true when
// the language's catalogue is in use afterwards (always for English).
bool SelectQtLanguage(int language);
