#pragma once

#include <QDialog>
#include <chrono>
#include <memory>

#include "base/loading_progress.h"

class QLabel;
class QProgressBar;

namespace hoplot {

// The frameless dialog shown while what the first picture needs loads on the GUI thread. The
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

// The loading dialog for loading that is mostly over in a blink: it appears only once the
// loading has taken longer than `moment`, at the stage and bar reached, so a fast start shows
// none.
class late_loading_dialog final : public loading_progress {
  public:
    explicit late_loading_dialog(std::chrono::milliseconds moment = std::chrono::milliseconds(250));
    ~late_loading_dialog() override;

    void set_stage(const std::string& text) override;
    void set_range(int maximum) override;
    void advance() override;

    // The dialog once it shows, else null.
    loading_dialog* dialog() const { return dialog_.get(); }

  private:
    void show_when_due();

    std::chrono::steady_clock::time_point started_ = std::chrono::steady_clock::now();
    std::chrono::milliseconds moment_;
    std::string stage_;
    int maximum_ = 0;
    int steps_ = 0;
    std::unique_ptr<loading_dialog> dialog_;
};

} // namespace hoplot
