// "Clear Meal Plan": the range of days whose entries are removed. Its OK
// button asks the caller, which says whether the dialog closes.
#pragma once

#include <QDialog>
#include <functional>

#include "base/DateTime.h"

class QDateEdit;

namespace pantrio {

class ClearMealPlanDialog : public QDialog {
    Q_OBJECT

public:
    ClearMealPlanDialog(const DateTime& initial,
                        std::function<bool(const DateTime&, const DateTime&)> accept,
                        QWidget* parent);

private:
    std::function<bool(const DateTime&, const DateTime&)> accept_;
    QDateEdit* from_;
    QDateEdit* to_;
};

}  // namespace pantrio
