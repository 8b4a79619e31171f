#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "base/report.hpp"

namespace rovev::testing {

// A report that keeps its lines, without their line ends, for tests to read;
// one that shows progress keeps each progress line drawn and an empty one
// for each erase.
class collected_report : public report {
 public:
  explicit collected_report(bool shows_progress = false) : shows_progress_(shows_progress) {}

  void write(channel where, std::string_view bytes) override;
  bool shows_progress() const override { return shows_progress_; }
  void erase_progress() override { progress.emplace_back(); }

  std::vector<std::string> out;
  std::vector<std::string> err;
  std::vector<std::string> progress;

 protected:
  // The longest form.
  void draw_progress(const std::vector<std::string>& forms) override {
    progress.push_back(forms.front());
  }

 private:
  bool shows_progress_;
};

}  // namespace rovev::testing
