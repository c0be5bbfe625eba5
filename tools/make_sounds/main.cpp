// Writes the program's interface sounds as short wave files (16-bit PCM,
// mono, 22050 Hz) into the folder named on the command line. Each sound is a
// few sine tones with a soft attack and decay, so the files are made from
// nothing but this code.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kRate = 22050;
constexpr double kPi = 3.14159265358979323846;

struct Tone {
    double frequency;  // Hz at the start
    double glide;      // Hz at the end (a sweep when different)
    double seconds;
};

std::vector<std::int16_t> Render(const std::vector<Tone>& tones, double volume) {
    std::vector<std::int16_t> samples;
    for (const Tone& tone : tones) {
        const int count = static_cast<int>(tone.seconds * kRate);
        double phase = 0;
        for (int i = 0; i < count; ++i) {
            const double t = static_cast<double>(i) / count;
            const double frequency = tone.frequency + (tone.glide - tone.frequency) * t;
            phase += 2 * kPi * frequency / kRate;
            const double attack = std::fmin(1.0, t * 20);
            const double envelope = attack * std::pow(1.0 - t, 2);
            samples.push_back(
                static_cast<std::int16_t>(32767 * volume * envelope * std::sin(phase)));
        }
    }
    return samples;
}

void PutLE(std::FILE* f, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) std::fputc(static_cast<int>((value >> (8 * i)) & 0xFF), f);
}

bool WriteWave(const std::string& path, const std::vector<std::int16_t>& samples) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) return false;
    const std::uint32_t dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
    std::fputs("RIFF", f);
    PutLE(f, 36 + dataBytes, 4);
    std::fputs("WAVEfmt ", f);
    PutLE(f, 16, 4);         // size of the format chunk
    PutLE(f, 1, 2);          // PCM
    PutLE(f, 1, 2);          // mono
    PutLE(f, kRate, 4);      // samples per second
    PutLE(f, kRate * 2, 4);  // bytes per second
    PutLE(f, 2, 2);          // bytes per sample frame
    PutLE(f, 16, 2);         // bits per sample
    std::fputs("data", f);
    PutLE(f, dataBytes, 4);
    for (const std::int16_t s : samples) PutLE(f, static_cast<std::uint16_t>(s), 2);
    return std::fclose(f) == 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    struct Sound {
        const char* name;
        std::vector<Tone> tones;
        double volume;
    };
    const Sound sounds[] = {
        {"STARTSOUND2",
         {{523.25, 523.25, 0.18}, {659.25, 659.25, 0.18}, {783.99, 783.99, 0.4}},
         0.5},
        {"MINIWHOOSH", {{1400, 300, 0.15}}, 0.35},
        {"NICECHIME", {{1046.5, 1046.5, 0.15}, {1318.5, 1318.5, 0.35}}, 0.4},
        {"MALLETG", {{392, 392, 0.25}}, 0.5},
        {"SOUNDIMPORTFROMWEB", {{600, 1200, 0.2}, {1200, 1200, 0.2}}, 0.4},
    };
    for (const Sound& sound : sounds) {
        const std::string path = folder + "/" + sound.name + ".wav";
        if (!WriteWave(path, Render(sound.tones, sound.volume))) {
            std::fprintf(stderr, "could not write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
