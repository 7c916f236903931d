#pragma once

#include <QByteArray>
#include <QString>

namespace cp932 {

// Shift-JIS as Windows writes it, through the C library's converter. What is no CP932
// character becomes one "?"; a lead byte cut off at the very end is dropped.
QString decode(const QByteArray& bytes);

} // namespace cp932
