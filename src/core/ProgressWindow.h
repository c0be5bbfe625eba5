// The import progress window shared by every import command: a status text,
// a bar from 0 to 100, a list of messages (duplicates, recipes not stored)
// and a Cancel button that sets the cancel flag the importers test between
// lines. The desktop program shows it as a small modeless window with these
// captions; the main window's logic hands it to the importers as their
// ImportProgress.
#pragma once

#include "formats/ImportProgress.h"

namespace pantrio {

class ProgressWindow : public ImportProgress {
public:
    static constexpr const char* kTitle = "Import Recipes...";
    static constexpr const char* kCaption = "Importing Recipes...";
    static constexpr const char* kMessagesHeader = "Messages";

    // Brings the window in front of the main window.
    virtual void Raise() {}
    // Empties the message list before an import starts.
    virtual void ClearMessages() { Messages().ClearRows(); }
};

}  // namespace pantrio

namespace pantrio {

// A progress window that shows nothing and keeps its messages: used when the
// front end has none (the command line passes its own).
class SilentProgressWindow : public ProgressWindow {
public:
    void SetStatus(const std::string& text) override { status = text; }
    void SetPosition(int percent) override { position = percent; }
    RowSink& Messages() override { return messages; }

    std::string status;
    int position = 0;
    VectorRowSink messages;
};

}  // namespace pantrio
