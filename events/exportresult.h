#pragma once

#include <QString>

// What a file write reports back: whether the file is in place, the name it was actually written
// under (in unique-name mode that is not the name asked for), and why it failed.
struct ExportResult
{
    bool ok = false;
    QString fileName;
    QString error;
};
