#pragma once

#include "journal/journalentry.h"

#include <QList>
#include <QObject>
#include <QString>
#include <memory>

class JournalStore;
class MessageBoxes;

// The practice journal as the program uses it: the file is opened at the first finished run
// or the first look, never at start. A run that cannot be written waits in memory and is
// tried again with the next one; each kind of trouble is told once per execution.
class Journal : public QObject {
    Q_OBJECT
public:
    Journal(const QString& path, MessageBoxes& messages);
    ~Journal() override;

    // $XDG_DATA_HOME/dovanel/journal.sqlite, ~/.local/share/dovanel/ by default.
    static QString defaultPath();
    QString path() const { return path_; }

    void record(const JournalEntry& entry);
    // Runs still waiting to be written.
    int pending() const { return int(pending_.size()); }

    // The open store, or null when the file cannot be used.
    JournalStore* store();

signals:
    void recorded();

private:
    bool ensureOpen();
    // Sets a damaged file aside and opens a new one in its place.
    bool startAfresh();
    void writePending();
    void tellUnwritable();
    void tellDamaged();

    QString path_;
    MessageBoxes& messages_;
    std::unique_ptr<JournalStore> store_;
    QList<JournalEntry> pending_;
    bool toldUnwritable_ = false;
    bool toldDamaged_ = false;
};
