#include "unitpacking.h"

namespace UnitPacking {

namespace {

// Data index and shift of a unit's field of `bits` bits, `perRegister` units to a register.
bool locate(const QByteArray &data, int unit, int perRegister, int bits, int &index, int &shift)
{
    if (unit < 1)
        return false;
    const int reg = (unit - 1) / perRegister;
    const int position = ((unit - 1) % perRegister) * bits; // 0..15 within the register, low byte first
    index = position < 8 ? 2 * reg + 1 : 2 * reg;
    shift = position % 8;
    return index < data.size();
}

} // namespace

int byteIndexOfUnit(int unit)
{
    return (unit % 2 == 1) ? unit : unit - 2;
}

int unitOfByteIndex(int index)
{
    return (index % 2 == 1) ? index : index + 2;
}

bool bit(const QByteArray &data, int unit)
{
    int index = 0;
    int shift = 0;
    if (!locate(data, unit, 16, 1, index, shift))
        return false;
    return (quint8(data.at(index)) >> shift) & 1;
}

void setBit(QByteArray &data, int unit, bool on)
{
    int index = 0;
    int shift = 0;
    if (!locate(data, unit, 16, 1, index, shift))
        return;
    const quint8 mask = quint8(1u << shift);
    const quint8 value = quint8(data.at(index));
    data[index] = char(on ? (value | mask) : (value & ~mask));
}

int nibble(const QByteArray &data, int unit)
{
    int index = 0;
    int shift = 0;
    if (!locate(data, unit, 4, 4, index, shift))
        return 0;
    return (quint8(data.at(index)) >> shift) & 0x0F;
}

void setNibble(QByteArray &data, int unit, int value)
{
    int index = 0;
    int shift = 0;
    if (!locate(data, unit, 4, 4, index, shift))
        return;
    const quint8 mask = quint8(0x0F << shift);
    const quint8 old = quint8(data.at(index));
    data[index] = char((old & ~mask) | ((value & 0x0F) << shift));
}

} // namespace UnitPacking
