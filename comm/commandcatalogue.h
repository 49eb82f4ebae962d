#pragma once

#include "modbuslink.h"

#include <functional>

// Turns a command code into its Modbus transaction(s): read items, executive commands written to the
// command registers, and the read-modify-write configuration commands.
namespace CommandCatalogue {

enum class Kind
{
    ReadItem,
    Executive,
    Configuration,
    Unknown
};

Kind kindOf(int cmdCode);

// The byte written beside the target for an executive command.
inline quint8 commandByte(int cmdCode)
{
    return quint8((cmdCode + 24) % 256);
}

// The moments inside a configuration command that the activity indicators show.
struct Hooks
{
    std::function<void()> portTx;                                     // before each write
    std::function<void(int result, const QByteArray &answer)> portRx; // after each successful read
};

struct Outcome
{
    int result = ModbusProtocol::ResultOk;
    QByteArray answer; // the last transaction's answer frame as received
    quint8 exceptionCode = 0;
};

// Runs the command against the link. `version` is the selected controller's version word and
// `lastTypes` the last types block read from it (empty when unknown). Failure accounting is
// the caller's, once per command with the outcome's result.
Outcome execute(ModbusLink &link, quint8 rynAddr, int cmdCode, const QByteArray &info, quint16 version,
                const QByteArray &lastTypes, const Hooks &hooks = Hooks());

} // namespace CommandCatalogue
