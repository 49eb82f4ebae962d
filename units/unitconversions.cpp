#include "unitconversions.h"

#include <cmath>

int thermistorToCelsius(quint8 x)
{
    // The detector's thermistor curve: B = 4334 K referred to 298 K.
    constexpr double beta = 4334.0;
    constexpr double kelvin25 = 298.0;
    constexpr double zeroCelsius = 273.15;
    if (x == 0 || x == 255)
        return -273;
    const double t = beta / (std::log(0.62 * x / (255.0 - x)) + beta / kelvin25) - zeroCelsius;
    return int(std::floor(t + 0.5));
}

double loVoltage(quint8 x)
{
    return x * 29.76 / 256.0;
}
