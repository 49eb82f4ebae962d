#pragma once

#include <QtGlobal>

// Heat detectors report their thermistor as a raw byte: converts it to whole degrees Celsius
// (halves round up). The ends of the scale, 0 and 255, carry no reading and give -273.
int thermistorToCelsius(quint8 x);

// Control modules report their LO supply voltage in the same byte: converts it to volts.
double loVoltage(quint8 x);
