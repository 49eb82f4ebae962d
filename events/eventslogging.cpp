#include "eventslogging.h"

Q_LOGGING_CATEGORY(lcEvents, "ryn.events", QtInfoMsg)
