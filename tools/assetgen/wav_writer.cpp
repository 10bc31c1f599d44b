#include "wav_writer.h"

#include <cmath>

#include "byte_writer.h"
#include "det_math.h"

namespace gen {

std::vector<uint8_t> EncodeWav(const std::vector<double>& samples) {
    const uint32_t dataBytes = static_cast<uint32_t>(samples.size()) * 2;
    ByteWriter out;
    out.Tag("RIFF");
    out.U32(4 + (8 + 16) + (8 + dataBytes));
    out.Tag("WAVE");
    out.Tag("fmt ");
    out.U32(16);
    out.U16(1);  // PCM
    out.U16(1);  // mono
    out.U32(kSampleRate);
    out.U32(kSampleRate * 2);  // bytes per second
    out.U16(2);                // bytes per sample frame
    out.U16(16);
    out.Tag("data");
    out.U32(dataBytes);
    for (double s : samples) {
        const double v = std::floor(Clamp(s, -1.0, 1.0) * 32767.0 + 0.5);
        out.U16(static_cast<uint16_t>(static_cast<int16_t>(v)));
    }
    return out.Take();
}

}  // namespace gen
