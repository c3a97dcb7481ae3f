// The JPEG library is linked in and round-trips an image.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include <jpeglib.h>

namespace {

constexpr int kWidth = 16;
constexpr int kHeight = 8;

std::vector<unsigned char> MakeGradient() {
  std::vector<unsigned char> rgb(kWidth * kHeight * 3);
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) {
      unsigned char* p = &rgb[(y * kWidth + x) * 3];
      p[0] = static_cast<unsigned char>(x * 16);
      p[1] = static_cast<unsigned char>(y * 32);
      p[2] = 128;
    }
  return rgb;
}

std::vector<unsigned char> Compress(const std::vector<unsigned char>& rgb, int quality) {
  jpeg_compress_struct info;
  jpeg_error_mgr errors;
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = kWidth;
  info.image_height = kHeight;
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, quality, TRUE);
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    JSAMPROW row = const_cast<unsigned char*>(&rgb[info.next_scanline * kWidth * 3]);
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  std::vector<unsigned char> out(buffer, buffer + size);
  free(buffer);
  return out;
}

TEST(JpegLibrary, CompressesAtQuality85AndDecompressesAgain) {
  std::vector<unsigned char> rgb = MakeGradient();
  std::vector<unsigned char> jpeg = Compress(rgb, 85);
  ASSERT_GT(jpeg.size(), 4u);
  EXPECT_EQ(jpeg[0], 0xFF);
  EXPECT_EQ(jpeg[1], 0xD8);

  jpeg_decompress_struct info;
  jpeg_error_mgr errors;
  info.err = jpeg_std_error(&errors);
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, jpeg.data(), jpeg.size());
  ASSERT_EQ(jpeg_read_header(&info, TRUE), JPEG_HEADER_OK);
  jpeg_start_decompress(&info);
  ASSERT_EQ(info.output_width, static_cast<unsigned>(kWidth));
  ASSERT_EQ(info.output_height, static_cast<unsigned>(kHeight));
  ASSERT_EQ(info.output_components, 3);
  std::vector<unsigned char> decoded(kWidth * kHeight * 3);
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = &decoded[info.output_scanline * kWidth * 3];
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);

  // Lossy, but at quality 85 every channel stays close to the original.
  int worst = 0;
  for (size_t i = 0; i < rgb.size(); ++i) worst = std::max(worst, std::abs(rgb[i] - decoded[i]));
  EXPECT_LT(worst, 24);
}

}  // namespace
