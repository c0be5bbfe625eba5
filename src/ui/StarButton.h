// One star of a rating row: a two-state button drawn as a lit (gold) or dark
// (grey) star. A click, or the space bar while it has the focus, emits
// clicked(); the row decides which stars are lit (RatingForm::ClickStar).
#pragma once

#include <QAbstractButton>

namespace pantrio {

class StarButton : public QAbstractButton {
    Q_OBJECT
public:
    explicit StarButton(QWidget* parent);

    bool Lit() const { return lit_; }
    void SetLit(bool lit);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool lit_ = false;
};

}  // namespace pantrio
