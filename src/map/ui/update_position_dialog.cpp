#include "map/ui/update_position_dialog.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>

#include "base/show_message.h"
#include "geolocation/position_fix_form.h"
#include "map/ui/position_chooser.h"

namespace hoplot {
namespace {

bool ask_yes_no(QWidget* owner, const std::string& question) {
    return QMessageBox::question(owner, QStringLiteral("Hoplot"), QString::fromStdString(question),
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
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
    chooser_ = new position_chooser(position_shown(row.location), cities, actions_.beep, this);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &update_position_dialog::apply);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* grid = new QGridLayout(this);
    auto* host_label = new QLabel(QStringLiteral("IP name :"), this);
    host_label->setBuddy(host);
    grid->addWidget(host_label, 0, 0);
    grid->addWidget(host, 0, 1);
    grid->addWidget(chooser_, 1, 0, 1, 2);
    grid->addWidget(buttons, 2, 0, 1, 2);
}

bool update_position_dialog::modified() const {
    return chooser_->modified();
}

void update_position_dialog::apply() {
    const position_chooser::taken taken = chooser_->take();
    if (taken.unchanged) {
        accept();
        return;
    }
    if (!taken.given) return;
    const given_position& given = *taken.given;
    confirm_and_store({name_, address_, given.latitude.text, given.latitude.word,
                       given.longitude.text, given.longitude.word});
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
