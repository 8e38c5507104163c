#pragma once

#include <QMainWindow>
#include <string>

class QTextBrowser;

namespace hoplot {

// The built-in help: the HTML pages in the data directory's help/ folder, with back, forward
// and home (the contents).
class help_window : public QMainWindow {
    Q_OBJECT

  public:
    // Shows the one help window at the contents of the data directory's help, opening it or
    // raising it.
    static void show_contents(QWidget* parent, const std::string& db_path);

    // The contents page, help/index.html below the data directory.
    static QUrl contents_url(const std::string& db_path);

    QTextBrowser* browser() const { return browser_; }

  private:
    explicit help_window(QWidget* parent);

    QTextBrowser* browser_;
};

} // namespace hoplot
