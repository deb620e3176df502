// zorvex-cli dump TABLE.db
#include <memory>

#include <nlohmann/json.hpp>

#include "model/paradox/ParadoxTable.h"
#include "tools/InquiryCommands.h"

namespace zorvex::tools {
namespace {

// {"fields": [{"name", "type", "size"}...], "rows": [[cell...]...]}: each cell
// is the text the table view shows, an empty cell is null. A BCD field also
// gives its "decimals"; its size is the 17 bytes it takes in a record.
std::string tableJson(const paradox::ParadoxTable& table) {
  nlohmann::ordered_json out;
  out["fields"] = nlohmann::ordered_json::array();
  for (const paradox::Field& f : table.fields()) {
    nlohmann::ordered_json field{{"name", f.name}, {"type", paradox::typeName(f.type)}, {"size", f.size}};
    if (f.type == paradox::FieldType::Bcd) field["decimals"] = f.decimals;
    out["fields"].push_back(std::move(field));
  }
  out["rows"] = nlohmann::ordered_json::array();
  const int columns = static_cast<int>(table.fields().size());
  for (size_t r = 0; r < table.rowCount(); ++r) {
    nlohmann::ordered_json row = nlohmann::ordered_json::array();
    for (int c = 0; c < columns; ++c) {
      const paradox::Value v = table.value(r, c);
      row.push_back(paradox::isEmpty(v) ? nlohmann::ordered_json(nullptr) : nlohmann::ordered_json(displayText(v)));
    }
    out["rows"].push_back(std::move(row));
  }
  return out.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
}

}  // namespace

Command addDumpCommand(CLI::App& cli) {
  auto path = std::make_shared<std::string>();
  CLI::App* app = cli.add_subcommand("dump", "Print any Paradox table as JSON, cells as the table view shows them.");
  app->add_option("TABLE", *path, "The table file (.db)")->required();
  return {app, [path](CommandIo& io) {
            // Opened exclusively, as the table view opens it; read only.
            const std::unique_ptr<paradox::ParadoxTable> table = paradox::ParadoxTable::open(*path);
            io.out << tableJson(*table);
            return 0;
          }};
}

}  // namespace zorvex::tools
