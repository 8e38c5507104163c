#pragma once

#include <QDialog>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "geolocation/cache_files.h"
#include "map/cities.h"
#include "trace/hop_rec.h"

class QGridLayout;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QRadioButton;

namespace hoplot {

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

    bool modified() const { return modified_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QGroupBox* coordinate_group(const hop_rec& row);
    QGroupBox* city_group(const std::vector<CityRecord>& cities);
    QLineEdit* coordinate_edit(double limit, const std::string& text, const QString& name);
    std::pair<QRadioButton*, QRadioButton*> hemisphere_buttons(const char* first,
                                                               const char* second,
                                                               bool first_checked,
                                                               QGridLayout* grid, int row);
    void set_city_mode(bool city_mode);
    void filter_cities(const QString& text);
    void select_first_shown_city();
    void apply();
    void apply_coordinates();
    void apply_city();
    // Asks, and on Yes stores the fix, places the route again and closes.
    void confirm_and_store(const position_fix& fix);

    std::string name_;
    std::string address_;
    update_position_actions actions_;
    bool modified_ = false;
    QLineEdit* latitude_ = nullptr;
    QLineEdit* longitude_ = nullptr;
    QRadioButton* north_ = nullptr;
    QRadioButton* west_ = nullptr;
    QRadioButton* city_mode_ = nullptr;
    QGroupBox* coordinates_ = nullptr;
    QGroupBox* city_location_ = nullptr;
    QLineEdit* city_filter_ = nullptr;
    QListWidget* city_list_ = nullptr;
};

// Runs the dialog modally for the row; a status line opens nothing.
void run_update_position_dialog(const hop_rec& row, const std::vector<CityRecord>& cities,
                                update_position_actions actions, QWidget* parent);

} // namespace hoplot
