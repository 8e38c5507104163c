#include "map/ui/update_position_dialog.h"

#include <QApplication>
#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPointF>
#include <QRadioButton>
#include <QVBoxLayout>
#include <QValidator>

#include "base/show_message.h"
#include "geolocation/position_fix_form.h"

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

bool ask_yes_no(QWidget* owner, const std::string& question) {
    return QMessageBox::question(owner, QStringLiteral("Hoplot"), QString::fromStdString(question),
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

// City names are written with underscores for blanks; either may be typed in the filter.
QString comparable(QString name) {
    return name.replace('_', ' ');
}

} // namespace

update_position_dialog::update_position_dialog(const hop_rec& row,
                                               const std::vector<CityRecord>& cities,
                                               update_position_actions actions, QWidget* parent)
    : QDialog(parent), name_(row.name), address_(row.address), actions_(std::move(actions)) {
    if (!actions_.confirm)
        actions_.confirm = [this](const std::string& question) {
            return ask_yes_no(this, question);
        };
    if (!actions_.beep) actions_.beep = QApplication::beep;
    setWindowTitle(QStringLiteral("Update Latitude & Longitude Resolving"));

    auto* host = new QLineEdit(QString::fromStdString(name_), this);
    host->setReadOnly(true);
    host->setAccessibleName(QStringLiteral("IP name"));
    auto* coordinate_mode = new QRadioButton(QStringLiteral("Latitude and Longitude"), this);
    city_mode_ = new QRadioButton(QStringLiteral("City Location"), this);
    coordinate_mode->setChecked(true);
    // Toggled, not only clicked: assistive technology toggles a radio button without a click.
    // The two are exclusive, so one button's signal covers both.
    connect(city_mode_, &QRadioButton::toggled, this, &update_position_dialog::set_city_mode);
    // Choosing the mode already chosen counts as a change too.
    for (QRadioButton* mode : {coordinate_mode, city_mode_})
        connect(mode, &QRadioButton::clicked, this, [this] { modified_ = true; });

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &update_position_dialog::apply);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* grid = new QGridLayout(this);
    auto* host_label = new QLabel(QStringLiteral("IP name :"), this);
    host_label->setBuddy(host);
    grid->addWidget(host_label, 0, 0);
    grid->addWidget(host, 0, 1, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Determine Position by :"), this), 1, 0);
    grid->addWidget(coordinate_mode, 1, 1);
    grid->addWidget(city_mode_, 1, 2);
    grid->addWidget(coordinate_group(row), 2, 0, 1, 2);
    grid->addWidget(city_group(cities), 2, 2);
    grid->addWidget(buttons, 3, 0, 1, 3);

    set_city_mode(false);
    modified_ = false; // filled from the row: nothing changed yet
}

QGroupBox* update_position_dialog::coordinate_group(const hop_rec& row) {
    const shown_position shown = position_shown(row.location);
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

QLineEdit* update_position_dialog::coordinate_edit(double limit, const std::string& text,
                                                   const QString& name) {
    auto* edit = new QLineEdit(QString::fromStdString(text), coordinates_);
    edit->setAccessibleName(name);
    edit->setMaxLength(9);
    edit->setValidator(new coordinate_validator(limit, actions_.beep, edit));
    connect(edit, &QLineEdit::textEdited, this, [this] { modified_ = true; });
    return edit;
}

// The two buttons of one coordinate, side by side in one group.
std::pair<QRadioButton*, QRadioButton*>
update_position_dialog::hemisphere_buttons(const char* first, const char* second,
                                           bool first_checked, QGridLayout* grid, int row) {
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

QGroupBox* update_position_dialog::city_group(const std::vector<CityRecord>& cities) {
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
    connect(city_filter_, &QLineEdit::textChanged, this, &update_position_dialog::filter_cities);
    city_filter_->installEventFilter(this);
    city_list_->installEventFilter(this);
    auto* column = new QVBoxLayout(city_location_);
    column->addWidget(city_filter_);
    column->addWidget(city_list_);
    return city_location_;
}

// Down in the filter goes on to the list, as Tab does. Entered from the keyboard with no shown
// city selected, the list selects its first shown one.
bool update_position_dialog::eventFilter(QObject* watched, QEvent* event) {
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
    return QDialog::eventFilter(watched, event);
}

void update_position_dialog::select_first_shown_city() {
    for (int i = 0; i < city_list_->count(); ++i) {
        if (city_list_->item(i)->isHidden()) continue;
        city_list_->setCurrentRow(i);
        return;
    }
}

void update_position_dialog::set_city_mode(bool city_mode) {
    city_mode_->setChecked(city_mode);
    coordinates_->setEnabled(!city_mode);
    city_location_->setEnabled(city_mode);
    modified_ = true;
}

void update_position_dialog::filter_cities(const QString& text) {
    const QString wanted = comparable(text);
    for (int i = 0; i < city_list_->count(); ++i) {
        QListWidgetItem* item = city_list_->item(i);
        const bool shown = comparable(item->text()).contains(wanted, Qt::CaseInsensitive);
        item->setHidden(!shown);
        if (!shown) item->setSelected(false);
    }
}

void update_position_dialog::apply() {
    if (city_mode_->isChecked())
        apply_city();
    else
        apply_coordinates();
}

void update_position_dialog::apply_coordinates() {
    if (!modified_) {
        accept();
        return;
    }
    const position_fix fix{name_,
                           address_,
                           latitude_->text().toStdString(),
                           north_->isChecked() ? "North" : "South",
                           longitude_->text().toStdString(),
                           west_->isChecked() ? "West" : "East"};
    // An empty field would write a line that never reads back: say what is missing instead.
    if (const auto missing = missing_in_fix(fix)) {
        ShowMessage(*missing);
        return;
    }
    confirm_and_store(fix);
}

void update_position_dialog::apply_city() {
    const QList<QListWidgetItem*> chosen = city_list_->selectedItems();
    if (chosen.isEmpty()) {
        ShowMessage("Please choose a city from the list.");
        return;
    }
    const QPointF place = chosen.front()->data(Qt::UserRole).toPointF();
    const fix_coordinate latitude = city_coordinate(place.y(), "North", "South");
    const fix_coordinate longitude = city_coordinate(place.x(), "East", "West");
    confirm_and_store(
        {name_, address_, latitude.text, latitude.word, longitude.text, longitude.word});
}

void update_position_dialog::confirm_and_store(const position_fix& fix) {
    if (!actions_.confirm(fix_question(fix))) return;
    if (!actions_.write(fix)) {
        ShowMessage(format_message("Can't store a position for %s", name_));
        return;
    }
    if (actions_.show_selected) actions_.show_selected();
    accept();
}

void run_update_position_dialog(const hop_rec& row, const std::vector<CityRecord>& cities,
                                update_position_actions actions, QWidget* parent) {
    if (!can_fix_position(row.address)) return;
    update_position_dialog dialog(row, cities, std::move(actions), parent);
    dialog.exec();
}

} // namespace hoplot
