#pragma once

#include <QFont>
#include <string>

namespace hoplot {

// A font asked for by its character cell height in pixels, as the program's sizes are given;
// Qt sizes fonts by their em, so the em is scaled down until the cell fits.
QFont cell_height_font(int height, const std::string& face);

} // namespace hoplot
