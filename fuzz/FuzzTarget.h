#pragma once
// The clip fuzz target's entry, shared by the libFuzzer build and by the
// replay program that runs seeds and mutations of them under ctest.

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);
