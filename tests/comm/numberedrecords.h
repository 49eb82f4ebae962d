#pragma once

#include "linerecord.h"

// Traffic records for the line monitor's tests. Each names itself in its duration (its id), is on
// controller 1 + id % 3 and fails (no answer) when id % 4 is 0; all carry the given request.
LineRecord numberedRecord(int id, const QByteArray &request = QByteArray());
// The records first .. first + count - 1.
LineRecordList numberedBatch(int first, int count, const QByteArray &request = QByteArray());
