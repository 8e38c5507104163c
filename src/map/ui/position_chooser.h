#pragma once

#include <QWidget>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include "geolocation/position_fix_form.h"
#include "map/cities.h"

class QGridLayout;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QRadioButton;

namespace hoplot {

// The two ways the position dialogs offer to give a position: "Latitude and Longitude", typed
// with their hemispheres and checked keystroke by keystroke, or "City Location", a city picked
// from a list that typing above it narrows.
class position_chooser : public QWidget {
    Q_OBJECT

  public:
    // Opens in the coordinate mode, showing `shown`; beep refuses a keystroke.
    position_chooser(const shown_position& shown, const std::vector<CityRecord>& cities,
                     std::function<void()> beep, QWidget* parent = nullptr);

    // Anything changed since it opened: a coordinate, a hemisphere, the mode.
    bool modified() const { return modified_; }
    bool city_mode() const;
    // The coordinates as typed, or the chosen city's cut to hundredths; none in the city mode
    // without a chosen city.
    std::optional<given_position> chosen() const;

    // What OK takes: nothing when the coordinates were left as they were (a city is always a
    // change), else the position given, or none when something is missing, which it says.
    struct taken {
        bool unchanged = false;
        std::optional<given_position> given;
    };
    taken take() const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QGroupBox* coordinate_group(const shown_position& shown);
    QGroupBox* city_group(const std::vector<CityRecord>& cities);
    QLineEdit* coordinate_edit(double limit, const std::string& text, const QString& name);
    std::pair<QRadioButton*, QRadioButton*> hemisphere_buttons(const char* first,
                                                               const char* second,
                                                               bool first_checked,
                                                               QGridLayout* grid, int row);
    void set_city_mode(bool city_mode);
    void filter_cities(const QString& text);
    void select_first_shown_city();

    std::function<void()> beep_;
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

} // namespace hoplot
