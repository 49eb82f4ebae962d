#pragma once

#include <QString>

// One field of a ";"-separated CSV line. A field that holds ";", a double quote or a line break is
// put in double quotes with its inner quotes doubled, so its content never splits the line;
// every other field is written as it is.
QString csvField(const QString &text);
