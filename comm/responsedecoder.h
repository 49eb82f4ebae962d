#pragma once

#include "registermap.h"

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QQueue>

// Turns answer blocks into per-unit and per-register update signals. Each block is cut into words;
// a word equal to the one last decoded for the same code and position emits nothing.
// Input, output, valve and border numbers are plain ints here (1..4, 1..2, 1..3).
class ResponseDecoder : public QObject
{
    Q_OBJECT

public:
    explicit ResponseDecoder(QObject *parent = nullptr);

    // Whether an answer of this code and result carries data for the views.
    static bool decodes(int cmdCode, int errCode);

    // Queues the block word by word, decoding as it goes.
    void enqueue(int cmdCode, const QByteArray &data);
    // Forgets every word decoded so far, so the next answer of each block is shown in full. For views
    // that were blanked by fabricated answers: a real answer equal to the last one would show nothing.
    void forgetDecodedWords();

public slots:
    void slotCmdProcessTimeout();

signals:
    void signalRynRegistersUpdated(RynRegisterAddress regAddr, ushort regWord);
    void signalRynConstantsUpdated(RynRegisterAddress regAddr, ushort regWord, bool isDefault = true);
    void signalSetType(int addr, int type);
    void signalSetGeneralState(int addr, int state);
    void signalSetGeneralState251(int state);
    void signalSetIonistorState(int addr, int state);
    void signalSetU(int addr, double U);
    void signalSetU1(int addr, double U1);
    void signalSetU2(int addr, double U2);
    void signalSetU3(int addr, double U3);
    void signalSet_T_ULo(int addr, uchar t_u);
    void signalSetThresholdT(int addr, uchar thresholdT);
    void signalSetSmoke(int addr, uchar smoke);
    void signalSetSmokeMid(int addr, uchar mid);
    void signalSetIPD_FireThreshold(int addr, uchar threshold);
    void signalSetIPD_resource(int addr, uchar resource);
    void signalSetPhoto(int addr, uchar photo);
    void signalSetDustiness(int addr, uchar dustiness);
    void signalSetLaser(int addr, uchar laser);
    void signalSetPyrosensor(int addr, uchar pyrosensor);
    void signalSetCumulaterS1(int addr, uchar cumulater);
    void signalSetCumulaterS2(int addr, uchar cumulater);
    void signalSetPyroTimer(int addr, uchar timer);
    void signalSetIPP_W(int addr, int number, uchar w);
    void signalSetNoResponseCounter(int addr, ushort counter);
    void signalSetAdditionData(int addr, uchar data);
    void signalSetFirmwareVersion(int addr, uchar firmVer);
    void signalSetPowerSupply(int addr, uchar powerSupply);
    void signalSetOp(int addr, uchar op);
    void signalSetRp(int addr, uchar rp);
    void signalSetLo(int addr, uchar lo);
    void signalSetPowerLo(int addr, uchar powerLo);
    void signalSetPowerLoInit(int addr, uchar powerLo);
    void signalSetInsulators(int addr, uchar insulators);
    void signalSetInput(int addr, int number, uchar state, bool isVexa2R2 = false);
    void signalSetOutput(int addr, int number, uchar state, bool isVexa2R2 = false);
    void signalSetOutputInit(int addr, int number, uchar state);
    void signalSetValve(int addr, int number, uchar state);
    void signalSetInputADC(int addr, int number, uchar adc);
    void signalSetSbAmperage(int addr, double sbAmperage);
    void signalSetAverageAmperage(int addr, double averageAmperage);
    void signalSetButtonIPR_IPRV(int addr, uchar buttonIPR_IPRV);
    void signalSetTamperUDP_IPRV(int addr, uchar tamperUDP_IPRV);
    void signalSetButtonUDP(int addr, uchar buttonUDP);
    void signalSetSensor(int addr, uchar sensor);
    void signalSetConnection(int addr, uchar connect);
    void signalSetFire(int addr, bool fire);
    void signalSetPreAlarm(int addr, bool preAlarm);
    void signalSetHeater(int addr, uchar heater);
    void signalSet_R_NE(int addr, uchar R_NE);
    void signalSetBlocking(int addr, bool unBlocked);
    void signalSetProcType(int addr, uchar type);
    void signalSetIptChannelType(int addr, uchar type);
    void signalIppBorderData(QByteArray ba);
    // The same block with the code it was read by (58..60): which border, W1..W3, it holds.
    void signalIppBorderRead(int cmdCode, QByteArray ba);

private:
    struct Item
    {
        int cmdCode = 0;
        int wordIndex = 0;
        QByteArray data;
    };

    void decode(const Item &item);

    QQueue<Item> m_queue;
    QHash<int, QHash<int, quint16>> m_cache; // code -> word index -> last value
};
