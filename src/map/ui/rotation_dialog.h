#pragma once

#include <QDialog>

#include "map/rotation.h"

class QRadioButton;

namespace hoplot {

// "Automatic Rotation Direction": Left (chosen on opening) or Right, OK or Cancel.
class rotation_dialog : public QDialog {
  public:
    explicit rotation_dialog(QWidget* parent = nullptr);

    rotation_direction direction() const;

  private:
    QRadioButton* left_;
    QRadioButton* right_;
};

} // namespace hoplot
