#pragma once
// Builds the stored diagram from "SentencesDb.db", "ArrowsDb.DB" and "DefeatersDb.DB".
#include <future>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/Diagram.h"
#include "model/TableCursor.h"
#include "model/ZorvexError.h"

namespace zorvex {

inline constexpr const char* SentencesTableFile = "SentencesDb.db";
inline constexpr const char* ArrowsTableFile = "ArrowsDb.DB";
inline constexpr const char* DefeatersTableFile = "DefeatersDb.DB";

struct LoadResult {
  // The failure that ended loading early, if any; the elements read before it stay.
  std::optional<ZorvexError> error;
  // A table that was open when the failure struck stays open (and locked) until
  // the program ends, as the table engine left it.
  std::unique_ptr<TableCursor> leftOpen;
};

// Makes the elements of stored rows as loading does: sizes from the
// corners, end points, and each arrow side resolved to the first sentence
// with its Left, Top and Text. Rows of one kind come after those of the
// kinds before it (sentences, arrows, defeaters). What cannot be made (a
// size beyond 32 bits) throws ZorvexError, and the earlier rows stay.
//
// Arrows are made in batches: their sides are looked up on two threads, in
// a table of the sentences built on a second thread while the arrow rows
// are read. finish() makes the rows given so far into elements; call it at
// the end and after a failure.
class ElementLoader {
 public:
  explicit ElementLoader(Diagram& diagram);
  ~ElementLoader();
  ElementLoader(const ElementLoader&) = delete;
  ElementLoader& operator=(const ElementLoader&) = delete;

  // Left, Top, Right, Bottom and Text set.
  void sentence(TSentence s);
  // Every sentence is in: the table of sentences may be built now.
  void sentencesDone();
  // The centres and end points set; the two sides as the row names them.
  void arrow(TArrow a, int32_t left1, int32_t top1, std::string_view text1, int32_t left2, int32_t top2,
             std::string_view text2);
  // The rectangles, centres and end points set.
  void defeater(TDefeater d);
  void finish();

 private:
  class SentenceFinder;
  struct PendingArrow;
  void addPendingArrows();

  Diagram& diagram_;
  std::unique_ptr<SentenceFinder> finder_;
  std::future<std::unique_ptr<SentenceFinder>> finding_;
  std::vector<PendingArrow> pending_;
  std::string pendingTexts_;
};

// Loads into an empty diagram; the counters start from 0. `directory` is
// prefixed to the file names ("" or "." for the working directory).
LoadResult LoadElements(Diagram& diagram, const std::string& directory, const TableOpener& open);

}  // namespace zorvex
