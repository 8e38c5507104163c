#include "map/ui/home_location_dialog.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>

#include "geolocation/position_fix_form.h"
#include "map/ui/position_chooser.h"

namespace hoplot {
namespace {

// The home as the chooser shows an old position: the halves of its location text.
shown_position shown_home(const std::optional<coordinates>& home) {
    if (!home) {
        shown_position unset;
        unset.old_latitude = unset.old_longitude = "Not set";
        return unset;
    }
    entry_t entry;
    entry.latitude = std::abs(home->latitude);
    entry.latitude_word = home->latitude < 0 ? "South" : "North";
    entry.longitude = std::abs(home->longitude);
    entry.longitude_word = home->longitude < 0 ? "West" : "East";
    return position_shown(location_text(entry));
}

} // namespace

home_location_dialog::home_location_dialog(const std::optional<coordinates>& home,
                                           const std::vector<CityRecord>& cities,
                                           std::function<void()> beep, QWidget* parent)
    : QDialog(parent), home_(home) {
    setWindowTitle(QStringLiteral("Set Home Location"));
    chooser_ = new position_chooser(shown_home(home), cities,
                                    beep ? std::move(beep) : QApplication::beep, this);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    QPushButton* clear = buttons->addButton(QStringLiteral("C&lear"), QDialogButtonBox::ResetRole);
    clear->setAccessibleDescription(QStringLiteral("No home: hops are checked against each other"));
    clear->setEnabled(home.has_value());
    connect(clear, &QPushButton::clicked, this, [this] {
        home_.reset();
        accept();
    });
    connect(buttons, &QDialogButtonBox::accepted, this, &home_location_dialog::set);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* column = new QVBoxLayout(this);
    column->addWidget(chooser_);
    column->addWidget(buttons);
}

// Coordinates left as they were keep the home as it is.
void home_location_dialog::set() {
    const position_chooser::taken taken = chooser_->take();
    if (taken.unchanged) {
        reject();
        return;
    }
    if (!taken.given) return;
    home_ = given_coordinates(*taken.given);
    accept();
}

std::optional<std::optional<coordinates>> ask_home_location(const std::optional<coordinates>& home,
                                                            const std::vector<CityRecord>& cities,
                                                            QWidget* parent) {
    home_location_dialog dialog(home, cities, {}, parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.home();
}

} // namespace hoplot
