// Feeds the unit properties model and its filter proxy (wired as the properties page wires them, no
// view) a complete change of the loop: types, general states, voltages and every other value of all
// 250 units and of unit 251, as the decoder's signals deliver them. Prints the GUI thread's CPU time
// for the change including the gathered re-filter, for one unit's change, and the heap the 251 rows
// take.
#include "aufilterproxymodel.h"
#include "aupropertiesmodel.h"

#include <QGuiApplication>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <malloc.h>
#include <vector>

namespace {

constexpr int Units = 251;
constexpr int Rounds = 10;

double threadCpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

size_t heapInUse()
{
    return mallinfo2().uordblks;
}

// Every value of one unit; `seed` makes two rounds differ in every value.
void feedUnit(AuPropertiesModel &m, int a, int seed)
{
    static const int types[] = {4, 2, 3, 24, 23, 5, 6, 1, 7, 8, 9, 10, 11, 13, 14, 15, 16, 17, 18, 12};
    const int v = a + seed;
    const uchar b = uchar(v);
    m.slotSetType(a, types[v % 20]);
    if (a == Units)
        m.slotSetGeneralState251(v % 10);
    else
        m.slotSetGeneralState(a, v % 10);
    m.slotSetIonistorState(a, v % 13);
    m.slotSetU(a, v / 10.0);
    m.slotSetU1(a, v / 11.0);
    m.slotSetU2(a, v / 12.0);
    m.slotSetU3(a, v / 13.0);
    m.slotSet_T_ULo(a, b);
    m.slotSetThresholdT(a, b);
    m.slotSetSmoke(a, b);
    m.slotSetSmokeMid(a, b);
    m.slotSetIPD_FireThreshold(a, b);
    m.slotSetIPD_resource(a, b);
    m.slotSetPhoto(a, b % 4);
    m.slotSetDustiness(a, b % 3);
    m.slotSetLaser(a, b % 4);
    m.slotSetPyrosensor(a, b % 4);
    m.slotSetCumulaterS1(a, b);
    m.slotSetCumulaterS2(a, b);
    m.slotSetPyroTimer(a, b);
    for (int w = 1; w <= 3; ++w)
        m.slotSetIPP_W(a, AuCellTypes::IPP_W_Number(w), b);
    m.slotSetNoResponseCounter(a, ushort(v * 3));
    m.slotSetAdditionData(a, b);
    m.slotSetFirmwareVersion(a, b % 20);
    m.slotSetPowerSupply(a, b % 3);
    m.slotSetOp(a, b % 3);
    m.slotSetRp(a, b % 3);
    m.slotSetLo(a, b % 4);
    m.slotSetPowerLo(a, b % 6);
    m.slotSetPowerLoInit(a, b % 6);
    m.slotSetInsulators(a, b % 16);
    for (int n = 1; n <= 4; ++n) {
        const auto number = AuCellTypes::IoNumber(n);
        m.slotSetInput(a, number, b % 5, false);
        m.slotSetOutput(a, number, b % 5, false);
        m.slotSetOutputInit(a, number, b % 5);
        m.slotSetInputADC(a, number, b);
    }
    for (int n = 1; n <= 2; ++n) {
        m.slotSetInput(a, AuCellTypes::IoNumber(n), b % 5, true);
        m.slotSetOutput(a, AuCellTypes::IoNumber(n), b % 5, true);
        m.slotSetValve(a, AuCellTypes::ValveNumber(n), b % 5);
    }
    m.slotSetSbAmperage(a, v / 7.0);
    m.slotSetAverageAmperage(a, v / 9.0);
    m.slotSetButtonIPR_IPRV(a, b % 4);
    m.slotSetTamperUDP_IPRV(a, b % 3);
    m.slotSetButtonUDP(a, b % 4);
    m.slotSetSensor(a, b % 4);
    m.slotSetConnection(a, b % 6);
    m.slotSetFire(a, v % 2);
    m.slotSetPreAlarm(a, v % 3 == 0);
    m.slotSetHeater(a, b % 7);
    m.slotSet_R_NE(a, b);
    m.slotSetBlocking(a, v % 5 != 0);
    m.slotSetProcType(a, b % 5);
    m.slotSetIptChannelType(a, b % 2);
}

struct Page
{
    ColumnValidRows valid;
    QList<int> hidden{SmokeDetector, RelayModule2};
    AuPropertiesModel model{&valid};
    AuFilterProxyModel proxy{&hidden, &valid};

    Page()
    {
        proxy.setSourceModel(&model);
        proxy.setFilterKeyColumn(AuProperty::GeneralState);
        proxy.setFilterRegularExpression(QStringLiteral("^(?!%1$)").arg(8));
        QObject::connect(&model, &AuPropertiesModel::signalColumnValidRowsChanged, &proxy,
                         &AuFilterProxyModel::slotFilterChanged);
        QObject::connect(&model, &AuPropertiesModel::signalGeneralStateChanged, &proxy,
                         &AuFilterProxyModel::slotFilterChanged);
    }
};

template<typename F>
double busyMs(F &&work)
{
    const double start = threadCpuMs();
    work();
    QCoreApplication::processEvents();
    return threadCpuMs() - start;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    const size_t heapBefore = heapInUse();
    auto *page = new Page;
    const double first = busyMs([page] {
        for (int a = 1; a <= Units; ++a)
            feedUnit(page->model, a, 0);
    });
    const size_t heapAfter = heapInUse();
    std::printf("first filling of %d rows: %.1f ms; heap of model, proxy and column map: %.1f KiB "
                "(record %zu bytes)\n",
                Units, first, (heapAfter - heapBefore) / 1024.0, sizeof(AuUnitRecord));

    std::vector<double> full;
    for (int round = 1; round <= Rounds; ++round) {
        full.push_back(busyMs([page, round] {
            for (int a = 1; a <= Units; ++a)
                feedUnit(page->model, a, round * 7);
        }));
    }
    std::vector<double> single;
    for (int round = 0; round < 50; ++round)
        single.push_back(busyMs([page, round] { feedUnit(page->model, 17, round); }));
    std::printf("full change of %d units (%d rows shown): %.1f ms (median of %d, worst %.1f); "
                "one unit %.3f ms (median of 50)\n",
                Units, page->proxy.rowCount(), median(full), Rounds,
                *std::max_element(full.begin(), full.end()), median(single));
    delete page;
    return 0;
}
