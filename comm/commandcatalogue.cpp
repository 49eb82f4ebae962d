#include "commandcatalogue.h"

#include "commandcodes.h"
#include "commlogging.h"
#include "registermap.h"
#include "unitpacking.h"

using namespace ModbusProtocol;

namespace CommandCatalogue {

namespace {

constexpr int maxUnit = 250;

Outcome fromTransaction(const ModbusLink::Transaction &transaction)
{
    return {transaction.result, transaction.answer, transaction.exceptionCode};
}

Outcome refused(int result)
{
    Outcome outcome;
    outcome.result = result;
    return outcome;
}

struct Context
{
    ModbusLink &link;
    quint8 rynAddr;
    const Hooks &hooks;

    ModbusLink::Transaction read(const RegisterMap::Block &block) const
    {
        return link.transact(readHoldingRegisters(rynAddr, block.start, block.count),
                             readAnswerLength(block.count));
    }

    Outcome write(quint16 start, const QByteArray &data) const
    {
        if (hooks.portTx)
            hooks.portTx();
        return fromTransaction(
            link.transact(writeMultipleRegisters(rynAddr, start, data), writeAnswerLength));
    }

    // Reads a configuration block, lets `modify` change its data, writes it back.
    template<typename Modify>
    Outcome readModifyWrite(int blockCode, Modify modify) const
    {
        return readModifyWrite(RegisterMap::readBlock(blockCode, 0), modify);
    }

