#include "wf/video/OggStream.h"

namespace wf {

OggStream::OggStream(int32_t serial) : serialNumber(serial) {
    ogg_stream_init(&streamState, serial);
}

OggStream::~OggStream() {
    ogg_stream_clear(&streamState);
}

} // namespace wf
