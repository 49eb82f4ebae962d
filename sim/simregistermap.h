#pragma once

#include "simunit.h"

#include <QVector>

#include <functional>

// Where the simulated controller keeps what in its register space: the unit state blocks, the
// configuration blocks and how a unit's value is packed into a register. One table, so that reads,
// configuration writes and the tests all use the same addresses.
namespace SimRegisterMap {

enum class Packing
{
    Byte,       // two units a register: odd address low byte, even address high byte
    Nibble,     // four units a register, lowest address in the lowest bits
    PairOfBits, // eight units a register
    Bit,        // sixteen units a register
    Word,       // one unit a register, starting at the block's first unit (1 or 126)
    Low251,     // the low byte of the one register holds unit 251
};

// Values the controller works out itself rather than taking from a unit field.
enum Derived : int
{
    DerivedBase = 1000,
    ReportedType = DerivedBase,
    GeneralState,
    Connection,
    IonistorState,
    UTotal,
    InputsWord,
    OutputsWord,
    Vexa2R2Word,
    ValvesByte,
    PowerWord,
    Insulators,
    ReportedFire,
    ReportedPreAlarm,
};

struct Block
{
    int code = 0;  // the read code the tool names the block by
    int start = 0; // first register
    int count = 0; // registers
    Packing packing = Packing::Byte;
    int firstUnit = 1;
    int value = -1; // a SimUnit::Field or a Derived value; -1 for configuration blocks
};

// Where one unit's value sits inside a block.
struct Position
{
    int offset = -1; // register index inside the block; -1 when the block does not hold the unit
    int shift = 0;
    int width = 0;
};

const QVector<Block> &unitBlocks();
const QVector<Block> &configBlocks();
const Block *blockByCode(int code);

// The block that holds a register, or null when the register belongs to none.
const Block *blockAt(const QVector<Block> &blocks, int reg);

Position position(const Block &block, int address);
// The unit addresses that share register `offset` of the block.
QVector<int> unitsIn(const Block &block, int offset);

// Packs the values of the units that share one register.
quint16 packRegister(const Block &block, int offset, const std::function<int(int address)> &valueOf);
// Takes one unit's value out of a block given as its registers.
int unitValue(const Block &block, int address, const QVector<quint16> &registers);

// Register areas.
constexpr int eventCountRegister = 0;
constexpr int controllerFirst = 976;
constexpr int controllerLastOld = 1001; // version below 15
constexpr int controllerLastNew = 1003;
constexpr int constantCount = 32;
constexpr int oldDefaultConstants = 1002;
constexpr int oldCurrentConstants = 1102;
constexpr int newDefaultConstants = 2002;
constexpr int newCurrentConstants = 2102;
constexpr int newVersion = 15;
constexpr int configFirst = 5000;
constexpr int configLast = 6033;
constexpr int commandRegister = 5222;
constexpr int writableConstants = 6002;
constexpr int unitFirst = 10000;
constexpr int unitLast = 16218;

} // namespace SimRegisterMap
