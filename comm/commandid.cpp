#include "commandid.h"

#include <atomic>
#include <climits>

namespace {
std::atomic<int> lastId{0};
} // namespace

int nextCommandId()
{
    int current = lastId.load();
    int next = 0;
    do {
        next = current == INT_MAX ? 1 : current + 1;
    } while (!lastId.compare_exchange_weak(current, next));
    return next;
}

void setLastCommandId(int value)
{
    lastId.store(value);
}
