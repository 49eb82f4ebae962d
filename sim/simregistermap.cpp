#include "simregistermap.h"

#include <algorithm>

namespace SimRegisterMap {

namespace {

using P = Packing;
using F = SimUnit::Field;

QVector<Block> makeUnitBlocks()
{
    // code, start, count, packing, first unit, value
    return {
        {4, 10000, 125, P::Byte, 1, ReportedType},
        {5, 10125, 1, P::Low251, 251, ReportedType},
        {6, 10126, 125, P::Byte, 1, F::Firmware},
        {7, 10251, 125, P::Byte, 1, F::TUlo},
        {8, 10376, 16, P::Bit, 1, ReportedFire},
        {9, 10408, 16, P::Bit, 1, ReportedPreAlarm},
        {10, 10439, 125, P::Byte, 1, F::SbAmperage},
        {11, 10564, 125, P::Byte, 1, F::AvgAmperage},
        {12, 10689, 63, P::Nibble, 1, Connection},
        {13, 10784, 125, P::Word, 1, UTotal},
        {14, 10909, 125, P::Word, 126, UTotal},
        {15, 11034, 125, P::Byte, 1, F::U1},
        {16, 11159, 125, P::Byte, 1, F::U2},
        {17, 11284, 125, P::Byte, 1, F::U3},
        {18, 11441, 64, P::Nibble, 1, GeneralState},
        {19, 11508, 125, P::Word, 1, InputsWord},
        {20, 11633, 125, P::Word, 126, InputsWord},
        {21, 11758, 125, P::Word, 1, OutputsWord},
        {22, 11883, 125, P::Word, 126, OutputsWord},
        {23, 12008, 63, P::Nibble, 1, Insulators},
        {24, 12071, 63, P::Nibble, 1, IonistorState},
        {25, 12134, 63, P::Nibble, 1, F::Heater},
        {26, 12259, 32, P::PairOfBits, 1, F::Button},
        {27, 12291, 32, P::PairOfBits, 1, F::Cover},
        {28, 12323, 32, P::PairOfBits, 1, F::StartButton},
        {29, 12355, 32, P::PairOfBits, 1, F::Sensor},
        {30, 12387, 125, P::Word, 1, Vexa2R2Word},
        {31, 12512, 125, P::Word, 126, Vexa2R2Word},
        {32, 12637, 125, P::Byte, 1, ValvesByte},
        {33, 12762, 125, P::Word, 1, PowerWord},
        {34, 12887, 125, P::Word, 126, PowerWord},
        {35, 13137, 125, P::Byte, 1, F::Smoke},
        {36, 13262, 125, P::Byte, 1, F::RNe},
        {37, 13387, 125, P::Byte, 1, F::SmokeMid},
        {38, 13512, 125, P::Byte, 1, F::ProcType},
        {39, 13637, 32, P::PairOfBits, 1, F::Photo},
        {40, 13669, 32, P::PairOfBits, 1, F::Dust},
        {41, 13701, 125, P::Byte, 1, F::FireThreshold},
        {42, 13826, 125, P::Byte, 1, F::Resource},
        {43, 14076, 16, P::Bit, 1, F::ChannelType},
        {44, 14092, 32, P::PairOfBits, 1, F::Laser},
        {45, 14124, 32, P::PairOfBits, 1, F::Pyro},
        {46, 14406, 125, P::Word, 1, F::S1},
        {47, 14531, 125, P::Word, 126, F::S1},
        {48, 14656, 125, P::Word, 1, F::S2},
        {49, 14781, 125, P::Word, 126, F::S2},
        {50, 14906, 63, P::Nibble, 1, F::PyroTimer},
        {51, 14969, 125, P::Word, 1, F::NoResponse},
        {52, 15094, 125, P::Word, 126, F::NoResponse},
        {53, 15219, 125, P::Byte, 1, F::AddData},
        {54, 15344, 125, P::Byte, 1, F::Adc1},
        {55, 15469, 125, P::Byte, 1, F::Adc2},
        {56, 15594, 125, P::Byte, 1, F::Adc3},
        {57, 15719, 125, P::Byte, 1, F::Adc4},
        {58, 15844, 125, P::Byte, 1, F::W1},
        {59, 15969, 125, P::Byte, 1, F::W2},
        {60, 16094, 125, P::Byte, 1, F::W3},
    };
}

QVector<Block> makeConfigBlocks()
{
    return {
        {100, 5000, 125, P::Byte, 1, -1},  // threshold temperature
        {101, 5125, 16, P::Bit, 1, -1},    // 1 = not blocked
        {102, 5237, 125, P::Byte, 1, -1},  // configured type
        {103, 5586, 63, P::Nibble, 1, -1}, // PowerLo initial value minus 1
        {104, 5650, 63, P::Nibble, 1, -1}, // LO mode
        {105, 5713, 63, P::Nibble, 1, -1}, // output initial state, one bit an output
        {106, 5776, 16, P::Bit, 1, -1},    // heat-detector flag
        {107, 6002, 32, P::Word, 1, -1},   // constants in force
    };
}

} // namespace

const QVector<Block> &unitBlocks()
{
    static const QVector<Block> blocks = makeUnitBlocks();
    return blocks;
}

const QVector<Block> &configBlocks()
{
    static const QVector<Block> blocks = makeConfigBlocks();
    return blocks;
}

const Block *blockByCode(int code)
{
    for (const QVector<Block> *blocks : {&unitBlocks(), &configBlocks()}) {
        for (const Block &block : *blocks) {
            if (block.code == code)
                return &block;
        }
    }
    return nullptr;
}

const Block *blockAt(const QVector<Block> &blocks, int reg)
{
    for (const Block &block : blocks) {
        if (reg >= block.start && reg < block.start + block.count)
            return &block;
    }
    return nullptr;
}

Position position(const Block &block, int address)
{
    Position at;
    if (address < 1)
        return at;
    const int index = address - 1;
    switch (block.packing) {
    case Packing::Byte:
        at = {index / 2, (index % 2) ? 8 : 0, 8};
        break;
    case Packing::Nibble:
        at = {index / 4, 4 * (index % 4), 4};
        break;
    case Packing::PairOfBits:
        at = {index / 8, 2 * (index % 8), 2};
        break;
    case Packing::Bit:
        at = {index / 16, index % 16, 1};
        break;
    case Packing::Word:
        at = {address - block.firstUnit, 0, 16};
        break;
    case Packing::Low251:
        at = {address == 251 ? 0 : -1, 0, 8};
        break;
    }
    if (at.offset < 0 || at.offset >= block.count)
        return Position();
    return at;
}

QVector<int> unitsIn(const Block &block, int offset)
{
    QVector<int> units;
    if (offset < 0 || offset >= block.count)
        return units;
    int first = 0;
    int perRegister = 1;
    switch (block.packing) {
    case Packing::Byte:
        perRegister = 2;
        break;
    case Packing::Nibble:
        perRegister = 4;
        break;
    case Packing::PairOfBits:
        perRegister = 8;
        break;
    case Packing::Bit:
        perRegister = 16;
        break;
    case Packing::Word:
        units.append(block.firstUnit + offset);
        return units;
    case Packing::Low251:
        units.append(251);
        return units;
    }
    first = offset * perRegister + 1;
    for (int i = 0; i < perRegister; ++i)
        units.append(first + i);
    return units;
}

quint16 packRegister(const Block &block, int offset, const std::function<int(int address)> &valueOf)
{
    quint32 word = 0;
    for (const int address : unitsIn(block, offset)) {
        const Position at = position(block, address);
        const quint32 mask = at.width >= 16 ? 0xFFFFu : ((1u << at.width) - 1u);
        word |= (quint32(valueOf(address)) & mask) << at.shift;
    }
    return quint16(word);
}

int unitValue(const Block &block, int address, const QVector<quint16> &registers)
{
    const Position at = position(block, address);
    if (at.offset < 0 || at.offset >= registers.size())
        return 0;
    const quint32 mask = at.width >= 16 ? 0xFFFFu : ((1u << at.width) - 1u);
    return int((quint32(registers.at(at.offset)) >> at.shift) & mask);
}

} // namespace SimRegisterMap
