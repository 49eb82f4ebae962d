#pragma once

#include <QLoggingCategory>

// The unit views. Its debug lines are off unless switched on, for example with
// QT_LOGGING_RULES="ryn.units.debug=true".
Q_DECLARE_LOGGING_CATEGORY(lcUnits)
