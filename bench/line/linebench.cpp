#include "linebench.h"

#include "benchtiming.h"
#include "commandcodes.h"
#include "commandid.h"
#include "modbusmaster.h"
#include "modbusprotocol.h"
#include "recorder.h"
#include "recordingport.h"
#include "responsedecoder.h"

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
