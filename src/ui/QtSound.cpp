#include "ui/QtSound.h"

#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>

namespace pantrio {

QtSound::QtSound(QString folder) : folder_(std::move(folder)) {}

QtSound::~QtSound() = default;

bool QtSound::Play(const std::string& resourceName) {
    const QString path =
        folder_ + QLatin1Char('/') + QString::fromStdString(resourceName) + QStringLiteral(".wav");
    if (resourceName.empty() || !QFileInfo(path).isFile()) return false;
    // One effect at a time: a new sound replaces one still playing.
    effect_ = std::make_unique<QSoundEffect>();
    effect_->setSource(QUrl::fromLocalFile(path));
    effect_->play();
    return true;
}

}  // namespace pantrio
