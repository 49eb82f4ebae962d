#include "workermonitoringlist.h"

#include "modbusmaster.h"

#include <condition_variable>
#include <mutex>

QList<int> monitoringList(ModbusMaster *worker)
{
    static std::mutex mutex;
    static std::condition_variable answered;
    static QList<int> list;
    static bool ready = false;
    {
        const std::lock_guard<std::mutex> lock(mutex);
        ready = false;
    }
    QMetaObject::invokeMethod(worker, [] {
        const std::lock_guard<std::mutex> lock(mutex);
        list = ModbusMaster::instance()->monitoringList();
        ready = true;
        answered.notify_all();
    });
    std::unique_lock<std::mutex> lock(mutex);
    answered.wait(lock, [] { return ready; });
    return list;
}
