#pragma once

#include <QImage>
#include <QString>

#include <map>
#include <vector>

namespace artgen {

// Pictures by file stem: "146", "up_arrow".
using ArtSet = std::map<QString, QImage>;

// All pictures enlarged ×3 on grey with their names, to look at the whole skin at once.
QImage contactSheet(const std::vector<std::pair<QString, QImage>>& pictures);

// The main window (before and after login) and the message popup composed from the slices the
// way the program lays them out, at 1× and ×2, on a desktop colour so the corners show.
QImage windowMock(const ArtSet& art);

}  // namespace artgen
