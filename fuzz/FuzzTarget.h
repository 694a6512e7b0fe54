#pragma once
// The entry point that libFuzzer calls; the replay program calls it too, once per saved input.

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);
