#pragma once

#include <QString>

// A lock on a small file beside the journal, as an open file description lock: it ends with
// the copy of the program that holds it, however that ends, takes no disk sync, and two held
// in one process count as two. Two of them order the copies sharing one journal:
// - "<journal>.users": every copy with the file open shares it; setting the file aside needs
//   it alone, so no copy ever goes on writing into a file renamed under it;
// - "<journal>.lock": one copy at a time opens and checks the file or sets it aside.
class JournalLock {
public:
    enum Kind { Shared, Alone };
    static QString users(const QString& journalPath);
    static QString turn(const QString& journalPath);

    explicit JournalLock(const QString& path);
    ~JournalLock();
    JournalLock(const JournalLock&) = delete;
    JournalLock& operator=(const JournalLock&) = delete;

    // At once, or false: the file cannot be made, or another holds the lock against it.
    bool take(Kind kind);
    // Waits as long as a busy database would.
    bool wait(Kind kind);
    void release();

private:
    QString path_;
    int fd_ = -1;
};
