#pragma once
// The log's image list: seven 16x16 pictures, indexed as the logger's image
// indices are (0 running, 2 blank blink phase, 3 OK, 4 error, 5 partial,
// 6 message, 7 warning; 1 is a spare arrow).
#include <QIcon>
#include <QList>

inline constexpr int kLogImageCount = 8;
inline constexpr int kLogImageSize = 16;

// Built on first use (needs a running QGuiApplication).
const QList<QIcon> &LogImages();
