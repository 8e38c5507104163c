#pragma once

#include <QMainWindow>

class QTextBrowser;

namespace hoplot {

// The built-in help: the HTML pages in the data directory's help/ folder, with back, forward
// and home (the contents).
class help_window : public QMainWindow {
    Q_OBJECT

  public:
    // Shows the one help window at its contents, opening it or raising it.
    static void show_contents(QWidget* parent);

    // The contents page, data/help/index.html.
    static QUrl contents_url();

    QTextBrowser* browser() const { return browser_; }

  private:
    explicit help_window(QWidget* parent);

    QTextBrowser* browser_;
};

} // namespace hoplot
