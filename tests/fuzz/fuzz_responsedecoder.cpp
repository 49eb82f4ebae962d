// Answer blocks of any read code and any length, decoded and taken in by the unit properties and
// controller constants models, whose every cell is then read as the views would read it.
#include "aupropertiesmodel.h"
#include "fuzzinput.h"
#include "responsedecoder.h"
#include "rynparamsmodel.h"

#include <QMetaMethod>

namespace {

// signalSetXxx(args) of the decoder to slotSetXxx(args) of the model, wherever both exist alike.
void connectByName(ResponseDecoder *decoder, QObject *model)
{
    const QMetaObject *from = decoder->metaObject();
    const QMetaObject *to = model->metaObject();
    for (int i = from->methodOffset(); i < from->methodCount(); ++i) {
        const QMetaMethod signal = from->method(i);
        if (signal.methodType() != QMetaMethod::Signal)
            continue;
        QByteArray slot = signal.methodSignature();
        slot.replace(0, 6, "slot"); // "signal" -> "slot"
        const int index = to->indexOfSlot(slot.constData());
        if (index >= 0)
            QObject::connect(decoder, signal, model, to->method(index));
    }
}

void readEveryCell(const QAbstractItemModel &model)
{
    for (int row = 0; row < model.rowCount(); ++row) {
        for (int column = 0; column < model.columnCount(); ++column) {
            const QModelIndex index = model.index(row, column);
            for (int role : {Qt::DisplayRole, Qt::BackgroundRole, Qt::ForegroundRole, Qt::ToolTipRole})
                model.data(index, role);
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput input(data, size);
    ResponseDecoder decoder;
    ColumnValidRows valid;
    AuPropertiesModel units(&valid);
    RynParamsModel constants;
    connectByName(&decoder, &units);
    // The number types travel as plain ints from the decoder; the model takes them as its enums.
    QObject::connect(&decoder, &ResponseDecoder::signalSetIPP_W, &units, [&units](int addr, int number, uchar w) {
        FUZZ_REQUIRE(number >= 1 && number <= 3);
        units.slotSetIPP_W(addr, AuCellTypes::IPP_W_Number(number), w);
    });
    QObject::connect(&decoder, &ResponseDecoder::signalSetInput, &units,
                     [&units](int addr, int number, uchar state, bool vexa) {
                         FUZZ_REQUIRE(number >= 1 && number <= 4 && state <= 15);
                         units.slotSetInput(addr, AuCellTypes::IoNumber(number), state, vexa);
                     });
    QObject::connect(&decoder, &ResponseDecoder::signalSetOutput, &units,
                     [&units](int addr, int number, uchar state, bool vexa) {
                         FUZZ_REQUIRE(number >= 1 && number <= 4 && state <= 15);
                         units.slotSetOutput(addr, AuCellTypes::IoNumber(number), state, vexa);
                     });
    QObject::connect(&decoder, &ResponseDecoder::signalSetOutputInit, &units,
                     [&units](int addr, int number, uchar state) {
                         FUZZ_REQUIRE(number >= 1 && number <= 4 && state <= 1);
                         units.slotSetOutputInit(addr, AuCellTypes::IoNumber(number), state);
                     });
    QObject::connect(&decoder, &ResponseDecoder::signalSetValve, &units, [&units](int addr, int number, uchar state) {
        FUZZ_REQUIRE(number >= 1 && number <= 2 && state <= 15);
        units.slotSetValve(addr, AuCellTypes::ValveNumber(number), state);
    });
    QObject::connect(&decoder, &ResponseDecoder::signalSetInputADC, &units, [&units](int addr, int number, uchar adc) {
        FUZZ_REQUIRE(number >= 1 && number <= 4);
        units.slotSetInputADC(addr, AuCellTypes::IoNumber(number), adc);
    });
    QObject::connect(&decoder, &ResponseDecoder::signalRynConstantsUpdated, &constants,
                     &RynParamsModel::slotRynConstantsUpdated);
    // Packed values never exceed their field.
    QObject::connect(&decoder, &ResponseDecoder::signalSetGeneralState, &units,
                     [](int addr, int state) { FUZZ_REQUIRE(addr >= 1 && state >= 0 && state <= 15); });
    QObject::connect(&decoder, &ResponseDecoder::signalSetButtonIPR_IPRV, &units,
                     [](int addr, uchar value) { FUZZ_REQUIRE(addr >= 1 && value <= 3); });
    QObject::connect(&decoder, &ResponseDecoder::signalSetPowerLo, &units,
                     [](int, uchar value) { FUZZ_REQUIRE(value <= 7); });
    QObject::connect(&decoder, &ResponseDecoder::signalSetPowerLoInit, &units,
                     [](int, uchar value) { FUZZ_REQUIRE(value <= 15); });

    // Blocks one after another, as answers arrive: the word cache sees repeats and changes.
    while (!input.atEnd()) {
        const int code = input.byte();
        const int length = input.word() % 600;
        decoder.enqueue(code, input.bytes(length));
    }
    readEveryCell(units);
    readEveryCell(constants);
    units.typeVersionCountMap();
    for (int addr = 0; addr <= AuPropertiesModel::MaxAddress + 1; ++addr)
        units.meaningfulColumns(addr);
    return 0;
}
