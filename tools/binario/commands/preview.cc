// binario preview: the route drawn on one page, written to a file or served
// to the author's browser, where it follows the texts as they are saved.

#include <filesystem>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "commands/command.h"
#include "files/files.h"
#include "preview/live_server.h"
#include "preview/page.h"
#include "preview/preview_source.h"

namespace binario::tool {

namespace {

namespace fs = std::filesystem;

struct PreviewOptions {
  std::vector<std::string> source;
  std::string output;
  std::string svg_folder;
  bool serve = false;
  int port = 8470;
};

bool write_text(const fs::path& path, const std::string& text) {
  std::string error;
  if (write_file_atomically(path, Bytes(text.begin(), text.end()), false, &error)) return true;
  report("preview", error);
  return false;
}

int write_page(const PreviewOptions& options) {
  const PreviewRoute route = load_preview(options.source);
  if (!route.problem.empty() && route.texts.empty()) {
    report("preview", route.problem);
    return kFailure;
  }
  PreviewDrawings drawings;
  if (!write_text(path_from_name(options.output), preview_page(route, &drawings))) return kFailure;
  if (!route.compiled) {
    report("preview", "the route does not compile: " + totals_line(route.report) +
                          "; the page shows them at their lines (binario check tells the same)");
    return kFailure;
  }
  if (!options.svg_folder.empty()) {
    const fs::path folder = path_from_name(options.svg_folder);
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (!write_text(folder / "ground_plan.svg", drawings.ground_plan) ||
        !write_text(folder / "profile.svg", drawings.profile)) {
      return kFailure;
    }
  }
  return kSuccess;
}

int serve(const PreviewOptions& options) {
  LiveServerOptions live;
  live.port = static_cast<uint16_t>(options.port);
  for (const std::string& s : options.source) live.watched.push_back(path_from_name(s));
  live.page = [source = options.source] {
    PreviewDrawings drawings;
    return preview_page(load_preview(source), &drawings);
  };
  std::string error;
  if (!serve_preview(live, std::cout, &error)) {
    report("preview", error + "; name another port with --port N, or --port 0 for any free one");
    return kFailure;
  }
  return kSuccess;
}

int preview(const PreviewOptions& options) {
  if (options.serve == !options.output.empty()) {
    report("preview", options.serve
                          ? "--serve shows the page in the browser: leave out -o"
                          : "name the page to write with -o FILE, or serve it with --serve");
    return kUsage;
  }
  if (options.port < 0 || options.port > 65535) {
    report("preview", "--port takes a port from 0 (any free one) to 65535");
    return kUsage;
  }
  return options.serve ? serve(options) : write_page(options);
}

}  // namespace

CommandRun declare_preview(CommandLine& command) {
  auto options = std::make_shared<PreviewOptions>();
  command
      .option("SOURCE", &options->source,
              "An installer, a folder, or the route text and the scenario text")
      .type_name("SOURCE")
      .required()
      .values(1, 2);
  command.option("-o,--output", &options->output, "The HTML page to write").type_name("FILE");
  command
      .option("--svg", &options->svg_folder,
              "Also write ground_plan.svg and profile.svg into this folder")
      .type_name("DIR");
  command.flag("--serve", &options->serve,
               "Serve the page on 127.0.0.1 and update it in the browser at every save");
  command
      .option("--port", &options->port,
              "The port --serve listens on (default 8470; 0: any free one)")
      .type_name("N");
  command.footer(
      "Writes one self-contained HTML page (no network, no fonts or libraries to fetch): the "
      "faults and warnings of the texts at their lines, the ground plan drawn from the route plan "
      "with the stations, signals and boards, and the line profile with the height from the "
      "gradients, the line speed, slowdowns, mountain stretches, the stations with their times and "
      "a kilometre scale; the profile zooms with the wheel and moves along the line by dragging. "
      "Hovering or clicking shows the values of each object and, when the source is a text, its "
      "file and line. A folder holds either the two texts or the three compiled files. With "
      "--serve the page is served to the browser on this computer alone and follows every save "
      "of the texts. Exit status 1 when the source cannot be read or does not compile.");
  return [options] { return preview(*options); };
}

}  // namespace binario::tool
