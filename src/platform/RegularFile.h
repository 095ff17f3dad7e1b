#pragma once

#include <QByteArray>
#include <QString>

// How reading a file went.
enum class TFileRead {
    Read,       // Bytes holds the file, or its first limit bytes when Truncated
    Missing,    // nothing by that name
    NotRegular, // a folder, device, pipe or socket: never read
    Failed,     // the system refused to open or read it
};

struct TFileBytes {
    TFileRead Result = TFileRead::Failed;
    QByteArray Bytes;
    bool Truncated = false; // the file held more than the limit
};

// Reads a regular file into memory, at most limit bytes. Only regular files are read: the
// name is opened without waiting (a pipe with no writer would block a plain open) and the
// open descriptor is checked, so that nothing can be swapped in between the check and the
// read. The bytes are copied, never mapped: a file cut short while it is read gives fewer
// bytes, which the caller's reader reports, instead of a signal.
TFileBytes ReadRegularFile(const QString& fileName, qint64 limit);
