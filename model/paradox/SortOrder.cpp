#include "model/paradox/SortOrder.h"

#include <cctype>
#include <string>

namespace zorvex::paradox {
namespace {

std::string lower(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

bool startsWith(const std::string& s, std::string_view prefix) { return s.compare(0, prefix.size(), prefix) == 0; }

struct Named {
  const char* name;
  int codePage;
};

// The sort orders of the Paradox DOS language drivers.
constexpr Named DosOrders[] = {
    {"ascii", 437},   {"intl", 437},     {"swedfin", 437}, {"spanish", 437}, {"intl850", 850},
    {"nordan", 865},  {"nordan40", 865}, {"iceland", 861}, {"cyrr", 866},    {"czech", 852},
    {"polish", 852},  {"slovene", 852},  {"hun852dc", 852}, {"turk", 857},   {"hebrew", 862},
};

}  // namespace

int codePageOfSortOrder(std::string_view name) {
  const std::string n = lower(name);
  // Borland's drivers for other platforms: "BLROM800" is HP Roman-8, "BLLT1..." ISO Latin-1.
  if (startsWith(n, "blrom8")) return HpRoman8CodePage;
  if (startsWith(n, "bllt1")) return 1252;
  // The Windows drivers ("ANSIINTL", "ANSII850", "ANSISWFN", ...) sort ANSI text.
  if (startsWith(n, "ansi")) return 1252;
  // dBASE drivers carry their code page: "DB437US0", "DB850DE0", "DB865NO0".
  if (n.size() >= 5 && startsWith(n, "db") && std::isdigit(static_cast<unsigned char>(n[2])) &&
      std::isdigit(static_cast<unsigned char>(n[3])) && std::isdigit(static_cast<unsigned char>(n[4])))
    return std::stoi(n.substr(2, 3));
  for (const Named& order : DosOrders)
    if (n == order.name) return order.codePage;
  return 0;
}

}  // namespace zorvex::paradox
