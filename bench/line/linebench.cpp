#include "linebench.h"

#include "benchtiming.h"
#include "commandcodes.h"
#include "commandid.h"
#include "modbusmaster.h"
#include "modbusprotocol.h"
#include "recorder.h"
#include "recordingport.h"
#include "registermap.h"
#include "responsedecoder.h"

#include <cstdio>

void quietDebug(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type != QtDebugMsg)
        std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

double bytesMs(int bytes)
{
    return bytes * ModbusProtocol::bitsPerCharacter * 1000.0 / ModbusProtocol::baudRate;
}

void search(ModbusMaster *master)
{
    for (int address = 1; address <= ModbusProtocol::maxRynAddr; ++address)
        QMetaObject::invokeMethod(master, "slotAddCommand", Q_ARG(int, address), Q_ARG(int, nextCommandId()),
                                  Q_ARG(int, CMD_PING), Q_ARG(QByteArray, QByteArray()));
    wait(ModbusProtocol::maxRynAddr * 210);
}

ModbusMaster *recordingWorker(const QString &portName, Recorder &recorder)
{
    ModbusMaster::Options options;
    options.portFactory = [&recorder](const QString &name) {
        return std::make_unique<RecordingPort>(name, recorder);
    };
    return new ModbusMaster(portName, 0, false, options);
}

void decodeAnswers(ModbusMaster *master, ResponseDecoder &decoder)
{
    QObject::connect(master, &ModbusMaster::signalInfo, &decoder,
                     [&decoder](int, int, int cmdCode, int errCode, const QByteArray &info) {
                         if (ResponseDecoder::decodes(cmdCode, errCode))
                             decoder.enqueue(cmdCode, info);
                     });
}

double lineMs(int answerBytes)
{
    return bytesMs(answerBytes) + turnaroundMs;
}

namespace {

int startRegister(const QByteArray &request)
{
    return quint8(request.at(2)) * 256 + quint8(request.at(3));
}

} // namespace

Cycles cycles(const std::vector<Transaction> &transactions, int selected)
{
    std::vector<size_t> starts;
    for (size_t i = 0; i < transactions.size(); ++i) {
        const QByteArray &request = transactions[i].request;
        const bool countPoll = request.size() == 8 && quint8(request.at(0)) == selected &&
                               startRegister(request) == RegisterMap::eventCountRegister;
        const bool acknowledge =
            i > 0 && startRegister(transactions[i - 1].request) == RegisterMap::firstEventRegister;
        if (countPoll && !acknowledge)
            starts.push_back(i);
    }
    Cycles result;
    for (size_t c = 0; c + 1 < starts.size(); ++c) {
        ++result.count;
        result.wallMs += (transactions[starts[c + 1]].writtenNs - transactions[starts[c]].writtenNs) / 1e6;
        for (size_t i = starts[c]; i < starts[c + 1]; ++i) {
            if (quint8(transactions[i].request.at(0)) != selected) {
                const double heldMs = (transactions[i + 1].writtenNs - transactions[i].writtenNs) / 1e6;
                ++result.probes;
                result.probeMs += heldMs;
                result.wallMs -= heldMs;
                continue;
            }
            ++result.transactions;
            result.lineMs += lineMs(transactions[i].answerBytes);
            result.unanswered += transactions[i].answerBytes == 0 ? 1 : 0;
        }
    }
    return result;
}

double ratio(const Cycles &c)
{
    return c.wallMs / qMax(1e-9, c.lineMs);
}

