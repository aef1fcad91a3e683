#pragma once
// Ogg/Theora fixtures for the tests, bench and fuzz seeds: the encoder that
// tools/theora shares with the sample movie tool, under the tests' namespace.

#include "tools/theora/TheoraEncoding.h"

namespace testsupport {

using theoraenc::Chroma;
using theoraenc::encodeTheora;
using theoraenc::encodeTheoraPages;
using theoraenc::flatLevels;
using theoraenc::levelOfFrame;
using theoraenc::multiplex;
using theoraenc::OggPages;
using theoraenc::otherStreamPages;
using theoraenc::TheoraClip;
using theoraenc::YCbCr;

} // namespace testsupport
