// Playback of the program's built-in sounds, named by their resource names
// ("STARTSOUND2", "NICECHIME", ...). Playing never waits for the sound to end.
#pragma once

#include <string>

namespace pantrio {

class Sound {
public:
    virtual ~Sound() = default;
    // False when there is no sound of that name.
    virtual bool Play(const std::string& resourceName) = 0;
};

}  // namespace pantrio
