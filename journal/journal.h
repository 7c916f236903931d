#pragma once

#include "journal/journaldb.h"
#include "journal/journalentry.h"
#include "journal/runset.h"

#include <QDateTime>
#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>
#include <memory>
#include <vector>

class JournalCheck;
class JournalStore;
class MessageBoxes;

// Where the journal lives, and where runs that could not be written wait between executions.
struct JournalPlaces {
    QString file;    // $XDG_DATA_HOME/dovanel/journal.sqlite
    QString waiting; // $XDG_CONFIG_HOME/dovanel, beside the settings

    static JournalPlaces standard();
};

// The practice journal as the program uses it: the file is opened at the first finished run
// or the first look, never at start, and read through in the background once it is open. A
// run that cannot be written waits in memory and is tried again with the next one, and is
// kept beside the settings at the end. A file found damaged is set aside with whatever can
// still be read of it taken into a new one. Each kind of trouble is told once per execution.
class Journal : public QObject {
    Q_OBJECT
    using Status = journaldb::Status;

public:
    Journal(const JournalPlaces& places, MessageBoxes& messages);
    ~Journal() override;

    QString path() const { return places_.file; }

    // Keeps the run: written at the next turn of the event loop, or by flush.
    void record(const JournalEntry& entry);
    // Writes the runs recorded but not yet written, now.
    void flush();
    // Runs still waiting to be written.
    int pending() const { return int(pending_.size()); }

    // What the window reads (see JournalStore): empty when the file cannot be used.
    QList<RunFigures> runs(const RunSet& set, int last = -1);
    QList<RunPoint> points(const RunSet& set);
    std::vector<double> column(const RunSet& set, const QString& name);
    QList<JournalEntry> byId(const QList<qint64>& ids);
    QList<int> levels();
    QStringList texts();
    QList<CharTally> tallies(const RunSet& set, int lastRuns = -1, int skipRuns = 0);

    // The tallies of the learner's recent runs of every kind (see weakness::recentRuns), and
    // how many runs they come from.
    struct Recent {
        int runs = 0;
        QList<CharTally> tallies;
    };
    Recent recent(const QDateTime& now);

    // Returns once the runs recorded are written, if they can be, and the background check of
    // the file, if any, is over and acted on.
    void settle();

signals:
    // Runs just written, with their ids, in the order they were recorded.
    void recorded(const QList<JournalEntry>& entries);
    // Another file took the place of the one read before: read everything again.
    void replaced();
    // The background check is over and acted on.
    void checked();

private:
    bool ensureOpen();
    // Sets a damaged file aside and takes what can be read of it into a new one in its place.
    bool repair();
    template <typename Read> bool read(Read read);
    template <typename List, typename Call> List readList(Call call);
    // Tells the entries just written, with the ids they were kept under.
    void tellWritten(QList<JournalEntry> written, const QList<qint64>& ids);
    void writeWaiting();
    void writePending();
    void onChecked(bool damaged);
    QString name() const; // the file's, as messages give it
    void tellUnwritable();
    void tell(bool& told, const QString& text);

    JournalPlaces places_;
    MessageBoxes& messages_;
    std::unique_ptr<JournalStore> store_;
    std::unique_ptr<JournalCheck> check_;
    QList<JournalEntry> pending_;
    QTimer flushTimer_;
    bool toldUnwritable_ = false;
    bool toldDamagedInUse_ = false;
    bool toldNewer_ = false;
};
