#pragma once

#include <functional>

class AuPropertiesModel;

// What a unit menu needs to know beyond the unit it is opened for, handed down by the menus' owner:
// the two questions about the worker's last answers that are asked before a unit is moved onto an
// address that may be taken, and the properties table whose records give a border's present value.
// Unanswered questions mean there is no worker, and re-addressing sends nothing. "Тренд ..." is
// offered only where there is a trend window to show the unit in.
struct AuMenuContext
{
    std::function<bool(int addr)> isUnitTyped;
    std::function<bool(int addr)> isUnitReachable;
    const AuPropertiesModel *model = nullptr;
    std::function<void(int addr)> showTrend;
};
