#pragma once

class QAbstractItemModel;

// A model that defers expensive updates (for example a proxy that coalesces its re-filters to one per
// event-loop turn) implements this so that readers never see stale rows. Every reader that walks
// a model in one go - copying, exporting, printing, building documents - calls flushPendingRefresh()
// before it gathers indexes. Readers find the interface by dynamic_cast, so the model needs nothing
// else.
class PendingRefresh
{
public:
    virtual ~PendingRefresh();

    // Runs any deferred update now, synchronously; does nothing when none is pending.
    virtual void flushPending() = 0;
};

// Brings the model up to date: first the source models behind proxies, innermost first, so each
// proxy re-filters over current source rows, then the model itself.
void flushPendingRefresh(QAbstractItemModel *model);
