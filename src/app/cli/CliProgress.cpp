#include "app/cli/CliProgress.h"

#include "base/Text.h"

namespace pantrio::cli {

CliProgress::CliProgress(std::ostream& err, bool terminal)
    : err_(err), terminal_(terminal), messages_(*this) {}

CliProgress::~CliProgress() {
    Done();
}

void CliProgress::SetStatus(const std::string& text) {
    status_ = text;
    if (terminal_) Draw();
}

void CliProgress::SetPosition(int percent) {
    if (percent == percent_) return;
    percent_ = percent;
    if (terminal_) Draw();
}

void CliProgress::Draw() {
    constexpr int kWidth = 30;
    const int p = percent_ < 0 ? 0 : (percent_ > 100 ? 100 : percent_);
    const int filled = p * kWidth / 100;
    std::string bar = "\r[" + std::string(filled, '#') + std::string(kWidth - filled, '-') + "] " +
                      Format("%3d%% ", p) + CutChars(status_, 40);
    err_ << bar << "\x1b[K" << std::flush;
    barShown_ = true;
}

void CliProgress::Done() {
    if (barShown_) err_ << "\n";
    barShown_ = false;
}

void CliProgress::PrintingSink::AddRow(ListRow row) {
    const bool redraw = owner_.barShown_;
    owner_.Done();
    owner_.err_ << row.text << "\n";
    if (redraw) owner_.Draw();
}

}  // namespace pantrio::cli
