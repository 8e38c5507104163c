#include "shell/ui/message_box.h"

#include <QApplication>
#include <QMessageBox>

#include "shell/show_message.h"

namespace hoplot {

void install_message_box() {
    set_message_handler([](const std::string& text) {
        QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Hoplot"), QString::fromStdString(text),
                        QMessageBox::Ok, QApplication::activeWindow());
        box.exec();
    });
}

} // namespace hoplot
