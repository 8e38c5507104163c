#pragma once

#include <QDialog>
#include <functional>
#include <string>
#include <vector>

#include "geolocation/cache_files.h"
#include "map/cities.h"
#include "trace/hop_rec.h"

namespace hoplot {

class position_chooser;

// What the dialog does outside itself; an empty member takes the program's own, but for write.
struct update_position_actions {
    std::function<bool(const position_fix&)> write;  // append_update to the data directory
    std::function<bool(const std::string&)> confirm; // Yes/No question box, "Hoplot"
    std::function<void()> beep;                      // QApplication::beep
    std::function<void()> show_selected;             // the caller places the route again
};

// "Update Latitude & Longitude Resolving": the user fixes one hop's position by coordinates
// or by a city of the second city list.
class update_position_dialog : public QDialog {
    Q_OBJECT

  public:
    update_position_dialog(const hop_rec& row, const std::vector<CityRecord>& cities,
                           update_position_actions actions, QWidget* parent = nullptr);

    bool modified() const;

  private:
    void apply();
    // Asks, and on Yes stores the fix, places the route again and closes.
    void confirm_and_store(const position_fix& fix);

    std::string name_;
    std::string address_;
    update_position_actions actions_;
    position_chooser* chooser_ = nullptr;
};

// Runs the dialog modally for the row; a status line opens nothing.
void run_update_position_dialog(const hop_rec& row, const std::vector<CityRecord>& cities,
                                update_position_actions actions, QWidget* parent);

} // namespace hoplot
