#pragma once

#include <string>

namespace hoplot {

// What start-up loading reports to the loading dialog: the stage text, the range of the bar and
// its advance. Loaders take one by reference; code that shows no progress passes no_progress.
class loading_progress {
  public:
    virtual ~loading_progress() = default;
    virtual void set_stage(const std::string& text) = 0;
    virtual void set_range(int maximum) = 0;
    virtual void advance() = 0;
};

class no_progress final : public loading_progress {
  public:
    void set_stage(const std::string&) override {}
    void set_range(int) override {}
    void advance() override {}
};

} // namespace hoplot
