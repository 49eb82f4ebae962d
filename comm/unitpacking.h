#pragma once

#include <QByteArray>

// Where a unit's value sits in the data bytes of a block (byte 2e is the high and 2e + 1 the low byte
// of register e). Units are numbered from 1; positions outside the data read as 0 and are not written.
namespace UnitPacking {

// Byte packing: unit 2e + 1 in the low byte, 2e + 2 in the high byte.
int byteIndexOfUnit(int unit);
int unitOfByteIndex(int index);

// Bit packing: 16 units per register, the low byte first.
bool bit(const QByteArray &data, int unit);
void setBit(QByteArray &data, int unit, bool on);

// Nibble packing: 4 units per register, the low byte's low nibble first.
int nibble(const QByteArray &data, int unit);
void setNibble(QByteArray &data, int unit, int value);

} // namespace UnitPacking
