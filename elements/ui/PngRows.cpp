#include "elements/ui/PngRows.h"

#include <png.h>

#include <bit>
#include <csetjmp>
#include <new>

#include "model/ZorvexError.h"

namespace zorvex {

struct PngRows::State {
  ~State() { png_destroy_write_struct(&png, &info); }
  png_structp png = nullptr;
  png_infop info = nullptr;
  std::string bytes;
  const char* error = nullptr;
  int width = 0;
};

namespace {

using State = PngRows::State;

// libpng reports failures by a long jump back to the setjmp of the call that
// failed; nothing with a destructor may live between the two.
[[noreturn]] void onError(png_structp png, png_const_charp message) {
  static_cast<State*>(png_get_error_ptr(png))->error = message;
  png_longjmp(png, 1);
}

void onWarning(png_structp, png_const_charp) {}

void onWrite(png_structp png, png_bytep data, size_t length) {
  bool kept = true;
  try {
    static_cast<State*>(png_get_io_ptr(png))->bytes.append(reinterpret_cast<const char*>(data), length);
  } catch (const std::bad_alloc&) {
    kept = false;
  }
  if (!kept) png_error(png, "Out of memory");
}

void onFlush(png_structp) {}

bool start(State& s, int width, int height) {
  if (setjmp(png_jmpbuf(s.png))) return false;
  png_set_write_fn(s.png, &s, onWrite, onFlush);
  png_set_IHDR(s.png, s.info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
               PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  // Diagrams are mostly rows like the one above: the one filter that says so
  // is a fraction of the work of trying them all.
  png_set_filter(s.png, PNG_FILTER_TYPE_BASE, PNG_FILTER_UP);
  png_write_info(s.png, s.info);
  // RGB32 pixels are 0xffRRGGBB words: the filler byte goes, in memory order.
  if constexpr (std::endian::native == std::endian::little) {
    png_set_filler(s.png, 0, PNG_FILLER_AFTER);
    png_set_bgr(s.png);
  } else {
    png_set_filler(s.png, 0, PNG_FILLER_BEFORE);
  }
  return true;
}

bool writeRows(State& s, const QImage& band, int rows) {
  if (setjmp(png_jmpbuf(s.png))) return false;
  for (int y = 0; y < rows; ++y) png_write_row(s.png, band.constScanLine(y));
  return true;
}

bool end(State& s) {
  if (setjmp(png_jmpbuf(s.png))) return false;
  png_write_end(s.png, s.info);
  return true;
}

[[noreturn]] void failed(const State& s) {
  throw ZorvexError(std::string("Cannot write the PNG picture: ") + (s.error ? s.error : "unknown failure"));
}

}  // namespace

PngRows::PngRows(int width, int height) : s_(std::make_unique<State>()) {
  s_->width = width;
  s_->png = png_create_write_struct(PNG_LIBPNG_VER_STRING, s_.get(), onError, onWarning);
  if (s_->png) s_->info = png_create_info_struct(s_->png);
  if (!s_->png || !s_->info) throw ZorvexError("Out of memory");
  if (!start(*s_, width, height)) failed(*s_);
}

PngRows::~PngRows() = default;

void PngRows::write(const QImage& band, int rows) {
  if (band.format() != QImage::Format_RGB32 || band.width() < s_->width || band.height() < rows)
    throw ZorvexError("Cannot write the PNG picture: a band of the wrong kind");
  if (!writeRows(*s_, band, rows)) failed(*s_);
}

std::string PngRows::finish() {
  if (!end(*s_)) failed(*s_);
  return std::move(s_->bytes);
}

}  // namespace zorvex
