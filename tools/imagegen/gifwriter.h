#pragma once

#include <QImage>
#include <QList>
#include <QString>

// Writes an animated GIF (Qt reads GIFs but cannot write them). Colours are reduced to one shared
// 256-entry palette; transparency is kept as one palette entry.
bool writeAnimatedGif(const QString &path, const QList<QImage> &frames, int delayCentiseconds);
