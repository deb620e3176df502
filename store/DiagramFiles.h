#pragma once
// Opening and saving a whole diagram: a folder holding the three tables, or
// a diagram file in JSON (the companion's import/export form, with the
// statuses beside the rows). Both are read through LoadElements, so opening
// gives the same diagram and the same messages as start-up does.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "model/Diagram.h"
#include "store/DiagramRows.h"
#include "model/TableCursor.h"
#include "model/ZorvexError.h"
#include "store/ShortForms.h"

namespace zorvex {

// Aif: an argument map in the Argument Interchange Format, written as AIFdb
// JSON. Opening tells it from our own .json files by content. Argdown and
// GraphMl are written only as exports; an Argdown file is opened as a
// diagram file (Json) told by its ".argdown" ending.
enum class DiagramFormat { Tables, Json, Aif, Argdown, GraphMl };

struct DiagramLocation {
  std::filesystem::path path;  // a folder (Tables) or a .json file (Json, Aif)
  DiagramFormat format = DiagramFormat::Tables;
};

// ".json" (any letter case) is a JSON file, and so is a file whose content
// is an AIF map, whatever it is called, and an ".argdown" file; anything
// else is a folder.
DiagramLocation locationFor(const std::filesystem::path& chosen);
// Where an export goes: ".argdown" Argdown, ".graphml" GraphML, else AIF.
DiagramLocation exportLocationFor(const std::filesystem::path& chosen);
// What the status bar says after an export, of what the format leaves out.
std::string exportedText(DiagramFormat format);
// Where Save As writes for a chosen name: an existing folder, or one of the
// three tables (as the Open dialog offers them), is that folder of tables;
// any other name as locationFor.
DiagramLocation saveLocationFor(const std::filesystem::path& chosen);
// True when the location already holds the diagram file or any of its tables.
bool holdsDiagram(const DiagramLocation& where);
// The same file or folder, however it is spelled ("" is the working directory).
bool sameLocation(const DiagramLocation& a, const DiagramLocation& b);
// The location as the user is shown it: an absolute path.
std::string shownPath(const DiagramLocation& where);

struct OpenResult {
  std::optional<ZorvexError> error;       // what ended loading early; the elements read before it stay
  std::unique_ptr<TableCursor> leftOpen;  // as LoadResult: a table left open by a failure
  // An AIF map or an Argdown text was read: laid out anew, it is a new
  // diagram that no save may write back over the map; `report` says what
  // was made and left out.
  bool fromAif = false;
  std::vector<std::string> report;
};

// Loads into an EMPTY diagram. A folder: its three tables through `open`,
// exactly as at start-up. A JSON file: its rows through LoadElements from
// memory, then its "Status" and "DefeaterState" keys. A file that cannot be
// read gives "Cannot open file <path>"; broken JSON or a bad row gives a
// message naming the row ("arrows[2]: missing 'EndX'") and no element; a
// row LoadElements fails on ("sentences[1]: Integer overflow") ends loading
// there, the elements of earlier rows staying, as with a damaged table.
// Short forms are completed by ComputeStartEndPoints; a sentence without
// "Right" and "Bottom" needs its text measured and is refused here. A .json
// file whose content is an AIF map is read as one (aif/AifFiles.h), its
// sentences measured by the geometry's textSize (an estimate without one),
// and damage to it gives "Cannot read AIF map <path>: ..." and no element.
// An ".argdown" file is read as Argdown text (argdown/ArgdownFiles.h) the
// same way; only a text too long is refused ("Cannot read Argdown text
// <path>: ..."), every other damage is reported and read past.
OpenResult openDiagram(Diagram& into, const DiagramLocation& where, const TableOpener& open);
// The same, with the geometry that completes every short form (the window
// measures texts in the sentence font).
OpenResult openDiagram(Diagram& into, const DiagramLocation& where, const TableOpener& open,
                       const Geometry& shortForms);

struct SaveOptions {
  // True when a table file is held open by the program's table views:
  // saving into that folder is then refused with a message. The path asked
  // about is absolute, without "." or ".." and with symbolic links resolved
  // (std::filesystem::weakly_canonical).
  std::function<bool(const std::filesystem::path& table)> tableInUse;
};

// Writes the diagram where it came from or was chosen to go. Deleted
// elements are left out and the rest keep their order; each arrow row names
// its sentences by their Left, Top and Text, and a side that did not resolve
// at loading keeps what its row named. Tables hold no statuses; every
// sentence's text is checked against code page 1252 before anything is
// written, and the three tables replace the old ones together or not at all.
// A JSON file keeps "Status" and "DefeaterState" and is replaced atomically;
// so is an AIF file, which keeps neither, an Argdown file, which keeps the
// sentences' places and statuses, and a GraphML file.
// Throws ZorvexError with the user's message; on failure nothing changed.
void saveDiagram(const Diagram& d, const DiagramLocation& where, const SaveOptions& options = {});

// True when some element a save keeps has a status or defeater state other
// than the one every element opened from tables has: tables do not keep it.
bool tablesLeaveOutStatuses(const Diagram& d);

// Writes the diagram as JSON with statuses to `file` (creating its folder),
// replacing an older copy atomically. Throws ZorvexError.
void writeRecoveryCopy(const Diagram& d, const std::filesystem::path& file);
// The same from the rows of a diagram, statuses included.
void writeRecoveryCopy(const DiagramRows& rows, const std::filesystem::path& file);

// A fingerprint of the rows a JSON save writes (geometry, texts, order,
// statuses, defeater states; deleted elements are left out as the save leaves
// them out): equal fingerprints mean nothing to save.
uint64_t diagramFingerprint(const Diagram& d);

}  // namespace zorvex
