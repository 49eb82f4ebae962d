#include "unitslogging.h"

Q_LOGGING_CATEGORY(lcUnits, "ryn.units", QtInfoMsg)
