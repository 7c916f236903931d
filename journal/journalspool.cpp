#include "journal/journalspool.h"

#include "journal/journaldb.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

namespace journalspool {

namespace {

const QString pattern = QStringLiteral("journal-waiting-*.json");
const QString name = QStringLiteral("journal-waiting-%1-%2.json"); // time, process

const QString keysName = QStringLiteral("keys");

// The figures under the names of the journal's columns.
QJsonObject toJson(const JournalEntry& e)
{
    QJsonObject object;
    const QVariantList values = journaldb::runValues(e.run);
    for (int c = 0; c < values.size(); ++c)
        object.insert(QLatin1String(journaldb::runColumnNames[c].name),
                      QJsonValue::fromVariant(values[c]));
    QJsonArray tallies;
    for (const CharTally& t : e.tallies)
        tallies.append(QJsonArray{QString(t.character), t.due, t.wrong, t.timeMs, t.timed});
    object.insert(keysName, tallies);
    return object;
}

JournalEntry fromJson(const QJsonObject& object)
{
    JournalEntry e;
    e.run = journaldb::runFrom([&](int column) {
        return object.value(QLatin1String(journaldb::runColumnNames[column].name)).toVariant();
    });
    for (const QJsonValue& t : object.value(keysName).toArray()) {
        const QJsonArray tally = t.toArray();
        const QString character = tally[0].toString();
        // Files of an earlier version hold no times: they read as none.
        if (character.size() == 1)
            e.tallies.append({character.at(0), tally[1].toInt(), tally[2].toInt(),
                              tally[3].toInteger(), tally[4].toInt()});
    }
    return e;
}

} // namespace

bool keep(const QString& folder, const QList<JournalEntry>& entries)
{
    QJsonArray list;
    for (const JournalEntry& e : entries)
        list.append(toJson(e));
    const QByteArray bytes = QJsonDocument(list).toJson(QJsonDocument::Compact);
    QSaveFile file(QDir(folder).filePath(
        name.arg(QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmsszzz")))
            .arg(QCoreApplication::applicationPid())));
    return QDir().mkpath(folder) && file.open(QIODevice::WriteOnly) &&
           file.write(bytes) == bytes.size() && file.commit();
}

Waiting waiting(const QString& folder)
{
    Waiting found;
    const QDir dir(folder);
    for (const QString& fileName : dir.entryList({pattern}, QDir::Files, QDir::Name)) {
        QFile file(dir.filePath(fileName));
        if (!file.open(QIODevice::ReadOnly)) continue;
        const QJsonDocument document = QJsonDocument::fromJson(file.readAll());
        if (!document.isArray()) continue;
        found.files << file.fileName();
        for (const QJsonValue& entry : document.array())
            found.entries.append(fromJson(entry.toObject()));
    }
    return found;
}

} // namespace journalspool
