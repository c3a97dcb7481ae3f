// The folder bin/gif-out into which the GIF tests write files for the independent decoders,
// and the manifest that says what each file must hold (check_gif_files.py reads both).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace giffiles {

// The output folder (emptied on first use), with a trailing backslash.
const std::string& Folder();
void WriteFile(const std::string& name, const std::string& bytes);
// Adds one JSON object to the manifest, written when all tests have run.
void AddEntry(const std::string& json);

// JSON helpers.
std::string Quote(const std::string& text);
std::string PaletteJson(const std::vector<std::uint32_t>& rgb);  // 0xRRGGBB each

// Test pictures: one colour index per pixel, each below `colors`.
std::vector<std::uint8_t> Noise(int width, int height, int colors, std::uint32_t seed);
std::vector<std::uint8_t> Runs(int width, int height, int colors, std::uint32_t seed);
std::vector<std::uint8_t> Gradient(int width, int height, int colors);

}  // namespace giffiles
