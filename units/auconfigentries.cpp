#include "auconfigentries.h"

#include "commandcodes.h"
#include "unitpacking.h"

namespace AuConfigEntries {

namespace {

enum class Packing
{
    None,
    Byte,
    Bit,
    Nibble
};

Packing packingOf(int blockCode)
{
    switch (blockCode) {
    case CMD_READ_CFG_THRESHOLD_T:
    case CMD_READ_CFG_TYPES:
        return Packing::Byte;
    case CMD_READ_CFG_UNBLOCKED:
    case CMD_READ_CFG_HEAT_BITS:
        return Packing::Bit;
    case CMD_READ_CFG_POWER_LO_INIT:
    case CMD_READ_CFG_OUTPUT_INIT:
        return Packing::Nibble;
    default:
        return Packing::None;
    }
}

bool reaches(int blockCode, const QByteArray &data, int addr)
{
    const int reg = registerIndex(blockCode, addr);
    return addr >= 1 && reg >= 0 && 2 * reg + 1 < data.size();
}

} // namespace

int registerIndex(int blockCode, int addr)
{
    switch (packingOf(blockCode)) {
    case Packing::Byte:
        return (addr - 1) / 2;
    case Packing::Bit:
        return (addr - 1) / 16;
    case Packing::Nibble:
        return (addr - 1) / 4;
    case Packing::None:
        break;
    }
    return -1;
}

int entry(int blockCode, const QByteArray &data, int addr)
{
    if (!reaches(blockCode, data, addr))
        return -1;
    switch (packingOf(blockCode)) {
    case Packing::Byte:
        return quint8(data.at(UnitPacking::byteIndexOfUnit(addr)));
    case Packing::Bit:
        return UnitPacking::bit(data, addr) ? 1 : 0;
    case Packing::Nibble:
        return UnitPacking::nibble(data, addr);
    case Packing::None:
        break;
    }
    return -1;
}

int writeCode(int blockCode)
{
    switch (blockCode) {
    case CMD_READ_CFG_THRESHOLD_T:
        return CMD_WRITE_CFG_THRESHOLD_T;
    case CMD_READ_CFG_UNBLOCKED:
        return CMD_WRITE_CFG_UNBLOCKED;
    case CMD_READ_CFG_TYPES:
        return CMD_WRITE_CFG_TYPES;
    case CMD_READ_CFG_POWER_LO_INIT:
        return CMD_WRITE_CFG_POWER_LO_INIT;
    case CMD_READ_CFG_OUTPUT_INIT:
        return CMD_WRITE_CFG_OUTPUT_INIT;
    case CMD_READ_CFG_HEAT_BITS:
        return CMD_WRITE_CFG_HEAT_BITS;
    default:
        return 0;
    }
}

QByteArray writeInfo(int blockCode, const QByteArray &data, int addr, int value)
{
    if (!reaches(blockCode, data, addr))
        return QByteArray();
    QByteArray changed = data;
    switch (packingOf(blockCode)) {
    case Packing::Byte:
        changed[UnitPacking::byteIndexOfUnit(addr)] = char(value);
        break;
    case Packing::Bit:
        UnitPacking::setBit(changed, addr, value != 0);
        break;
    case Packing::Nibble:
        UnitPacking::setNibble(changed, addr, value);
        break;
    case Packing::None:
        return QByteArray();
    }
    const int reg = registerIndex(blockCode, addr);
    QByteArray info(1, char(reg));
    info.append(changed.mid(2 * reg, 2));
    return info;
}

} // namespace AuConfigEntries
