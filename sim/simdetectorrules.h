#pragma once

class SimUnit;

// What a detector concludes from what it measures: a call point is in fire while its button is
// pressed, a smoke detector once its smoke reaches its threshold, a heat detector once its
// temperature reaches the threshold the controller's configuration gives it (and in pre-alarm a few
// degrees before).
namespace SimDetectorRules {

// `thresholdTemperature`: the configured threshold in degrees, SimConfiguration::noThreshold for none.
void apply(SimUnit &unit, int thresholdTemperature);

} // namespace SimDetectorRules
