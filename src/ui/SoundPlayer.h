// Plays one chunk of rendered sound through the default audio output and returns when it has
// been heard (or when stop() says so), keeping the window live meanwhile. Without an audio
// output (a server, the offscreen platform) it returns at once: the sound is simply not heard.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace zorvel::ui {

// False when nothing could be played.
bool PlayChunk(const std::vector<int16_t>& samples, int sampleRate, const std::function<bool()>& stop);

}  // namespace zorvel::ui
