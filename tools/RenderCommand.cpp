// zorvex-cli render [DIR] -o FILE [--after STEPS] [--scale ZOOM] [--palette standard|safe]
#include <QString>
#include <charconv>
#include <cmath>
#include <memory>
#include <optional>
#include <string_view>

#include "elements/StatusPalette.h"
#include "elements/ui/PictureExport.h"
#include "elements/ui/ViewPicture.h"
#include "viewport/ViewTransform.h"
#include "tools/Cli.h"
#include "tools/Commands.h"
#include "tools/DiagramSource.h"
#include "tools/GuiSession.h"
#include "tools/PictureFile.h"
#include "tools/Steps.h"

namespace zorvex::tools {
namespace {

struct RenderOptions {
  std::string directory = ".";
  std::string output;
  std::string after;
  std::string evaluateSet, jumpSet;
  std::string scale;
  bool scaled = false;
  std::string palette = "standard";
};

std::optional<double> number(std::string_view text) {
  double v = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), v);
  if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(v)) return std::nullopt;
  return v;
}

// "1/64", "0.25", "1", "8": the zoom step of exactly that scale.
int stepOfScale(const std::string& text) {
  const size_t slash = text.find('/');
  std::optional<double> value = number(text);
  if (slash != std::string::npos) {
    const auto num = number(std::string_view(text).substr(0, slash));
    const auto den = number(std::string_view(text).substr(slash + 1));
    value = num && den && *den != 0 ? std::optional<double>(*num / *den) : std::nullopt;
  }
  for (int step = 0; value && step < ViewTransform::StepCount; ++step) {
    const ZoomScale s = ViewTransform::scaleOfStep(step);
    if (*value == static_cast<double>(s.num) / static_cast<double>(s.den)) return step;
  }
  throw UsageError("--scale " + text + " is not a zoom step: use 1/64, 1/32, 1/16, 1/8, 1/4, 1/2, 1, 2, 4 or 8");
}

void saveScaledPicture(const Diagram& diagram, int step, const std::string& output) {
  const QString name = QString::fromStdString(output);
  if (name.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive) ||
      name.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
    throw UsageError("--scale draws PNG pictures only: name a .png file");
  writePictureFile(output, pngBytes(renderDiagramAtStep(diagram, step)));
}

// For this picture only: the command may run inside a longer process.
class PaletteInUse {
 public:
  explicit PaletteInUse(Palette p) : before_(paletteInUse()) { setPaletteInUse(p); }
  ~PaletteInUse() { setPaletteInUse(before_); }
  PaletteInUse(const PaletteInUse&) = delete;
  PaletteInUse& operator=(const PaletteInUse&) = delete;

 private:
  Palette before_;
};

int runRender(const RenderOptions& o, CommandIo& io) {
  const std::vector<Step> steps = o.after.empty() ? std::vector<Step>{} : parseSteps(o.after);
  const EvaluationOptions options = optionsFromSets(o.evaluateSet, o.jumpSet);
  const int step = o.scaled ? stepOfScale(o.scale) : -1;
  Palette palette = Palette::Standard;
  if (!paletteNamed(o.palette, palette)) throw UsageError("--palette " + o.palette + ": use standard or safe");
  const PaletteInUse inUse(palette);
  const GuiSession session;
  Diagram diagram = loadDiagram(o.directory, &io.err);
  checkSteps(steps, diagram);
  EvaluationLog log;
  for (const Step& s : steps) runStep(s, diagram, options, log);
  if (step >= 0) {
    saveScaledPicture(diagram, step, o.output);
  } else {
    const ExportedPicture picture = saveDiagramPicture(diagram, QString::fromStdString(o.output));
    if (picture.scaledDown()) io.err << scaledDownNote(picture.step, picture.fullSize) << ".\n";
  }
  return 0;
}

}  // namespace

Command addRenderCommand(CLI::App& cli) {
  auto o = std::make_shared<RenderOptions>();
  CLI::App* app =
      cli.add_subcommand("render", "Draw the stored diagram as the main window shows it, to PNG, SVG or PDF.");
  app->add_option("DIR", o->directory,
                  "Where the tables are (default: the working directory), or a diagram file ending in .json");
  app->add_option("-o,--output", o->output, "Picture file: PNG, or SVG or PDF when the name ends in .svg or .pdf")
      ->required();
  app->add_option("--after", o->after, "Steps to run first, as for evaluate --steps");
  app->add_option("--evaluate-options", o->evaluateSet, "Rules of evaluation rounds in --after, as for evaluate");
  app->add_option("--jump-options", o->jumpSet, "Rules of jump rounds in --after, as for evaluate");
  CLI::Option* scale = app->add_option("--scale", o->scale,
                  "Draw everything the diagram holds, with a margin of 10 pixels, at this zoom as the window "
                  "shows it (1/64, 1/32, ... 1, 2, 4, 8, or 0.25 and the like), to PNG");
  app->add_option("--palette", o->palette,
                  "Status colours: standard (the window's own, the default) or safe (apart for colour-blind "
                  "readers and in greyscale, with a mark in each sentence box)");
  return {app, [o, scale](CommandIo& io) {
            o->scaled = scale->count() > 0;
            return runRender(*o, io);
          }};
}

}  // namespace zorvex::tools
