#include "pendingrefresh.h"

#include <QAbstractProxyModel>
#include <QVector>

// Out of line so the type information that dynamic_cast relies on lives in one library.
PendingRefresh::~PendingRefresh() = default;

void flushPendingRefresh(QAbstractItemModel *model)
{
    QVector<QAbstractItemModel *> chain;
    for (QAbstractItemModel *m = model; m && !chain.contains(m);) {
        chain.append(m);
        auto *proxy = qobject_cast<QAbstractProxyModel *>(m);
        m = proxy ? proxy->sourceModel() : nullptr;
    }
    for (auto it = chain.crbegin(); it != chain.crend(); ++it) {
        if (auto *pending = dynamic_cast<PendingRefresh *>(*it))
            pending->flushPending();
    }
}
