// The import progress window ("Import Recipes..."): a modeless window with a
// status text, a bar from 0 to 100, a busy indicator, the "Messages" list and
// a Cancel button that sets the importers' cancel flag and hides the window.
#pragma once

#include <QDialog>

#include "core/ProgressWindow.h"

class QLabel;
class QListWidget;
class QProgressBar;

namespace pantrio {

class ImportProgressWindow : public QDialog, public ProgressWindow {
    Q_OBJECT
public:
    explicit ImportProgressWindow(QWidget* parent);
    ~ImportProgressWindow() override;

    void Show() override;
    void Hide() override;
    void Raise() override;
    void SetStatus(const std::string& text) override;
    void SetPosition(int percent) override;
    RowSink& Messages() override;
    void Breathe() override;

private:
    class MessageList;

    QLabel* status_;
    QProgressBar* bar_;
    QListWidget* list_;
    std::unique_ptr<MessageList> messages_;
};

}  // namespace pantrio
