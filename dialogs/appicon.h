#pragma once

#include <QIcon>
#include <QPixmap>

// The program's icon: a key cap with "A" and "あ", for the About box and the main window.
QIcon dovanelIcon();
QPixmap dovanelIconPixmap(int size);
