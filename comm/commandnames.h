#pragma once

#include <QString>

// The names of the command codes, for the traffic monitor.
namespace CommandNames {

// Not a command: the records of monitoring's event-buffer reads carry this code.
constexpr int eventReadCode = -1;

// The code's name as the catalogue spells it; empty for a code the catalogue does not know.
QString nameOf(int cmdCode);

} // namespace CommandNames
