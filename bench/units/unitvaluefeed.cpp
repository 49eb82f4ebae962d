#include "unitvaluefeed.h"

#include "aupropertiesmodel.h"

namespace {

using M = AuPropertiesModel;

std::vector<UnitValueFeed> makeFeeds()
{
    static const int types[] = {4, 2, 3, 24, 23, 5, 6, 1, 7, 8, 9, 10, 11, 13, 14, 15, 16, 17, 18, 12};
    std::vector<UnitValueFeed> feeds = {
        [](M &m, int a, int v) { m.slotSetType(a, types[v % 20]); },
        [](M &m, int a, int v) {
            if (a == M::MaxAddress)
                m.slotSetGeneralState251(v % 10);
            else
                m.slotSetGeneralState(a, v % 10);
        },
        [](M &m, int a, int v) { m.slotSetIonistorState(a, v % 13); },
        [](M &m, int a, int v) { m.slotSetU(a, v / 10.0); },
        [](M &m, int a, int v) { m.slotSetU1(a, v / 11.0); },
        [](M &m, int a, int v) { m.slotSetU2(a, v / 12.0); },
        [](M &m, int a, int v) { m.slotSetU3(a, v / 13.0); },
        [](M &m, int a, int v) { m.slotSet_T_ULo(a, uchar(v)); },
        [](M &m, int a, int v) { m.slotSetThresholdT(a, uchar(v)); },
        [](M &m, int a, int v) { m.slotSetSmoke(a, uchar(v)); },
        [](M &m, int a, int v) { m.slotSetSmokeMid(a, uchar(v)); },
        [](M &m, int a, int v) { m.slotSetIPD_FireThreshold(a, uchar(v)); },
        [](M &m, int a, int v) { m.slotSetIPD_resource(a, uchar(v)); },
        [](M &m, int a, int v) { m.slotSetPhoto(a, uchar(v) % 4); },
        [](M &m, int a, int v) { m.slotSetDustiness(a, uchar(v) % 3); },
        [](M &m, int a, int v) { m.slotSetLaser(a, uchar(v) % 4); },
        [](M &m, int a, int v) { m.slotSetPyrosensor(a, uchar(v) % 4); },
        [](M &m, int a, int v) { m.slotSetCumulaterS1(a, uchar(v)); },
        [](M &m, int a, int v) { m.slotSetCumulaterS2(a, uchar(v)); },
        [](M &m, int a, int v) { m.slotSetPyroTimer(a, uchar(v)); },
        [](M &m, int a, int v) { m.slotSetNoResponseCounter(a, ushort(v * 3)); },
        [](M &m, int a, int v) { m.slotSetAdditionData(a, uchar(v)); },
        [](M &m, int a, int v) { m.slotSetFirmwareVersion(a, uchar(v) % 20); },
        [](M &m, int a, int v) { m.slotSetPowerSupply(a, uchar(v) % 3); },
        [](M &m, int a, int v) { m.slotSetOp(a, uchar(v) % 3); },
        [](M &m, int a, int v) { m.slotSetRp(a, uchar(v) % 3); },
        [](M &m, int a, int v) { m.slotSetLo(a, uchar(v) % 4); },
        [](M &m, int a, int v) { m.slotSetPowerLo(a, uchar(v) % 6); },
        [](M &m, int a, int v) { m.slotSetPowerLoInit(a, uchar(v) % 6); },
        [](M &m, int a, int v) { m.slotSetInsulators(a, uchar(v) % 16); },
        [](M &m, int a, int v) { m.slotSetSbAmperage(a, v / 7.0); },
        [](M &m, int a, int v) { m.slotSetAverageAmperage(a, v / 9.0); },
        [](M &m, int a, int v) { m.slotSetButtonIPR_IPRV(a, uchar(v) % 4); },
        [](M &m, int a, int v) { m.slotSetTamperUDP_IPRV(a, uchar(v) % 3); },
        [](M &m, int a, int v) { m.slotSetButtonUDP(a, uchar(v) % 4); },
        [](M &m, int a, int v) { m.slotSetSensor(a, uchar(v) % 4); },
        [](M &m, int a, int v) { m.slotSetConnection(a, uchar(v) % 6); },
        [](M &m, int a, int v) { m.slotSetFire(a, v % 2); },
        [](M &m, int a, int v) { m.slotSetPreAlarm(a, v % 3 == 0); },
        [](M &m, int a, int v) { m.slotSetHeater(a, uchar(v) % 7); },
        [](M &m, int a, int v) { m.slotSet_R_NE(a, uchar(v)); },
        [](M &m, int a, int v) { m.slotSetBlocking(a, v % 5 != 0); },
        [](M &m, int a, int v) { m.slotSetProcType(a, uchar(v) % 5); },
        [](M &m, int a, int v) { m.slotSetIptChannelType(a, uchar(v) % 2); },
    };
    for (int w = 1; w <= 3; ++w) {
        feeds.push_back(
            [w](M &m, int a, int v) { m.slotSetIPP_W(a, AuCellTypes::IPP_W_Number(w), uchar(v)); });
    }
    for (int n = 1; n <= 4; ++n) {
        const auto number = AuCellTypes::IoNumber(n);
        feeds.push_back([number](M &m, int a, int v) { m.slotSetInput(a, number, uchar(v) % 5, false); });
        feeds.push_back([number](M &m, int a, int v) { m.slotSetOutput(a, number, uchar(v) % 5, false); });
        feeds.push_back([number](M &m, int a, int v) { m.slotSetOutputInit(a, number, uchar(v) % 5); });
        feeds.push_back([number](M &m, int a, int v) { m.slotSetInputADC(a, number, uchar(v)); });
    }
    for (int n = 1; n <= 2; ++n) {
        const auto number = AuCellTypes::IoNumber(n);
        feeds.push_back([number](M &m, int a, int v) { m.slotSetInput(a, number, uchar(v) % 5, true); });
        feeds.push_back([number](M &m, int a, int v) { m.slotSetOutput(a, number, uchar(v) % 5, true); });
        feeds.push_back(
            [n](M &m, int a, int v) { m.slotSetValve(a, AuCellTypes::ValveNumber(n), uchar(v) % 5); });
    }
    return feeds;
}

} // namespace

const std::vector<UnitValueFeed> &unitValueFeeds()
{
    static const std::vector<UnitValueFeed> feeds = makeFeeds();
    return feeds;
}

void feedUnit(AuPropertiesModel &model, int addr, int seed)
{
    for (const UnitValueFeed &feed : unitValueFeeds())
        feed(model, addr, addr + seed);
}
