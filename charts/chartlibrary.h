#pragma once

#include <QString>

class QLabel;
class QWidget;

// The charts (Qt Charts, with OpenGL behind it) live in a library of their own beside the
// program, opened a second after start or by the first window that shows a chart, so none of
// it is loaded before the first screen.
namespace chartlibrary {

// The library's entry point of that name: found among what is already loaded (the tests
// link the charts in), else in dovanel-chart.so, opened once and kept. Null when missing.
void* entry(const char* name);

// What a window shows where its chart would stand when the library is missing.
inline const QString unavailableText = QStringLiteral("グラフを表示できません");
QLabel* unavailableNotice(QWidget* parent);

} // namespace chartlibrary
