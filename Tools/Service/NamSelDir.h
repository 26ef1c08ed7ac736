#pragma once
// A folder chooser that proposes a new folder's name inside the chosen folder.
//
// SelectDirWithName shows a modal dialog: a title line, a tree of the file system's folders
// (hidden folders left out), an edit box with the proposed path, and OK and Cancel. Whenever
// the selection moves to an existing folder the edit box shows that folder, "/" and
// defaultName, and OK is enabled; when nothing usable is selected the edit box is cleared and
// OK disabled. On OK the edit box's text, as the user may have changed it, is the result, even
// for a folder that does not exist yet. The tree opens on path when it is not empty, else on
// the home folder.
//
// defaultName must be trimmed and not empty; anything else is a fault of the caller (assertion).

#include <string>

class QWidget;

// True when the user confirmed: path gets the edited text (the selected folder when the edit
// box was emptied by hand). False when cancelled: path is unchanged. Empty caption and button
// texts keep the dialog's defaults.
bool SelectDirWithName(const std::string& defaultName, std::string& path,
                       const std::string& caption, const std::string& title,
                       const std::string& okText, const std::string& cancelText,
                       QWidget* owner = nullptr);
