#include "simdetectorrules.h"

#include "simconfiguration.h"
#include "simunit.h"

namespace {
constexpr int preAlarmMargin = 5; // degrees below the threshold temperature
} // namespace

namespace SimDetectorRules {

void apply(SimUnit &unit, int thresholdTemperature)
{
    const int type = unit.type();
    if (SimUnit::isCallPointType(type)) {
        unit.setValue(SimUnit::Fire, unit.value(SimUnit::Button) == 1);
        return;
    }
    if (!SimUnit::isSmokeType(type) && !SimUnit::isHeatType(type))
        return;
    bool fire = false;
    bool preAlarm = false;
    if (SimUnit::isSmokeType(type)) {
        const int threshold = unit.value(SimUnit::FireThreshold);
        fire = threshold > 0 && unit.value(SimUnit::Smoke) >= threshold;
    }
    if (SimUnit::isHeatType(type)) {
        const int threshold = thresholdTemperature;
        if (threshold != SimConfiguration::noThreshold && threshold > 0) {
            const double celsius = SimUnit::thermistorCelsius(unit.value(SimUnit::TUlo));
            fire = fire || celsius >= threshold;
            preAlarm = celsius >= threshold - preAlarmMargin;
        }
    }
    unit.setValue(SimUnit::Fire, fire);
    unit.setValue(SimUnit::PreAlarm, preAlarm);
}

} // namespace SimDetectorRules
