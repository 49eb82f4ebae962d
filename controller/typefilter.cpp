#include "typefilter.h"

#include "hardtypes.h"

namespace TypeFilter {

QList<int> groupTypes(int group)
{
    switch (group) {
    case 0:
        return {HeatDetector, HeatDetector2};
    case 1:
        return {SmokeDetector};
    case 2:
        return {SmokeHeatDetector, SmokeHeatDetector2};
    case 3:
        return {FlameDetector, FlameDetector2};
    case 4:
        return {ManualCallPoint, RemoteStartButton};
    case 5:
        return {ControlModuleC};
    case 6:
        return {InputModule2, InputModule2A, InputModule4};
    case 7:
        return {RelayModule2, RelayModule4};
    case 8:
        return {InputRelayModule};
    case 9:
        return {ControlModuleA, ControlModuleB};
    default:
        return {};
    }
}

QList<int> filteredTypes(const QVector<bool> &groupChecked)
{
    QList<int> types;
    for (int group = 0; group < groupChecked.size(); ++group) {
        if (!groupChecked.at(group))
            types += groupTypes(group);
    }
    return types;
}

Qt::CheckState allTypesState(const QVector<bool> &groupChecked)
{
    const int checked = int(groupChecked.count(true));
    if (checked == groupChecked.size())
        return Qt::Checked;
    return checked == 0 ? Qt::Unchecked : Qt::PartiallyChecked;
}

} // namespace TypeFilter
