#pragma once

#include <QByteArray>

// Where one unit's entry lies in a configuration block of the controller, and the register write that
// changes that entry alone. Byte blocks hold two units a register, bit blocks sixteen, nibble blocks
// four; every block is read whole, and only the register holding the unit is written back.
namespace AuConfigEntries {

// The unit's entry in the block's data; -1 when the data does not reach it or the block is unknown.
int entry(int blockCode, const QByteArray &data, int addr);

// Index, within the block, of the register that holds the unit's entry; -1 for an unknown block.
int registerIndex(int blockCode, int addr);

// The write command of a block (1315..1320), 0 for a block that is not written.
int writeCode(int blockCode);

// The information of the write command that puts `value` into the unit's entry: the register index
// and the register's two bytes, its other units' entries as `data` holds them. Empty when the data
// does not reach the unit.
QByteArray writeInfo(int blockCode, const QByteArray &data, int addr, int value);

} // namespace AuConfigEntries
