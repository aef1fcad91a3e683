#pragma once
// One logical stream of an Ogg file: libogg's packet assembly for the pages
// carrying one serial number. Owned by the clip's stream map.

#include "ph/RefCounter.h"

#include <ogg/ogg.h>

#include <cstdint>

namespace wf {

class OggStream : public ph::RefCounter {
public:
    explicit OggStream(int32_t serial);
    ~OggStream() override;

    int32_t serialNumber;
    ogg_stream_state streamState;
};

} // namespace wf
