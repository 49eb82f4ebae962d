#pragma once

#include <QtGlobal>

// Register number of the controller's own registers as the views receive them: 976..1003 for the
// controller block, 1002..1033 for default and 1102..1133 for current constants.
using RynRegisterAddress = int;

// The controller's holding-register space as the tool uses it.
namespace RegisterMap {

// How unit values are packed into a block's registers.
enum class Packing
{
    None,    // controller registers and constants
    Word,    // one unit per register
    Byte,    // two units: odd unit in the low byte
    Nibble,  // four units, lowest nibble of the low byte first
    BitPair, // eight units, two bits each, low byte first
    Bit,     // sixteen units, low byte first
};

struct Block
{
    int code = -1; // the read code that names the block
    quint16 start = 0;
    quint16 count = 0;
    Packing packing = Packing::None;
};

constexpr quint16 eventCountRegister = 0;
constexpr quint16 firstEventRegister = 1;
constexpr int maxEventsPerRead = 62;
constexpr int registersPerEvent = 2;

constexpr quint16 controllerBlockStart = 976;
constexpr quint16 versionRegister = 977;
constexpr int constantCount = 32;
constexpr RynRegisterAddress defaultConstantsLogical = 1002;
constexpr RynRegisterAddress currentConstantsLogical = 1102;

constexpr quint16 commandRegister = 5222; // target and command byte; 5223 holds the parameters
constexpr quint16 writableConstantsStart = 6002;

// Controllers below version 15 have the short controller block and the constants at 1002/1102.
bool isShortLayout(quint16 version);
quint16 controllerRegisterCount(quint16 version);
quint16 defaultConstantsStart(quint16 version);
quint16 currentConstantsStart(quint16 version);

// The block read by a read code (0..60, 100..107) for a controller of the given version;
// a block with code -1 when the code names no block.
Block readBlock(int code, quint16 version);

} // namespace RegisterMap
