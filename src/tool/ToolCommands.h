#pragma once

#include <QStringList>

// The commands of pentavo-tool. Each returns the exit status; failures raise EStreamError
// with the program's message.
int DumpCommand(const QString& fileName);
int ResaveCommand(const QString& in, const QString& out);
int RenderCommand(const QString& in, const QString& out, double zoom);
