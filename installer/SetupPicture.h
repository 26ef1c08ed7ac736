#pragma once
// The wizard's decorative picture, 600 x 350, drawn here rather than shipped as a file: a
// deep-blue band on the left with an open notebook of contact cards, and a pale page on the
// right on which the wizard's texts stand.

#include <QPixmap>

QPixmap SetupPicture();
