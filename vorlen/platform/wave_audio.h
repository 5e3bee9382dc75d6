// The wave-audio device of the alarms, over libcanberra: a sound file
// played asynchronously, stopped when the object goes.
#pragma once

#include <string>

struct ca_context;

namespace vorlen::platform {

class WaveAudio {
public:
    WaveAudio() = default;
    ~WaveAudio();
    WaveAudio(const WaveAudio&) = delete;
    WaveAudio& operator=(const WaveAudio&) = delete;

    // Starts playing `fileName` (the file system's bytes) from the
    // beginning and returns at once; false, with the sound system's reason
    // in `error`, when it or the file cannot be opened or played.
    bool Play(const std::string& fileName, std::string* error);
    // Stops what is still playing and closes the device.
    void Close();

private:
    ca_context* context_ = nullptr;
};

}  // namespace vorlen::platform
