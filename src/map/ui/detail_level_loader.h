#pragma once

#include <QObject>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "map/startup_data.h"

namespace hoplot {

// Reads the Medium and High levels (load_detail_levels) on a thread of its own and hands them
// to `arrived` on the GUI thread. Destroying the loader waits for its thread; what it read then
// is dropped.
class detail_level_loader : public QObject {
    Q_OBJECT

  public:
    detail_level_loader(std::string db_path, int max_level,
                        std::function<void(detail_levels)> arrived, QObject* parent = nullptr);
    ~detail_level_loader() override;

  private:
    Q_INVOKABLE void hand_over();

    std::function<void(detail_levels)> arrived_;
    // Passed from the thread under the lock, which is what orders the hand-over for the
    // thread sanitizer too; the queued call only says that it is there.
    std::mutex mutex_;
    std::optional<detail_levels> read_;
    std::thread thread_;
};

} // namespace hoplot
