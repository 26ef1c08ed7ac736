#pragma once
// The font the dialogs are laid out for: Tahoma at 8 points, i.e. 11 pixels on the 96-dpi
// screens the layouts were drawn on. The fonts-wine package carries a Tahoma with the same
// metrics; it is loaded from the package's folder when the desktop does not offer one. Without
// it the desktop's sans-serif font at the same pixel size stands in.

#include <QFont>

// The font at the given pixel height (11 for the designed 8 points).
QFont DesignFont(int pixelSize = 11);
