#include "journal/journalcsv.h"

#include "journal/runcolumns.h"

namespace journalcsv {

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
    records.append(QStringList(runcolumns::captions.begin(), runcolumns::captions.end()));
    for (const RunFigures& run : runs) {
        QStringList record;
        for (int c = 0; c < runcolumns::count; ++c)
            record << runcolumns::text(run, c);
        records.append(record);
    }
    return document(records);
}

} // namespace journalcsv
