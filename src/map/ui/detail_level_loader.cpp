#include "map/ui/detail_level_loader.h"

#include "platform/thread_priority.h"

namespace hoplot {

detail_level_loader::detail_level_loader(std::string db_path, int max_level,
                                         std::function<void(detail_levels)> arrived,
                                         QObject* parent)
    : QObject(parent), arrived_(std::move(arrived)) {
    thread_ = std::thread([this, db_path = std::move(db_path), max_level] {
        lower_this_thread_priority();
        detail_levels levels = load_detail_levels(db_path, max_level);
        {
            const std::lock_guard lock(mutex_);
            read_ = std::move(levels);
        }
        // A call by name: what crosses is only `read_`, under the lock.
        QMetaObject::invokeMethod(this, "hand_over", Qt::QueuedConnection);
    });
}

detail_level_loader::~detail_level_loader() {
    thread_.join();
}

void detail_level_loader::hand_over() {
    std::optional<detail_levels> levels;
    {
        const std::lock_guard lock(mutex_);
        levels.swap(read_);
    }
    if (levels) arrived_(std::move(*levels));
}

} // namespace hoplot
