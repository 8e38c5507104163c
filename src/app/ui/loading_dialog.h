#pragma once

#include <QDialog>

#include "base/loading_progress.h"

class QLabel;
class QProgressBar;

namespace hoplot {

// The frameless dialog shown while the maps, caches and cities load on the GUI thread. The
// loaders name each stage and move the bar themselves; the dialog paints at every stage, since
// no event loop runs during the loading.
class loading_dialog : public QDialog, public loading_progress {
    Q_OBJECT

  public:
    explicit loading_dialog(QWidget* parent = nullptr);

    void set_stage(const std::string& text) override;
    void set_range(int maximum) override;
    void advance() override;

  private:
    QLabel* stage_;
    QProgressBar* bar_;
};

} // namespace hoplot