    // The same for some registers of a block.
    template<typename Modify>
    Outcome readModifyWrite(const RegisterMap::Block &block, Modify modify) const
    {
        const ModbusLink::Transaction answer = read(block);
        if (answer.result != ResultOk)
            return fromTransaction(answer);
        if (hooks.portRx)
            hooks.portRx(ResultOk, QByteArray());
        QByteArray data = answerData(answer.answer);
        modify(data);
        return write(block.start, data);
    }
};

// The configuration block each clear, default and write command works on.
int configBlockOf(int cmdCode)
{
    switch (cmdCode) {
    case CMD_CLEAR_CFG_UNBLOCKED:
    case CMD_DEFAULT_CFG_UNBLOCKED:
    case CMD_WRITE_CFG_UNBLOCKED:
        return CMD_READ_CFG_UNBLOCKED;
    case CMD_CLEAR_CFG_TYPES:
    case CMD_DEFAULT_CFG_TYPES:
    case CMD_WRITE_CFG_TYPES:
        return CMD_READ_CFG_TYPES;
    case CMD_CLEAR_CFG_THRESHOLD_T:
    case CMD_DEFAULT_CFG_THRESHOLD_T:
    case CMD_WRITE_CFG_THRESHOLD_T:
        return CMD_READ_CFG_THRESHOLD_T;
    case CMD_CLEAR_CFG_HEAT_BITS:
    case CMD_DEFAULT_CFG_HEAT_BITS:
    case CMD_WRITE_CFG_HEAT_BITS:
        return CMD_READ_CFG_HEAT_BITS;
    case CMD_CLEAR_CFG_OUTPUT_INIT:
    case CMD_DEFAULT_CFG_OUTPUT_INIT:
    case CMD_WRITE_CFG_OUTPUT_INIT:
        return CMD_READ_CFG_OUTPUT_INIT;
    case CMD_CLEAR_CFG_POWER_LO_INIT:
    case CMD_DEFAULT_CFG_POWER_LO_INIT:
    case CMD_WRITE_CFG_POWER_LO_INIT:
        return CMD_READ_CFG_POWER_LO_INIT;
    default:
        return -1;
    }
}

// Every unit of the types block whose type is one of `types`.
template<typename Action>
void forUnitsOfType(const QByteArray &types, std::initializer_list<int> wanted, Action action)
{
    for (int index = 0; index < types.size(); ++index) {
        const int type = quint8(types.at(index));
        for (int candidate : wanted) {
            if (type == candidate) {
                action(index, UnitPacking::unitOfByteIndex(index));
                break;
            }
        }
    }
}

Outcome writeUnblockedBit(const Context &context, const QByteArray &info)
{
    const int unit = info.size() >= 2 ? quint8(info.at(0)) : 0;
    if (unit < 1 || unit > maxUnit)
        return refused(ResultUnknownCommand);
    const bool unblocked = info.at(1) != 0;
    return context.readModifyWrite(CMD_READ_CFG_UNBLOCKED,
                                   [&](QByteArray &data) { UnitPacking::setBit(data, unit, unblocked); });
}

Outcome writeLoMode(const Context &context, const QByteArray &info)
{
    const int unit = info.size() >= 2 ? quint8(info.at(0)) : 0;
    if (unit < 1 || unit > maxUnit)
        return refused(ResultUnknownCommand);
    const int mode = quint8(info.at(1)) & 0x0F;
    // Four units share a register: read it, so the other three keep their modes.
    RegisterMap::Block loRegister = RegisterMap::readBlock(CMD_READ_CFG_LO_MODE, 0);
    loRegister.start = quint16(loRegister.start + (unit - 1) / 4);
    loRegister.count = 1;
    return context.readModifyWrite(loRegister, [&](QByteArray &data) {
        // Within the one register read, the unit takes its place among its three neighbours.
        UnitPacking::setNibble(data, (unit - 1) % 4 + 1, mode);
    });
}

Outcome writeRynConstant(const Context &context, const QByteArray &info)
{
    const int index = info.isEmpty() ? 0 : quint8(info.at(0));
    const QByteArray data = info.mid(1);
    const int registers = data.size() / 2;
    // Only the writable constants: anything else would land in another configuration area.
    if (index < 1 || registers < 1 || index - 1 + registers > RegisterMap::constantCount)
        return refused(ResultUnknownCommand);
    const quint16 address = quint16(RegisterMap::writableConstantsStart + index - 1);
    qCDebug(lcComm).noquote() << "CMD_WRITE_RYN_CONSTANT:" << index - 1 << address << data.toHex(' ');
    return context.write(address, data);
}

Outcome fillBlock(const Context &context, int blockCode)
{
    const RegisterMap::Block block = RegisterMap::readBlock(blockCode, 0);
    return context.write(block.start, QByteArray(block.count * 2, '\xff'));
}

Outcome writeInsideBlock(const Context &context, int blockCode, const QByteArray &info)
{
    const RegisterMap::Block block = RegisterMap::readBlock(blockCode, 0);
    const int offset = info.isEmpty() ? -1 : quint8(info.at(0));
    const int registers = (info.size() - 1) / 2;
    // A write running past its block could reach the command registers and start a command.
    if (offset < 0 || registers < 1 || offset + registers > block.count)
        return refused(ResultUnknownCommand);
    return context.write(quint16(block.start + offset), info.mid(1));
}

Outcome defaultConfiguration(const Context &context, int cmdCode, const QByteArray &types)
{
    if (types.isEmpty())
        return refused(ResultNoTypes);
    switch (cmdCode) {
    case CMD_DEFAULT_CFG_TYPES: {
        const RegisterMap::Block block = RegisterMap::readBlock(CMD_READ_CFG_TYPES, 0);
        return context.write(block.start, types.left(block.count * 2));
    }
    case CMD_DEFAULT_CFG_THRESHOLD_T:
        return context.readModifyWrite(CMD_READ_CFG_THRESHOLD_T, [&](QByteArray &data) {
            forUnitsOfType(types, {2, 3, 23, 24}, [&](int index, int) {
                if (index < data.size())
                    data[index] = char(57);
            });
        });
    case CMD_DEFAULT_CFG_HEAT_BITS:
        return context.readModifyWrite(CMD_READ_CFG_HEAT_BITS, [&](QByteArray &data) {
            forUnitsOfType(types, {2, 3}, [&](int, int unit) { UnitPacking::setBit(data, unit, true); });
        });
    case CMD_DEFAULT_CFG_OUTPUT_INIT:
        return context.readModifyWrite(CMD_READ_CFG_OUTPUT_INIT, [&](QByteArray &data) {
            forUnitsOfType(types, {10, 13}, [&](int, int unit) {
                UnitPacking::setNibble(data, unit, UnitPacking::nibble(data, unit) | 0x3);
            });
            forUnitsOfType(types, {11}, [&](int, int unit) { UnitPacking::setNibble(data, unit, 0xF); });
        });
    default:
        return context.readModifyWrite(CMD_READ_CFG_POWER_LO_INIT, [&](QByteArray &data) {
            forUnitsOfType(types, {15, 16}, [&](int, int unit) { UnitPacking::setNibble(data, unit, 0); });
        });
    }
}

Outcome configuration(const Context &context, int cmdCode, const QByteArray &info, const QByteArray &types)
{
    switch (cmdCode) {
    case CMD_WRITE_UNBLOCKED_BIT:
        return writeUnblockedBit(context, info);
    case CMD_WRITE_LO_MODE:
        return writeLoMode(context, info);
    case CMD_WRITE_RYN_CONSTANT:
        return writeRynConstant(context, info);
    case CMD_CLEAR_CFG_UNBLOCKED:
    case CMD_CLEAR_CFG_TYPES:
    case CMD_CLEAR_CFG_THRESHOLD_T:
    case CMD_CLEAR_CFG_HEAT_BITS:
    case CMD_CLEAR_CFG_OUTPUT_INIT:
    case CMD_CLEAR_CFG_POWER_LO_INIT:
    case CMD_DEFAULT_CFG_UNBLOCKED:
        return fillBlock(context, configBlockOf(cmdCode));
    case CMD_DEFAULT_CFG_TYPES:
    case CMD_DEFAULT_CFG_THRESHOLD_T:
    case CMD_DEFAULT_CFG_HEAT_BITS:
    case CMD_DEFAULT_CFG_OUTPUT_INIT:
    case CMD_DEFAULT_CFG_POWER_LO_INIT:
        return defaultConfiguration(context, cmdCode, types);
    default:
        return writeInsideBlock(context, configBlockOf(cmdCode), info);
    }
}

} // namespace

Kind kindOf(int cmdCode)
{
    if ((cmdCode >= 0 && cmdCode <= 60) || (cmdCode >= 100 && cmdCode <= 107))
        return Kind::ReadItem;
    if (cmdCode >= 1001 && cmdCode <= 1299)
        return Kind::Executive;
    if (cmdCode >= 1300 && cmdCode <= 1320)
        return Kind::Configuration;
    return Kind::Unknown;
}

Outcome execute(ModbusLink &link, quint8 rynAddr, int cmdCode, const QByteArray &info, quint16 version,
                const QByteArray &lastTypes, const Hooks &hooks)
{
    const Context context{link, rynAddr, hooks};
    switch (kindOf(cmdCode)) {
    case Kind::ReadItem:
        return fromTransaction(context.read(RegisterMap::readBlock(cmdCode, version)));
    case Kind::Executive:
        return fromTransaction(
            link.transact(writeCommandRegisters(rynAddr, commandByte(cmdCode), info), writeAnswerLength));
    case Kind::Configuration:
        return configuration(context, cmdCode, info, lastTypes);
    case Kind::Unknown:
        break;
    }
    return refused(ResultUnknownCommand);
}

} // namespace CommandCatalogue
