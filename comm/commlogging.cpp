#include "commlogging.h"

Q_LOGGING_CATEGORY(lcComm, "ryn.comm", QtInfoMsg)
