#include "map/ui/position_chooser.h"

#include <QButtonGroup>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointF>
#include <QRadioButton>
#include <QValidator>

#include "base/show_message.h"

namespace hoplot {
namespace {

// Refuses, with a beep, any keystroke that would leave a text the coordinate check rejects, so
// that the refused character never stands in the field.
class coordinate_validator : public QValidator {
  public:
    coordinate_validator(double limit, std::function<void()> beep, QObject* parent)
        : QValidator(parent), limit_(limit), beep_(std::move(beep)) {}

    State validate(QString& input, int&) const override {
        if (coordinate_text_acceptable(input.toStdString(), limit_)) return Acceptable;
        beep_();
        return Invalid;
    }

  private:
    double limit_;
    std::function<void()> beep_;
};

// City names are written with underscores for blanks; either may be typed in the filter.
QString comparable(QString name) {
    return name.replace('_', ' ');
}

} // namespace

position_chooser::position_chooser(const shown_position& shown,
                                   const std::vector<CityRecord>& cities,
                                   std::function<void()> beep, QWidget* parent)
    : QWidget(parent), beep_(std::move(beep)) {
    auto* coordinate_mode = new QRadioButton(QStringLiteral("Latitude and Longitude"), this);
    city_mode_ = new QRadioButton(QStringLiteral("City Location"), this);
    coordinate_mode->setChecked(true);
    // Toggled, not only clicked: assistive technology toggles a radio button without a click.
    // The two are exclusive, so one button's signal covers both.
    connect(city_mode_, &QRadioButton::toggled, this, &position_chooser::set_city_mode);
    // Choosing the mode already chosen counts as a change too.
    for (QRadioButton* mode : {coordinate_mode, city_mode_})
        connect(mode, &QRadioButton::clicked, this, [this] { modified_ = true; });

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("Determine Position by :"), this), 0, 0);
    grid->addWidget(coordinate_mode, 0, 1);
    grid->addWidget(city_mode_, 0, 2);
    grid->addWidget(coordinate_group(shown), 1, 0, 1, 2);
    grid->addWidget(city_group(cities), 1, 2);

    set_city_mode(false);
    modified_ = false; // as it opened: nothing changed yet
}

bool position_chooser::city_mode() const {
    return city_mode_->isChecked();
}

std::optional<given_position> position_chooser::chosen() const {
    if (!city_mode())
        return given_position{
            {latitude_->text().toStdString(), north_->isChecked() ? "North" : "South"},
            {longitude_->text().toStdString(), west_->isChecked() ? "West" : "East"}};
    const QList<QListWidgetItem*> picked = city_list_->selectedItems();
    if (picked.isEmpty()) return std::nullopt;
    const QPointF place = picked.front()->data(Qt::UserRole).toPointF();
    return given_position{city_coordinate(place.y(), "North", "South"),
                          city_coordinate(place.x(), "East", "West")};
}

position_chooser::taken position_chooser::take() const {
    if (!city_mode() && !modified()) return {true, std::nullopt};
    const auto given = chosen();
    if (!given) {
        ShowMessage("Please choose a city from the list.");
        return {};
    }
    // An empty field would give a position that never reads back: say what is missing.
    if (const auto missing = missing_in_position(*given)) {
        ShowMessage(*missing);
        return {};
    }
    return {false, given};
}

QGroupBox* position_chooser::coordinate_group(const shown_position& shown) {
    coordinates_ = new QGroupBox(QStringLiteral("Latitude and Longitude"), this);
    auto* grid = new QGridLayout(coordinates_);
    latitude_ = coordinate_edit(latitude_limit, shown.latitude, QStringLiteral("New Latitude"));
    longitude_ = coordinate_edit(longitude_limit, shown.longitude, QStringLiteral("New Longitude"));
    // The old values are heard as what they say, each captioned by its label.
    const std::pair<const char*, QWidget*> rows[] = {
        {"Old Latitude : ", new QLabel(QString::fromStdString(shown.old_latitude), coordinates_)},
        {"New Latitude : ", latitude_},
        {"Old Longitude : ", new QLabel(QString::fromStdString(shown.old_longitude), coordinates_)},
        {"New Longitude : ", longitude_}};
    for (int row = 0; row < 4; ++row) {
        auto* caption = new QLabel(QString::fromLatin1(rows[row].first), coordinates_);
        caption->setBuddy(rows[row].second);
        grid->addWidget(caption, row, 0);
        const bool value_only = row % 2 == 0;
        grid->addWidget(rows[row].second, row, 1, 1, value_only ? 3 : 1);
    }
    north_ = hemisphere_buttons("North", "South", shown.north, grid, 1).first;
    west_ = hemisphere_buttons("East", "West", shown.east, grid, 3).second;
    return coordinates_;
}

