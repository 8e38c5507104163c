#include "base/ui/message_box.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QThread>
#include <memory>

#include "base/show_message.h"

namespace hoplot {

void message_box_host::exec_box(QWidget* owner, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Hoplot"), text, QMessageBox::Ok, owner);
    box.exec();
}

message_box_host::message_box_host(QWidget* owner, box_function show_box)
    : owner_(owner), show_box_(std::move(show_box)) {
    previous_ = set_message_handler([this](const std::string& text) { show(text); });
}

message_box_host::~message_box_host() {
    close();
    set_message_handler(previous_);
}

void message_box_host::close() {
    {
        std::lock_guard lock(mutex_);
        closed_ = true;
    }
    done_.notify_all();
}

void message_box_host::show(const std::string& text) {
    const QString message = QString::fromStdString(text);
    if (QThread::currentThread() == QCoreApplication::instance()->thread()) {
        if (!closed_) show_box_(owner_, message);
        return;
    }
    auto finished = std::make_shared<bool>(false);
    const bool posted = owner_ && QMetaObject::invokeMethod(
                                      owner_,
                                      [this, message, finished] {
                                          {
                                              std::lock_guard lock(mutex_);
                                              if (closed_) return;
                                          }
                                          show_box_(owner_, message);
                                          {
                                              std::lock_guard lock(mutex_);
                                              *finished = true;
                                          }
                                          done_.notify_all();
                                      },
                                      Qt::QueuedConnection);
    if (!posted) return;
    std::unique_lock lock(mutex_);
    done_.wait(lock, [&] { return *finished || closed_; });
}

} // namespace hoplot
