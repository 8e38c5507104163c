#include "map/ui/missing_maps_dialog.h"

#include <QDesktopServices>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

#include "base/show_message.h"

namespace hoplot {
namespace {

// The maps are made from GSHHG (README, "Map data and cities"); its home has every level.
constexpr const char* download_location = "https://www.soest.hawaii.edu/pwessel/gshhg/";

} // namespace

missing_maps_dialog::missing_maps_dialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Hoplot"));
    setModal(true);
    auto* message = new QLabel(QStringLiteral("Missing maps containing required detail."), this);
    auto* hint = new QLabel(QStringLiteral("Visit the Varn website and download them."), this);
    for (QLabel* label : {message, hint})
        label->setAlignment(Qt::AlignCenter);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    auto* download = new QPushButton(QStringLiteral("Download Now"), this);
    download->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(download, &QPushButton::clicked, this, [this] {
        if (!QDesktopServices::openUrl(QUrl(QString::fromLatin1(download_location))))
            ShowMessage("No web browser to load help. See readme.txt");
        accept();
    });
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(download);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(message);
    layout->addWidget(hint);
    layout->addLayout(buttons);
}

} // namespace hoplot
