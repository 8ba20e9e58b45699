// The program's pictures, drawn in code: menu icons, the program icon and the background picture.
#pragma once

#include <QIcon>
#include <QPixmap>

namespace velkor::app {

// The menu image list: 0 open, 1 save, 3 about, 5 exit, 6 search (other indexes are unused).
QIcon MenuIcon(int index);
QIcon ProgramIcon();
// A road alignment with its stations, on a transparent background.
QPixmap BackgroundPicture();

}  // namespace velkor::app
