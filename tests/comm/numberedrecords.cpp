#include "numberedrecords.h"

#include "modbusprotocol.h"

LineRecord numberedRecord(int id, const QByteArray &request)
{
    LineRecord record;
    record.durationMs = id;
    record.rynAddr = 1 + id % 3;
    record.result = id % 4 == 0 ? ModbusProtocol::ResultNoAnswer : ModbusProtocol::ResultOk;
    record.request = request;
    return record;
}

LineRecordList numberedBatch(int first, int count, const QByteArray &request)
{
    LineRecordList batch;
    batch.reserve(count);
    for (int id = first; id < first + count; ++id)
        batch.append(numberedRecord(id, request));
    return batch;
}
