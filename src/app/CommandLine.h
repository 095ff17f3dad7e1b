#pragma once

#include <QString>
#include <QStringList>

// The design file named on the command line (what a file manager passes), as an absolute
// path; empty when there is none. The first argument that is not an option counts; a
// file:// address is taken as its local file.
QString DesignFileFromArguments(const QStringList& arguments, const QString& workingFolder);

// What --version or --help asks the program to print, so that it answers without opening a
// window (and without a display); empty when neither comes before a "--".
QString InformationRequested(const QStringList& arguments);
