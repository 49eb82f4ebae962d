#include "applogging.h"

Q_LOGGING_CATEGORY(lcApp, "ryn.app", QtInfoMsg)
