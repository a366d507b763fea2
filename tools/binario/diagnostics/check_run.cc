#include "diagnostics/check_run.h"

#include <algorithm>
#include <tuple>

#include "diagnostics/compile_run.h"
#include "diagnostics/fault_locator.h"
#include "diagnostics/lint.h"
#include "diagnostics/root_cause.h"
#include "diagnostics/stored_values.h"
#include "model/file_names.h"
#include "text/text_scan.h"

namespace binario::tool {

namespace {

// The texts of one compile and their scans.
struct Scanned {
  std::optional<SourceText> route;
  std::optional<SourceText> scenario;
  TextScan route_scan;
  TextScan scenario_scan;

  ScannedTexts view(const CheckInput& input) const {
    ScannedTexts t;
    if (route) {
      t.route = &*route;
      t.route_scan = &route_scan;
    }
    if (scenario) {
      t.scenario = &*scenario;
      t.scenario_scan = &scenario_scan;
    }
    const ScenarioNames names(input.route, input.train);
    t.route_name = names.route_text().view();
    t.scenario_name = names.scenario_text().view();
    return t;
  }
  void rescan() {
    if (route) route_scan = scan_route_text(*route);
    if (scenario) scenario_scan = scan_scenario_text(*scenario);
  }
};

CompileRun compile(const CheckInput& input, const Scanned& s) {
  return compile_texts(input.route, input.train, s.route ? &*s.route : nullptr,
                       s.scenario ? &*s.scenario : nullptr);
}

int rank(const Diagnostic& d, const CheckInput& input) {
  if (input.route_text && d.file == input.route_text->name()) return 0;
  return 1;
}

}  // namespace

CheckReport check_texts(const CheckInput& input, const CheckOptions& options) {
  CheckReport report;
  Scanned current{input.route_text, input.scenario_text, {}, {}};
  current.rescan();
  const CompileRun original = compile(input, current);
  report.shown = original.shown;
  const std::optional<Diagnostic> seen = shown_fault(original, current.view(input));

  // Every error: locate the first fault, set its line aside, compile again.
  std::vector<Diagnostic> errors;
  CompileRun run = original;
  while (run.first.fault != Fault::kNone && static_cast<int>(errors.size()) < options.max_errors) {
    LocatedFault fault = locate_fault(run, current.view(input));
    errors.push_back(fault.diagnostic);
    if (fault.set_aside_line <= 0) break;
    std::optional<SourceText>& text =
        fault.set_aside_text == InputText::kRoute ? current.route : current.scenario;
    if (!text || text->line(fault.set_aside_line).empty()) break;
    text = text->without_line(fault.set_aside_line);
    current.rescan();
    run = compile(input, current);
  }

  // Warnings, from the texts with the faulty lines set aside, so that none
  // follows from an error; a line with an error has its say there.
  Scanned written{input.route_text, input.scenario_text, {}, {}};
  written.rescan();
  const CompileRun cleared = compile(input, current);
  std::vector<Diagnostic> warnings = lint_texts(current.view(input), cleared, written.view(input));
  for (std::vector<Diagnostic> more : {stored_value_findings(current.view(input)),
                                       plausibility_findings(current.view(input), cleared)}) {
    for (Diagnostic& d : more) {
      (d.severity == Severity::kError ? errors : warnings).push_back(std::move(d));
    }
  }
  gather_past_the_end(errors, warnings, seen, written.view(input), cleared);
  keep_shown_fault(errors, seen);
  for (Diagnostic& w : warnings) {
    if (options.disabled.count(w.warning) != 0) continue;
    const bool on_error_line = std::any_of(errors.begin(), errors.end(), [&](const Diagnostic& e) {
      return e.file == w.file && e.line == w.line && w.line > 0;
    });
    if (on_error_line) continue;
    if (options.werror) w.severity = Severity::kError;
    report.diagnostics.push_back(w);
  }
  report.diagnostics.insert(report.diagnostics.end(), errors.begin(), errors.end());
  std::stable_sort(report.diagnostics.begin(), report.diagnostics.end(),
                   [&](const Diagnostic& a, const Diagnostic& b) {
                     return std::make_tuple(rank(a, input), a.line, a.column) <
                            std::make_tuple(rank(b, input), b.line, b.column);
                   });
  return report;
}

}  // namespace binario::tool
