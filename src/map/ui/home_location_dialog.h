#pragma once

#include <QDialog>
#include <functional>
#include <optional>
#include <vector>

#include "geolocation/location.h"
#include "map/cities.h"

namespace hoplot {

class position_chooser;

// "Set Home Location": where the user is, by latitude and longitude or by a city, for the check
// of the hops' positions against their round trips. Clear removes the home.
class home_location_dialog : public QDialog {
    Q_OBJECT

  public:
    // beep refuses a keystroke; empty: QApplication::beep.
    home_location_dialog(const std::optional<coordinates>& home,
                         const std::vector<CityRecord>& cities, std::function<void()> beep = {},
                         QWidget* parent = nullptr);

    // Once accepted: the home to keep, none when cleared.
    const std::optional<coordinates>& home() const { return home_; }

  private:
    void set();

    std::optional<coordinates> home_;
    position_chooser* chooser_ = nullptr;
};

// Runs the dialog modally: the home to keep (none: cleared), or nothing when it was cancelled or
// nothing was changed.
std::optional<std::optional<coordinates>> ask_home_location(const std::optional<coordinates>& home,
                                                            const std::vector<CityRecord>& cities,
                                                            QWidget* parent);

} // namespace hoplot
