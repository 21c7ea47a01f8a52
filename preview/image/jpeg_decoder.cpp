#include "preview/image/jpeg_decoder.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

namespace quillon {
namespace {

// Everything the error and progress callbacks reach; its address is handed to the library, so
// it holds its values across the long jump back.
struct DecodeContext {
  jpeg_error_mgr error;
  jpeg_progress_mgr progress;
  std::jmp_buf failed;
  std::chrono::steady_clock::time_point deadline;
  const DecodeLimits* limits = nullptr;
  std::unique_ptr<FCObjImage> picture;
  JSAMPLE* cmykRow = nullptr;
};

DecodeContext& ContextOf(j_common_ptr info) {
  return *static_cast<DecodeContext*>(info->client_data);
}

[[noreturn]] void Fail(j_common_ptr info) { std::longjmp(ContextOf(info).failed, 1); }

// Warnings about damaged data are no reason to print anything; the picture shows what it can.
void Quiet(j_common_ptr) {}

void CheckBudget(j_common_ptr info) {
  const DecodeContext& context = ContextOf(info);
  if (std::chrono::steady_clock::now() > context.deadline ||
      (context.limits->abandoned && context.limits->abandoned())) {
    Fail(info);
  }
}

// Adobe's CMYK files store the inks inverted, others plainly.
void CmykToBgr(const JSAMPLE* cmyk, std::uint8_t* bgr, JDIMENSION width, bool inverted) {
  for (JDIMENSION x = 0; x < width; ++x, cmyk += 4, bgr += 3) {
    const unsigned k = inverted ? cmyk[3] : 255u - cmyk[3];
    for (int channel = 0; channel < 3; ++channel) {
      const unsigned ink = inverted ? cmyk[channel] : 255u - cmyk[channel];
      bgr[2 - channel] = static_cast<std::uint8_t>(ink * k / 255);
    }
  }
}

// The decode proper. Only plain data lives in this frame: the library leaves it by a long jump.
// The bytes come from `file` when there is one, else from `data`.
bool Decode(jpeg_decompress_struct& info, DecodeContext& context, const std::uint8_t* data,
            std::size_t size, std::FILE* file, std::int32_t minWidth, std::int32_t minHeight) {
  if (setjmp(context.failed) != 0) return false;
  info.client_data = &context;
  jpeg_create_decompress(&info);
  info.mem->max_memory_to_use = static_cast<long>(
      std::min<std::uint64_t>(context.limits->maxMemoryBytes, 0x7FFFFFFF));
  info.progress = &context.progress;
  if (file != nullptr) {
    jpeg_stdio_src(&info, file);
  } else {
    jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
  }
  if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK) return false;
  if (std::uint64_t{info.image_width} * info.image_height > context.limits->maxSourcePixels) {
    return false;
  }
  info.scale_num = 1;
  info.scale_denom = static_cast<unsigned>(JpegScaleFor(
      static_cast<std::int32_t>(info.image_width), static_cast<std::int32_t>(info.image_height),
      minWidth, minHeight));
  const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
  info.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGR;
  // The picture is reduced further for the box: the faster transform and plain upsampling
  // make no difference there.
  info.dct_method = JDCT_IFAST;
  info.do_fancy_upsampling = FALSE;
  jpeg_calc_output_dimensions(&info);
  const BitmapInfoHeader header =
      MakeBitmapHeader(static_cast<std::int32_t>(info.output_width),
                       static_cast<std::int32_t>(info.output_height), 24);
  context.picture = std::make_unique<FCObjImage>();
  if (!context.picture->Create(header)) return false;
  jpeg_start_decompress(&info);
  if (cmyk) {
    context.cmykRow = static_cast<JSAMPLE*>((*info.mem->alloc_small)(
        reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE, std::size_t{info.output_width} * 4));
  }
  while (info.output_scanline < info.output_height) {
    std::uint8_t* row = context.picture->Row(static_cast<std::int32_t>(info.output_scanline));
    JSAMPROW target = cmyk ? context.cmykRow : row;
    if (jpeg_read_scanlines(&info, &target, 1) != 1) return false;
    if (cmyk) CmykToBgr(context.cmykRow, row, info.output_width, info.saw_Adobe_marker);
  }
  jpeg_finish_decompress(&info);
  return true;
}

}  // namespace

int JpegScaleFor(std::int32_t width, std::int32_t height, std::int32_t minWidth,
                 std::int32_t minHeight) {
  for (const int denominator : {8, 4, 2}) {
    // The library rounds scaled sizes up.
    const std::int64_t scaledWidth = (std::int64_t{width} + denominator - 1) / denominator;
    const std::int64_t scaledHeight = (std::int64_t{height} + denominator - 1) / denominator;
    if (scaledWidth >= minWidth && scaledHeight >= minHeight) return denominator;
  }
  return 1;
}

namespace {

std::unique_ptr<FCObjImage> DecodeFrom(const std::uint8_t* data, std::size_t size,
                                       std::FILE* file, std::int32_t minWidth,
                                       std::int32_t minHeight, const DecodeLimits& limits) {
  DecodeContext context;
  context.limits = &limits;
  context.deadline = std::chrono::steady_clock::now() + limits.maxTime;
  jpeg_decompress_struct info{};
  info.err = jpeg_std_error(&context.error);
  context.error.error_exit = Fail;
  context.error.output_message = Quiet;
  context.progress.progress_monitor = CheckBudget;
  const bool decoded = Decode(info, context, data, size, file, minWidth, minHeight);
  jpeg_destroy_decompress(&info);
  if (!decoded) return nullptr;
  return std::move(context.picture);
}

}  // namespace

std::unique_ptr<FCObjImage> DecodeJpegScaled(const std::uint8_t* data, std::size_t size,
                                             std::int32_t minWidth, std::int32_t minHeight,
                                             const DecodeLimits& limits) {
  if (data == nullptr || size == 0) return nullptr;
  return DecodeFrom(data, size, nullptr, minWidth, minHeight, limits);
}

std::unique_ptr<FCObjImage> DecodeJpegScaled(std::FILE* file, std::int32_t minWidth,
                                             std::int32_t minHeight, const DecodeLimits& limits) {
  if (file == nullptr) return nullptr;
  return DecodeFrom(nullptr, 0, file, minWidth, minHeight, limits);
}

}  // namespace quillon
