#pragma once
// A PNG file written a band of rows at a time, so that a large picture is
// never whole in memory and its writing can be followed and stopped.
#include <QImage>
#include <memory>
#include <string>

namespace zorvex {

class PngRows {
 public:
  // Truecolour, 8 bits a channel, no alpha. Throws ZorvexError.
  PngRows(int width, int height);
  ~PngRows();
  PngRows(const PngRows&) = delete;
  PngRows& operator=(const PngRows&) = delete;

  // The first `rows` rows of `band` (RGB32, at least as wide as the picture)
  // are the picture's next rows.
  void write(const QImage& band, int rows);
  // After the last row: the whole file.
  std::string finish();

  struct State;

 private:
  std::unique_ptr<State> s_;
};

}  // namespace zorvex
