#include "map/ui/rotation_dialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>

namespace hoplot {

rotation_dialog::rotation_dialog(QWidget* parent)
    : QDialog(parent), left_(new QRadioButton(tr("Left"), this)),
      right_(new QRadioButton(tr("Right"), this)) {
    setWindowTitle(tr("Automatic Rotation Direction"));
    left_->setChecked(true);
    auto* directions = new QVBoxLayout;
    directions->addWidget(left_);
    directions->addWidget(right_);
    auto* buttons =
        new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, Qt::Vertical, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(directions);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

rotation_direction rotation_dialog::direction() const {
    return right_->isChecked() ? rotation_direction::right : rotation_direction::left;
}

} // namespace hoplot
