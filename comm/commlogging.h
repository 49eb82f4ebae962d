#pragma once

#include <QLoggingCategory>

// The communication layer: the worker, the link and the decoder. Its debug lines are off unless switched on, for example with
// QT_LOGGING_RULES="ryn.comm.debug=true".
Q_DECLARE_LOGGING_CATEGORY(lcComm)
