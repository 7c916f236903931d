#pragma once

#include <QStringList>
#include <QVariant>

// A table row's name followed by its figures, as one line: comparing the line got with the
// line expected names the row that failed, and the rows after it still run.
template <typename... Figures> QString namedRow(const QString& name, const Figures&... figures)
{
    QStringList texts{name + u':'};
    (texts.append(QVariant::fromValue(figures).toString()), ...);
    return texts.join(u' ');
}
