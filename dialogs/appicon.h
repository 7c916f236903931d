#pragma once

#include <QIcon>
#include <QPixmap>

// The program's icon, as the About box shows it: a key cap with "A" and "あ".
QIcon dovanelIcon();
QPixmap dovanelIconPixmap(int size);
