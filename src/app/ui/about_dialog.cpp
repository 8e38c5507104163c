#include "app/ui/about_dialog.h"

#include <QDesktopServices>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

#include "app/ui/help_window.h"
#include "base/show_message.h"
#include "base/ui/resources.h"
#include "base/version.h"

namespace hoplot {
namespace {

const char* const support_address = "support@example.org";

const char* const attributions =
    "Coastlines, rivers and borders: GSHHG by Paul Wessel and Walter H. F. Smith, "
    "\u00a9 The GMT Team, under the GNU Lesser General Public License version 3 or later.<br>"
    "Cities: GeoNames (geonames.org), under the Creative Commons Attribution 4.0 licence.<br>"
    "IP Geolocation by DB-IP (db-ip.com), under the Creative Commons Attribution 4.0 licence.<br>"
    "Networks: RouteViews (routeviews.org), NRO (nro.net) and DB-IP (db-ip.com), under the "
    "Creative Commons Attribution 4.0 licence.";

QLabel* text_label(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    return label;
}

} // namespace

about_dialog::about_dialog(std::string db_path, QWidget* parent, url_opener open_url)
    : QDialog(parent), db_path_(std::move(db_path)),
      open_url_(open_url ? std::move(open_url) : QDesktopServices::openUrl) {
    setWindowTitle(QStringLiteral("About Hoplot"));

    auto* version = text_label(QStringLiteral("Version %1").arg(program_version().c_str()), this);
    version->setObjectName(QStringLiteral("version"));
    // The labels are heard as what they show; what they are is their description.
    auto* address = text_label(QString::fromLatin1(support_address), this);
    address->setObjectName(QStringLiteral("support_address"));
    address->setAccessibleDescription(QStringLiteral("Support address"));
    auto* credits = text_label(QString::fromUtf8(attributions), this);
    credits->setObjectName(QStringLiteral("attributions"));
    credits->setTextFormat(Qt::RichText);
    credits->setWordWrap(true);
    credits->setAccessibleDescription(QStringLiteral("Data sources and licences"));

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* visit = new QPushButton(QStringLiteral("Visit Varn"), this);
    visit->setObjectName(QStringLiteral("visit"));
    connect(visit, &QPushButton::clicked, this, &about_dialog::visit_home_page);

    auto* grid = new QGridLayout(this);
    grid->addWidget(address, 0, 0, Qt::AlignBottom);
    grid->addWidget(picture_label(QStringLiteral(":/pictures/logo.svg"), QSize(240, 64),
                                  QStringLiteral("Hoplot"), this),
                    0, 1, Qt::AlignRight);
    grid->addWidget(version, 1, 1, Qt::AlignRight);
    grid->addWidget(credits, 2, 0, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(visit);
    buttons->addStretch();
    grid->addLayout(buttons, 3, 0, Qt::AlignBottom);
    grid->addWidget(picture_label(QStringLiteral(":/pictures/about_picture.svg"), QSize(264, 60),
                                  QStringLiteral("A route across the map"), this),
                    3, 1, Qt::AlignRight);
    setFixedWidth(560);
}

void about_dialog::visit_home_page() {
    if (!open_url_(help_window::contents_url(db_path_)))
        ShowMessage("No web browser to load help. See readme.txt");
    accept();
}

void show_about_dialog(QWidget* parent, const std::string& db_path) {
    about_dialog dialog(db_path, parent);
    dialog.exec();
}

} // namespace hoplot
