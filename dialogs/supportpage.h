#pragma once

#include <QString>
#include <QUrl>

// The support page is the help page shipped with the program. Its address is decided here
// and nowhere else.
namespace supportpage {

// The first existing of: help/index.html under the working directory (the program runs in
// its data folder), the installed copy beside the program, the copy in the source tree next
// to a build folder. When none exists, the first of them.
QUrl address(const QString& workingDirectory, const QString& applicationDirectory);

// The same for this process.
QUrl address();

// The address as a user reads it: a plain path for a file.
QString caption(const QUrl& address);

} // namespace supportpage
