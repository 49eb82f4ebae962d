#pragma once

#include <QImage>

// Button and command icons. Each is drawn on a 32-unit grid and scaled to the requested pixel
// size, so the 32-pixel buttons and the 24-pixel ones share one look.
namespace Icons {

QImage ok(int size);
QImage cancel(int size);
QImage add(int size);
QImage remove(int size);
QImage rightArrow(int size);
QImage menu(int size);
QImage save(int size);
QImage edit(int size);
QImage csv(int size);
QImage clear(int size);
QImage version(int size);
QImage fillColor(int size);
QImage fontColor(int size);
QImage reset(int size);
QImage resetAll(int size);
QImage commands(int size);
QImage setup(int size);

} // namespace Icons
