#include "ui/RatingDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QVBoxLayout>
#include <QWebEngineView>

#include "ui/AppWebPage.h"
#include "ui/StarButton.h"

namespace pantrio {

namespace {

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

// A name shown in a caption with mnemonics: its "&" is a letter.
QString Literal(const std::string& text) {
    return Q(text).replace(QLatin1Char('&'), QStringLiteral("&&"));
}

struct ScaleRow {
    RatingScale scale;
    const char* name;     // object names: "tasteStar1" ...
    const char* caption;  // the row's caption, with its mnemonic
    const char* low;
    const char* high;
};

const ScaleRow kRows[kRatingScales] = {
    {RatingScale::Taste, "taste", "&Taste:", "1=Not good.", "5=Terrific!"},
    {RatingScale::Appearance, "appearance", "A&ppearance:", "1=Unattractive.", "5=Stunning!"},
    {RatingScale::Effort, "effort", "&Ease:", "1=Hard.", "5=Easy!"},
    {RatingScale::Affordability, "affordability", "A&ffordability:", "1=Expensive.", "5=Cheap!"},
};

QLineEdit* TimeEdit(QWidget* parent, const char* name, const std::string& text) {
    auto* edit = new QLineEdit(Q(text), parent);
    edit->setObjectName(QLatin1String(name));
    edit->setMaximumWidth(48);
    return edit;
}

}  // namespace

RatingDialog::RatingDialog(RatingController& rating, const std::string& serviceName,
                           QWidget* parent)
    : QDialog(parent), rating_(rating), form_(rating.Open()), serviceName_(serviceName) {
    setObjectName(QStringLiteral("ratingDialog"));
    setWindowTitle(Q(form_.title));
    auto* layout = new QVBoxLayout(this);

    auto* intro = new QLabel(
        QStringLiteral("Please take a moment to rate this recipe...  Ratings help everyone find "
                       "great recipes faster!"),
        this);
    intro->setWordWrap(true);
    layout->addWidget(intro);

    frame_ = new QGroupBox(QStringLiteral("*Would you make this recipe again?"), this);
    frame_->setObjectName(QStringLiteral("makeAgainFrame"));
    auto* choices = new QVBoxLayout(frame_);
    yes_ = new QRadioButton(QStringLiteral("&YES, I'd make this recipe again."), frame_);
    no_ = new QRadioButton(QStringLiteral("&NO, I wouldn't make this recipe again."), frame_);
    notTried_ = new QRadioButton(QStringLiteral("I &haven't yet tried this recipe."), frame_);
    yes_->setObjectName(QStringLiteral("makeAgainYes"));
    no_->setObjectName(QStringLiteral("makeAgainNo"));
    notTried_->setObjectName(QStringLiteral("makeAgainNotTried"));
    for (QRadioButton* radio : {yes_, no_, notTried_}) choices->addWidget(radio);
    layout->addWidget(frame_);

    // The stars, comments, times and share box; the service's answer takes
    // their place once the rating is sent.
    stack_ = new QStackedWidget(this);
    auto* fields = new QWidget(stack_);
    auto* fieldsLayout = new QVBoxLayout(fields);
    fieldsLayout->setContentsMargins(0, 0, 0, 0);
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(4);
    for (int r = 0; r < kRatingScales; ++r) {
        const ScaleRow& row = kRows[r];
        auto* caption = new QLabel(QLatin1String(row.caption), fields);
        grid->addWidget(caption, r, 0);
        grid->addWidget(new QLabel(QLatin1String(row.low), fields), r, 1, Qt::AlignRight);
        for (int s = 0; s < kStars; ++s) {
            auto* star = new StarButton(fields);
            star->setObjectName(QStringLiteral("%1Star%2").arg(QLatin1String(row.name)).arg(s + 1));
            star->setAccessibleName(
                QStringLiteral("%1 %2")
                    .arg(QString::fromLatin1(row.caption).remove(QLatin1Char('&')))
                    .arg(s + 1));
            connect(star, &StarButton::clicked, this, [this, scale = row.scale, s] {
                form_.ClickStar(scale, s + 1);
                ShowStars(scale);
            });
            stars_[r][s] = star;
            grid->addWidget(star, r, 2 + s);
        }
        caption->setBuddy(stars_[r][0]);
        grid->addWidget(new QLabel(QLatin1String(row.high), fields), r, 2 + kStars);
        ShowStars(row.scale);
    }
    grid->setColumnStretch(3 + kStars, 1);
    fieldsLayout->addLayout(grid);
    fieldsLayout->addWidget(new QLabel(QStringLiteral("(0 stars = Unrated)"), fields));

    auto* commentsCaption = new QLabel(
        QStringLiteral("&Comments... What did you like or dislike?  How would you make it better?"),
        fields);
    commentsCaption->setWordWrap(true);
    fieldsLayout->addWidget(commentsCaption);
    comments_ = new QPlainTextEdit(Q(form_.comments), fields);
    comments_->setObjectName(QStringLiteral("ratingComments"));
    comments_->setTabChangesFocus(true);
    commentsCaption->setBuddy(comments_);
    fieldsLayout->addWidget(comments_, 1);

    auto* times = new QHBoxLayout;
    activeHours_ = TimeEdit(fields, "activeHours", form_.activeHours);
    activeMinutes_ = TimeEdit(fields, "activeMinutes", form_.activeMinutes);
    totalHours_ = TimeEdit(fields, "totalHours", form_.totalHours);
    totalMinutes_ = TimeEdit(fields, "totalMinutes", form_.totalMinutes);
    auto* active = new QLabel(QStringLiteral("Acti&ve Time:"), fields);
    active->setBuddy(activeHours_);
    auto* total = new QLabel(QStringLiteral("T&otal Time:"), fields);
    total->setBuddy(totalHours_);
    times->addWidget(active);
    times->addWidget(activeHours_);
    times->addWidget(new QLabel(QStringLiteral("h"), fields));
    times->addWidget(activeMinutes_);
    times->addWidget(new QLabel(QStringLiteral("min"), fields));
    times->addSpacing(24);
    times->addWidget(total);
    times->addWidget(totalHours_);
    times->addWidget(new QLabel(QStringLiteral("h"), fields));
    times->addWidget(totalMinutes_);
    times->addWidget(new QLabel(QStringLiteral("min"), fields));
    times->addStretch(1);
    fieldsLayout->addLayout(times);

    share_ = new QCheckBox(
        QStringLiteral("&Share these comments and ratings with others on ") + Literal(serviceName),
        fields);
    share_->setObjectName(QStringLiteral("shareRating"));
    share_->setChecked(form_.share);
    share_->setEnabled(form_.shareEnabled);
    fieldsLayout->addWidget(share_);
    stack_->addWidget(fields);

    answer_ = new QWebEngineView(stack_);
    answer_->setObjectName(QStringLiteral("answerView"));
    answer_->setPage(new AppWebPage(answer_));
    stack_->addWidget(answer_);
    layout->addWidget(stack_, 1);

    auto* bottom = new QHBoxLayout;
    busy_ = new QProgressBar(this);
    busy_->setObjectName(QStringLiteral("ratingBusy"));
    busy_->setRange(0, 0);
    busy_->setTextVisible(false);
    busy_->setFixedSize(40, 10);
    busy_->hide();
    bottom->addWidget(busy_);
    auto* buttons = new QDialogButtonBox(this);
    ok_ = buttons->addButton(QDialogButtonBox::Ok);
    ok_->setObjectName(QStringLiteral("ratingOk"));
    cancel_ = buttons->addButton(QDialogButtonBox::Cancel);
    cancel_->setObjectName(QStringLiteral("ratingCancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &RatingDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    bottom->addWidget(buttons, 1);
    layout->addLayout(bottom);

    connect(answer_, &QWebEngineView::loadFinished, busy_, &QWidget::hide);
    resize(560, 520);
}

StarButton* RatingDialog::Star(RatingScale scale, int star) const {
    return stars_[static_cast<int>(scale)][star - 1];
}

void RatingDialog::ShowStars(RatingScale scale) {
    for (int s = 1; s <= kStars; ++s) Star(scale, s)->SetLit(form_.StarLit(scale, s));
}

void RatingDialog::ReadFields() {
    form_.makeAgain = yes_->isChecked()        ? MakeAgain::Yes
                      : no_->isChecked()       ? MakeAgain::No
                      : notTried_->isChecked() ? MakeAgain::NotTried
                                               : MakeAgain::Unanswered;
    form_.comments = comments_->toPlainText().toStdString();
    form_.activeHours = activeHours_->text().toStdString();
    form_.activeMinutes = activeMinutes_->text().toStdString();
    form_.totalHours = totalHours_->text().toStdString();
    form_.totalMinutes = totalMinutes_->text().toStdString();
    form_.share = share_->isChecked();
}

void RatingDialog::accept() {
    if (shared_) return;
    ReadFields();
    const RatingResult result = rating_.Ok(form_);
    switch (result.outcome) {
        case RatingOutcome::NeedsAnswer:
            yes_->setFocus();
            return;
        case RatingOutcome::NotStored:
            return;
        case RatingOutcome::Stored:
            QDialog::accept();
            return;
        case RatingOutcome::Sharing:
            ShowAnswer(result.address);
            return;
    }
}

void RatingDialog::ShowAnswer(const std::string& address) {
    shared_ = true;
    frame_->setTitle(QStringLiteral("Sending your comments to ") + Q(serviceName_) +
                     QStringLiteral("..."));
    for (QRadioButton* radio : {yes_, no_, notTried_}) radio->setEnabled(false);
    stack_->setCurrentWidget(answer_);
    answer_->raise();
    busy_->show();
    ok_->hide();
    cancel_->setText(QStringLiteral("Done"));
    cancel_->setDefault(true);
    cancel_->setFocus();
    answer_->load(QUrl(Q(address)));
}

}  // namespace pantrio
