#pragma once
// What every fuzz target provides: its entry, shared by the libFuzzer build
// and by the replay program that runs seeds and mutations of them under
// ctest, and the seed files made by code that start both off.

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

// (file name, bytes): small valid inputs, and inputs that once failed.
std::vector<std::pair<std::string, std::string>> fuzzSeeds();
