// The checklist of the recipes a web page holds, offered by the View tab's
// Import when there is more than one: a check box per title, all ticked,
// "Select all", "Select none", OK and Cancel. Space ticks the current row.
#pragma once

#include <QDialog>
#include <string>
#include <vector>

class QListWidget;
class QPushButton;

namespace pantrio {

class WebRecipesDialog : public QDialog {
    Q_OBJECT
public:
    WebRecipesDialog(const std::vector<std::string>& titles, QWidget* parent);
    // The indexes of the ticked titles, in list order.
    std::vector<int> Chosen() const;

private:
    void TickAll(bool ticked);
    void UpdateOk();

    QListWidget* list_;
    QPushButton* ok_;
};

}  // namespace pantrio
