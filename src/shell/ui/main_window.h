#pragma once

#include <QMainWindow>

namespace hoplot {

class main_window : public QMainWindow {
    Q_OBJECT

  public:
    explicit main_window(QWidget* parent = nullptr);

  protected:
    void resizeEvent(QResizeEvent* event) override;
};

} // namespace hoplot
