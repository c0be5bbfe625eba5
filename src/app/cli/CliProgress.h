// The import progress of the command line: the status and a bar on standard
// error (redrawn in place when standard error is a terminal, otherwise only
// the messages), and every message of the list as its own line.
#pragma once

#include <ostream>
#include <string>

#include "formats/ImportProgress.h"

namespace pantrio::cli {

class CliProgress : public ImportProgress {
public:
    CliProgress(std::ostream& err, bool terminal);
    ~CliProgress() override;

    void SetStatus(const std::string& text) override;
    void SetPosition(int percent) override;
    RowSink& Messages() override { return messages_; }

    // Ends the bar's line, if one is drawn.
    void Done();

private:
    class PrintingSink : public RowSink {
    public:
        explicit PrintingSink(CliProgress& owner) : owner_(owner) {}
        void AddRow(ListRow row) override;
        void ClearRows() override {}

    private:
        CliProgress& owner_;
    };

    void Draw();

    std::ostream& err_;
    bool terminal_;
    bool barShown_ = false;
    int percent_ = -1;
    std::string status_;
    PrintingSink messages_;
};

}  // namespace pantrio::cli
