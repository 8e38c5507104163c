#pragma once

#include <QDialog>
#include <QUrl>
#include <functional>
#include <string>

namespace hoplot {

// Opens a URL in the user's browser; false when nothing could open it.
using url_opener = std::function<bool(const QUrl&)>;

// Logo, version, support address, data attributions and licences. "Visit Varn" opens the
// program's home page, which is the built-in help's contents, in the browser and closes the dialog,
// whether or not a browser could be started.
class about_dialog : public QDialog {
    Q_OBJECT

  public:
    // db_path: the data directory, whose help holds the home page.
    explicit about_dialog(std::string db_path, QWidget* parent = nullptr, url_opener open_url = {});

  private:
    void visit_home_page();

    std::string db_path_;
    url_opener open_url_;
};

// Runs the About dialog modally.
void show_about_dialog(QWidget* parent, const std::string& db_path);

} // namespace hoplot
