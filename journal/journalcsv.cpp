#include "journal/journalcsv.h"

#include "journal/runcolumns.h"
#include "journal/weakkeys.h"

namespace journalcsv {

namespace {
namespace caption {
const QString date = QStringLiteral("日時");
const QString offset = QStringLiteral("UTCとの差");
const QString level = QStringLiteral("レベル");
const QString spaces = QStringLiteral("スペース自動入力");
const QString yes = QStringLiteral("あり");
const QString no = QStringLiteral("なし");
const QStringList tallies{QStringLiteral("文字"), QStringLiteral("正しく打った回数"),
                          QStringLiteral("ミス数"), QStringLiteral("ミス率(％)")};
} // namespace caption
} // namespace

QString field(const QString& text)
{
    const bool quote =
        text.contains(u',') || text.contains(u'"') || text.contains(u'\n') || text.contains(u'\r');
    if (!quote) return text;
    QString quoted = text;
    quoted.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

QByteArray document(const QList<QStringList>& records)
{
    QString text;
    for (const QStringList& record : records) {
        QStringList fields;
        for (const QString& f : record)
            fields << field(f);
        text += fields.join(u',') + QStringLiteral("\r\n");
    }
    return QByteArrayLiteral("\xEF\xBB\xBF") + text.toUtf8();
}

QByteArray runs(const QList<RunFigures>& runs)
{
    QList<QStringList> records;
    records.reserve(runs.size() + 1);
    // The kind last, after the columns of files written before it was kept.
    QStringList header{caption::date, caption::offset, caption::level};
    for (int c = runcolumns::Finished + 1; c < runcolumns::Kind; ++c)
        header << runcolumns::captions[c];
    records.append(header << caption::spaces << runcolumns::captions[runcolumns::Kind]);
    for (const RunFigures& run : runs) {
        // "yyyy-MM-ddTHH:mm:ss+hh:mm": the date and time apart from the offset.
        QStringList record{run.finished.left(19).replace(u'T', u' '), run.finished.mid(19),
                           runcolumns::sourceName(run)};
        for (int c = runcolumns::Finished + 1; c < runcolumns::Kind; ++c)
            record << runcolumns::text(run, c);
        record << (run.spacesSkipped ? (*run.spacesSkipped ? caption::yes : caption::no)
                                     : QString())
               << runcolumns::text(run, runcolumns::Kind);
        records.append(record);
    }
    return document(records);
}

QByteArray tallies(const QList<CharTally>& tallies)
{
    QList<QStringList> records{caption::tallies};
    for (const CharTally& t : tallies)
        records.append({weakkeys::characterName(t.character), QString::number(t.due),
                        QString::number(t.wrong),
                        QString::number(weakkeys::missRate(t.due, t.wrong) * 100.0, 'f', 1)});
    return document(records);
}

} // namespace journalcsv
