// The program's pictures, drawn in code: menu icons, the program icon and the background picture.
#pragma once

#include <QIcon>
#include <QImage>
#include <QPixmap>

namespace velkor::app {

// The menu image list: 0 open, 1 save, 3 about, 5 exit, 6 search (other indexes are unused).
QIcon MenuIcon(int index);
QIcon ProgramIcon();
// The program icon drawn at `size` pixels square; also what the desktop's icon theme gets.
QImage ProgramIconImage(int size);
// The sizes the icon is drawn at, for the window and for the icon theme.
inline constexpr int kProgramIconSizes[] = {16, 24, 32, 48, 64, 128, 256};
// A road alignment with its stations, on a transparent background.
QPixmap BackgroundPicture();

}  // namespace velkor::app
