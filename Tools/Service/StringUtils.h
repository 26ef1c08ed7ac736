#pragma once
// Text fitting: shortening a text so that it fits a width in pixels of some paint device (a
// label, the status bar, a printed cell), measured with that device's font metrics.
//
// Both helpers return the text unchanged when it fits. A shortened text is marked with "...":
// at its end, or, for a file path, in place of the folders in its middle, so that the start of
// the path and the file name stay readable.

#include <QFontMetrics>
#include <QString>

// The longest start of text that, followed by "...", is narrower than or as wide as width; just
// "..." (or less of it) when not even one character fits.
QString EllipsisEnd(const QString& text, const QFontMetrics& metrics, int width);

// The path with folders after its root replaced by "...", one at a time from the left, until it
// fits: "/home/anna/.../Export/2024-03-05.csv". When even ".../name" is too wide, that is cut at
// its end as EllipsisEnd does.
QString EllipsisPath(const QString& path, const QFontMetrics& metrics, int width);