QLineEdit* position_chooser::coordinate_edit(double limit, const std::string& text,
                                             const QString& name) {
    auto* edit = new QLineEdit(QString::fromStdString(text), coordinates_);
    edit->setAccessibleName(name);
    edit->setMaxLength(9);
    edit->setValidator(new coordinate_validator(limit, beep_, edit));
    connect(edit, &QLineEdit::textEdited, this, [this] { modified_ = true; });
    return edit;
}

// The two buttons of one coordinate, side by side in one group.
std::pair<QRadioButton*, QRadioButton*>
position_chooser::hemisphere_buttons(const char* first, const char* second, bool first_checked,
                                     QGridLayout* grid, int row) {
    auto* group = new QButtonGroup(coordinates_);
    auto* one = new QRadioButton(QString::fromLatin1(first), coordinates_);
    auto* other = new QRadioButton(QString::fromLatin1(second), coordinates_);
    group->addButton(one);
    group->addButton(other);
    (first_checked ? one : other)->setChecked(true);
    // A click counts as a change even on the button already checked.
    connect(group, &QButtonGroup::buttonClicked, this, [this] { modified_ = true; });
    connect(group, &QButtonGroup::buttonToggled, this, [this] { modified_ = true; });
    grid->addWidget(one, row, 2);
    grid->addWidget(other, row, 3);
    return {one, other};
}

QGroupBox* position_chooser::city_group(const std::vector<CityRecord>& cities) {
    city_location_ = new QGroupBox(QStringLiteral("City Location"), this);
    city_filter_ = new QLineEdit(city_location_);
    city_filter_->setPlaceholderText(QStringLiteral("Filter"));
    city_filter_->setAccessibleName(QStringLiteral("City filter"));
    city_list_ = new QListWidget(city_location_);
    city_list_->setAccessibleName(QStringLiteral("Cities"));
    for (const CityRecord& city : cities) {
        auto* item = new QListWidgetItem(QString::fromStdString(city.name), city_list_);
        item->setData(Qt::UserRole, QPointF(city.longitude, city.latitude));
    }
    city_list_->sortItems();
    connect(city_filter_, &QLineEdit::textChanged, this, &position_chooser::filter_cities);
    city_filter_->installEventFilter(this);
    city_list_->installEventFilter(this);
    auto* column = new QVBoxLayout(city_location_);
    column->addWidget(city_filter_);
    column->addWidget(city_list_);
    return city_location_;
}

// Down in the filter goes on to the list, as Tab does. Entered from the keyboard with no shown
// city selected, the list selects its first shown one.
bool position_chooser::eventFilter(QObject* watched, QEvent* event) {
    if (watched == city_filter_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Down) {
        city_list_->setFocus(Qt::TabFocusReason);
        return true;
    }
    if (watched == city_list_ && event->type() == QEvent::FocusIn &&
        static_cast<QFocusEvent*>(event)->reason() != Qt::MouseFocusReason) {
        const QList<QListWidgetItem*> chosen = city_list_->selectedItems();
        if (chosen.isEmpty() || chosen.front()->isHidden()) select_first_shown_city();
    }
    return QWidget::eventFilter(watched, event);
}

void position_chooser::select_first_shown_city() {
    for (int i = 0; i < city_list_->count(); ++i) {
        if (city_list_->item(i)->isHidden()) continue;
        city_list_->setCurrentRow(i);
        return;
    }
}

void position_chooser::set_city_mode(bool city_mode) {
    city_mode_->setChecked(city_mode);
    coordinates_->setEnabled(!city_mode);
    city_location_->setEnabled(city_mode);
    modified_ = true;
}

void position_chooser::filter_cities(const QString& text) {
    const QString wanted = comparable(text);
    for (int i = 0; i < city_list_->count(); ++i) {
        QListWidgetItem* item = city_list_->item(i);
        const bool shown = comparable(item->text()).contains(wanted, Qt::CaseInsensitive);
        item->setHidden(!shown);
        if (!shown) item->setSelected(false);
    }
}

} // namespace hoplot
