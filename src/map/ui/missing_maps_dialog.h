#pragma once

#include <QDialog>

namespace hoplot {

// Told when the user zooms past the most detailed map level that could be loaded: says that
// maps are missing and offers their download location.
class missing_maps_dialog : public QDialog {
    Q_OBJECT

  public:
    explicit missing_maps_dialog(QWidget* parent = nullptr);
};

} // namespace hoplot
