#include "app/ui/toolbar.h"

#include <QIcon>
#include <QToolButton>

namespace hoplot {
namespace {

constexpr int button_size = 36;
// The size the build draws the icons at (src/CMakeLists.txt).
constexpr int icon_size = HOPLOT_TOOLBAR_ICON_SIZE;

struct button_entry {
    const char* icon;
    const char* tip;
    std::optional<command_id> command; // none: Stop
};

const button_entry buttons[] = {
    {"globe", "Globe Mode", command_id::globe},
    {"flat_map", "Flat Map Mode", command_id::flat_map},
    {"undo", "Undo", command_id::undo},
    {"start_trace", "Start Trace", command_id::start_trace},
    {"stop", "Stop", std::nullopt},
};

// Drawn from the SVG at build time at the buttons' icon size and twice it; the icon picks the
// one that fits the screen.
QIcon button_icon(const char* name) {
    QIcon icon;
    const QString path = QStringLiteral(":/toolbar/%1").arg(QString::fromLatin1(name));
    icon.addFile(path + QStringLiteral(".png"));
    icon.addFile(path + QStringLiteral("@2x.png"));
    return icon;
}

} // namespace

toolbar::toolbar(QWidget* parent) : QWidget(parent) {
    setAccessibleName(QStringLiteral("Toolbar"));
    int x = 0;
    for (const button_entry& entry : buttons) {
        auto* button = new QToolButton(this);
        button->setGeometry(x, 0, button_size, button_size);
        x += button_size;
        button->setIcon(button_icon(entry.icon));
        button->setIconSize(QSize(icon_size, icon_size));
        button->setToolTip(QString::fromLatin1(entry.tip));
        button->setAccessibleName(QString::fromLatin1(entry.tip));
        button->setFocusPolicy(Qt::StrongFocus);
        const auto command = entry.command;
        connect(button, &QToolButton::clicked, this, [this, command] {
            if (command)
                emit command_requested(*command);
            else
                emit stop_requested();
        });
    }
}

} // namespace hoplot
