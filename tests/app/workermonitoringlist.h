#pragma once

#include <QList>

class ModbusMaster;

// The worker's monitoring list, read in the worker's own thread. The call carries nothing and the
// answer comes back under a standard mutex: the thread checker sees that hand-over, which it cannot
// see through Qt's queue.
QList<int> monitoringList(ModbusMaster *worker);
