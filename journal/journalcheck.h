#pragma once

#include <QObject>
#include <QString>
#include <atomic>
#include <memory>

class QThread;
class QTimer;

// The whole journal file read through away from the windows, on a connection and thread of
// its own; when it passes, the day's backup is made from it.
class JournalCheck : public QObject {
    Q_OBJECT
public:
    explicit JournalCheck(const QString& path);
    ~JournalCheck() override; // waits for a check under way

    // Checks the file a moment from now, once the window that opened it is up, unless a
    // check is under way.
    void start();
    // Starts a check that is waiting for its moment at once.
    void hurry();
    // Returns once no check is under way or waiting; the finding of one is dropped, since the
    // caller is about to act on the file itself.
    void wait();
    // A check started whose finding is not yet out.
    bool busy() const { return busy_; }

    // "journal-backup.sqlite" beside the journal: replaced at most once a day by a copy of a
    // file that passed its check.
    static QString backupPath(const QString& journalPath);
    static constexpr qint64 backupAgeSeconds = 24 * 3600;
    static constexpr int delayMs = 1000;

signals:
    // From the window's thread, once a check is over.
    void finished(bool damaged);

private:
    void run();

    QString path_;
    QTimer* delay_;
    std::unique_ptr<QThread> thread_;
    std::atomic<bool> damaged_{false};
    int run_ = 0; // a finding counts only for the latest check not dropped
    bool busy_ = false;
};
