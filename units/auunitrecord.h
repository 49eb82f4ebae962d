#pragma once

#include <QtGlobal>

// Everything the tool has learnt about one unit; the properties table keeps one per address and the
// reports read them. A new record holds the values that mean "not reported yet".
struct AuUnitRecord
{
    explicit AuUnitRecord(qint32 addr = 0)
        : address(addr)
    {}

    qint32 address = 0;
    qint32 generalState = 8;
    qint32 type = 255;
    qint32 ionistorState = 4;
    double u = 0;
    double u1 = 0;
    double u2 = 0;
    double u3 = 0;
    quint8 t_u = 0; // temperature byte, or LO supply voltage byte of LO modules
    quint8 thresholdT = 0;
    quint8 smoke = 0;
    quint8 smokeMid = 0;
    quint8 fireThreshold = 0;
    quint8 resource = 0;
    qint32 photo = 0;
    qint32 dustiness = 0;
    qint32 laser = 3;
    qint32 pyrosensor = 0;
    quint8 cumulaterS1 = 0;
    quint8 cumulaterS2 = 0;
    quint8 pyroTimer = 0;
    quint8 ippW[3] = {0, 0, 0};
    quint16 noResponseCounter = 0;
    quint8 additionData = 0;
    quint8 firmwareVersion = 0;
    qint32 powerSupply = 2;
    qint32 op = 2;
    qint32 rp = 2;
    qint32 lo = 3;
    qint32 powerLo = 5;
    qint32 powerLoInit = 5;
    qint32 insulatorLeft = 2;
    qint32 insulatorRight = 2;
    qint32 input[4] = {4, 4, 4, 4};
    qint32 inputVexa2R2[2] = {4, 4};
    quint8 inputADC[4] = {0, 0, 0, 0};
    qint32 output[4] = {4, 4, 4, 4};
    qint32 outputVexa2R2[2] = {4, 4};
    qint32 outputInit[4] = {4, 4, 4, 4};
    qint32 valve[2] = {4, 4};
    double sbAmperage = 0;
    double averageAmperage = 0;
    qint32 buttonIPR_IPRV = 2;
    qint32 tamperUDP_IPRV = 0;
    qint32 buttonUDP = 0;
    qint32 sensor = 3;
    qint32 connection = 0;
    quint8 fire = 0;
    quint8 preAlarm = 0;
    quint8 unBlocked = 1;
    qint32 heater = 4;
    quint8 r_NE = 0;
    qint32 procType = 0;
    qint32 iptChannelType = 0;
};
