#pragma once

#include "journal/journalentry.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// Runs as a CSV file that spreadsheet programs on a Japanese desktop open as they are.
namespace journalcsv {

// Quoted, with its quotes doubled, when it holds a comma, a quote or a line break.
QString field(const QString& text);

// UTF-8 with a byte-order mark (without one, such programs read Shift-JIS), every record
// ended by CR LF.
QByteArray document(const QList<QStringList>& records);

// A caption line, then one record per run in the order given: the date and time as a
// spreadsheet reads them, the UTC offset apart, the level or text, the figures, the spaces, the
// kind.
QByteArray runs(const QList<RunFigures>& runs);

// A caption line, then one record per character: times typed right, misses, miss rate.
QByteArray tallies(const QList<CharTally>& tallies);

} // namespace journalcsv
