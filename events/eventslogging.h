#pragma once

#include <QLoggingCategory>

// The event descriptions and their editor. Its debug lines are off unless switched on, for example with
// QT_LOGGING_RULES="ryn.events.debug=true".
Q_DECLARE_LOGGING_CATEGORY(lcEvents)
