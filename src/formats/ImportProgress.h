// What every importer reports to while it works: a status text (usually the
// title of the recipe being imported), a bar from 0 to 100, a message list
// (duplicates, recipes that could not be stored and why), and the cancel
// flag, tested between input lines. The desktop program shows it as the
// import progress window; the command line prints to standard error; tests
// record everything.
#pragma once

#include <string>
#include <vector>

#include "base/RowSink.h"

namespace pantrio {

class ImportProgress {
public:
    virtual ~ImportProgress() = default;

    virtual void Show() {}
    virtual void Hide() {}
    virtual void SetStatus(const std::string& text) = 0;
    virtual void SetPosition(int percent) = 0;  // 0..100
    // The message list; SaveAsNew appends its duplicate messages here.
    virtual RowSink& Messages() = 0;
    // Lets the user interface handle pending events; called between lines.
    virtual void Breathe() {}

    // The cancel flag: cleared by an importer when it starts, set by the
    // window's Cancel button.
    bool Cancelled() const { return cancelled_; }
    void SetCancelled(bool value) { cancelled_ = value; }

private:
    bool cancelled_ = false;
};

// Keeps everything in memory; used by tests and as a silent default.
class RecordingProgress : public ImportProgress {
public:
    void SetStatus(const std::string& text) override { statuses.push_back(text); }
    void SetPosition(int percent) override { position = percent; }
    RowSink& Messages() override { return messages; }
    // Sets the cancel flag once Breathe has been called `n` times (tests).
    void CancelAfterBreaths(int n) { cancelAfter_ = n; }
    void Breathe() override {
        ++breaths;
        if (cancelAfter_ >= 0 && breaths >= cancelAfter_) SetCancelled(true);
    }

    std::vector<std::string> statuses;
    int position = 0;
    int breaths = 0;
    VectorRowSink messages;

private:
    int cancelAfter_ = -1;
};

}  // namespace pantrio
