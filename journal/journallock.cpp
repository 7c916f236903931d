#include "journal/journallock.h"

#include "journal/journaldb.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>
#include <fcntl.h>
#include <unistd.h>

namespace {
constexpr int retryMs = 10;
}

QString JournalLock::users(const QString& journalPath)
{
    return journalPath + QStringLiteral(".users");
}

QString JournalLock::turn(const QString& journalPath)
{
    return journalPath + QStringLiteral(".lock");
}

JournalLock::JournalLock(const QString& path) : path_(path) {}

JournalLock::~JournalLock()
{
    release();
}

bool JournalLock::take(Kind kind)
{
    if (fd_ < 0 && QDir().mkpath(QFileInfo(path_).absolutePath()))
        fd_ = ::open(QFile::encodeName(path_).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd_ < 0) return false;
    struct flock whole {}; // start 0, length 0: the whole file
    whole.l_type = kind == Shared ? F_RDLCK : F_WRLCK;
    whole.l_whence = SEEK_SET;
    return ::fcntl(fd_, F_OFD_SETLK, &whole) == 0;
}

bool JournalLock::wait(Kind kind)
{
    for (int waited = 0; !take(kind); waited += retryMs) {
        if (fd_ < 0 || waited >= journaldb::busyTimeout) return false;
        QThread::msleep(retryMs);
    }
    return true;
}

void JournalLock::release()
{
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}
