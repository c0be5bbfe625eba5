// Plays the interface sounds: the wave files "<name>.wav" of the installed
// data folder's Sounds folder, without waiting for them to end.
#pragma once

#include <QObject>
#include <QString>
#include <memory>

#include "core/Sound.h"

class QSoundEffect;

namespace pantrio {

class QtSound : public Sound {
public:
    explicit QtSound(QString folder);
    ~QtSound() override;
    bool Play(const std::string& resourceName) override;

private:
    QString folder_;
    std::unique_ptr<QSoundEffect> effect_;
};

}  // namespace pantrio
