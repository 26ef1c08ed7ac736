#pragma once
// The picture of the birthday reminders: a bouquet of red roses, 48 x 64 pixels, drawn here in
// code (three open blooms over two buds, green stems and leaves, tied with a ribbon) on a
// transparent ground.

#include <QPixmap>

QPixmap RosesPicture();
