#include "app/ui/toolbar.h"

#include <QIcon>
#include <QToolButton>

namespace hoplot {
namespace {

constexpr int button_size = 36;

struct button_entry {
    const char* icon;
    const char* tip;
    std::optional<command_id> command; // none: Stop
};

const button_entry buttons[] = {
    {":/icons/globe.svg", "Globe Mode", command_id::globe},
    {":/icons/flat_map.svg", "Flat Map Mode", command_id::flat_map},
    {":/icons/undo.svg", "Undo", command_id::undo},
    {":/icons/start_trace.svg", "Start Trace", command_id::start_trace},
    {":/icons/stop.svg", "Stop", std::nullopt},
};

} // namespace

toolbar::toolbar(QWidget* parent) : QWidget(parent) {
    setAccessibleName(QStringLiteral("Toolbar"));
    int x = 0;
    for (const button_entry& entry : buttons) {
        auto* button = new QToolButton(this);
        button->setGeometry(x, 0, button_size, button_size);
        x += button_size;
        button->setIcon(QIcon(QString::fromLatin1(entry.icon)));
        button->setIconSize(QSize(32, 32));
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
