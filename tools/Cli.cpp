#include "tools/Cli.h"

#include <exception>

#include "model/ZorvexError.h"
#include "tools/Commands.h"
#include "tools/InquiryCommands.h"
#include "tools/WhyCommand.h"

namespace zorvex::tools {
namespace {

int runGuarded(const Command& command, CommandIo& io) {
  try {
    return command.run(io);
  } catch (const UsageError& e) {
    io.err << e.what() << "\nRun with --help for more information.\n";
    return 2;
  } catch (const ZorvexError& e) {
    io.err << errorBoxText(e.message()) << "\n";
    return 1;
  } catch (const std::exception& e) {
    io.err << errorBoxText(e.what()) << "\n";
    return 1;
  }
}

}  // namespace

int runCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  CLI::App cli{"Companion of Zorvex!: builds the three diagram tables from JSON and back, "
               "renders a diagram to an image and runs evaluation rounds without a window.",
               "zorvex-cli"};
  cli.require_subcommand(1);
  const Command commands[] = {addImportCommand(cli), addExportCommand(cli), addEvaluateCommand(cli),
                              addRenderCommand(cli), addDumpCommand(cli),   addMeaningCommand(cli),
                              addShowCommand(cli),   addWhyCommand(cli)};
  // CLI11 would only say that a command is missing; name the word instead.
  const auto subcommands = cli.get_subcommands([&](const CLI::App* c) { return !args.empty() && c->check_name(args[0]); });
  if (!args.empty() && !args[0].empty() && args[0][0] != '-' && subcommands.empty()) {
    err << "Unknown command '" << args[0] << "' (use import, export, evaluate, render, dump, meaning, show or why)\n"
        << "Run with --help for more information.\n";
    return 2;
  }
  // CLI11 takes the words last-first.
  std::vector<std::string> words(args.rbegin(), args.rend());
  try {
    cli.parse(words);
  } catch (const CLI::ParseError& e) {
    return cli.exit(e, out, err) == 0 ? 0 : 2;
  }
  CommandIo io{out, err};
  for (const Command& c : commands)
    if (c.app->parsed()) return runGuarded(c, io);
  return 2;
}

}  // namespace zorvex::tools
