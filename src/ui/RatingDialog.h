// The rating dialog, titled with the recipe's title: four rows of five stars,
// "Would you make this recipe again?", comments, the active and total times
// and the choice to share the rating with the recipe service. OK goes to
// RatingController; when the rating is shared, the service's answer shows in
// the dialog's own browser, OK hides and Cancel becomes "Done".
#pragma once

#include <QDialog>
#include <string>

#include "core/RatingController.h"

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class QWebEngineView;

namespace pantrio {

class StarButton;

class RatingDialog : public QDialog {
    Q_OBJECT
public:
    RatingDialog(RatingController& rating, const std::string& serviceName, QWidget* parent);

    // Whether OK sent the rating to the service (the answer page shows).
    bool Shared() const { return shared_; }
    StarButton* Star(RatingScale scale, int star) const;
    QWebEngineView* answerView() const { return answer_; }

    // OK: stores the rating; closes, stays open for the missing answer, or
    // shows the service's answer.
    void accept() override;

private:
    void ShowStars(RatingScale scale);
    // Copies what the user typed and chose into the form.
    void ReadFields();
    void ShowAnswer(const std::string& address);

    RatingController& rating_;
    RatingForm form_;
    std::string serviceName_;
    StarButton* stars_[kRatingScales][kStars] = {};
    QGroupBox* frame_;
    QRadioButton* yes_;
    QRadioButton* no_;
    QRadioButton* notTried_;
    QPlainTextEdit* comments_;
    QLineEdit* activeHours_;
    QLineEdit* activeMinutes_;
    QLineEdit* totalHours_;
    QLineEdit* totalMinutes_;
    QCheckBox* share_;
    QPushButton* ok_;
    QPushButton* cancel_;
    QStackedWidget* stack_;
    QWebEngineView* answer_;
    QProgressBar* busy_;
    bool shared_ = false;
};

}  // namespace pantrio
