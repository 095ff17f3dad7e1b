#pragma once

#include <QByteArrayView>
#include <QString>

// Text files from other programs: UTF-8 (with or without a byte-order mark) when the bytes are
// valid UTF-8, Windows-1252 otherwise.
QString DecodeTextBytes(QByteArrayView bytes);
