// Benchmarks of the compiler's hot paths and of whole compiles in memory:
// the field reader, the route plan, the line grid, the sample and the longest
// route the route text allows.

#include <benchmark/benchmark.h>

#include <fstream>
#include <sstream>
#include <string>

#include "app/compile_driver.h"
#include "base/field_reader.h"
#include "longest_route.h"
#include "memory_disk.h"
#include "model/compile_state.h"
#include "model/line_grid.h"
#include "model/route_plan.h"

namespace binario {
namespace {

constexpr int32_t kLongestRoute = 1000000;
constexpr int32_t kLongestPlan = kLongestRoute + 7000;

std::string read_example(const std::string& name) {
  std::ifstream in(std::string(BINARIO_EXAMPLES_DIR) + "/" + name, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

void BM_FieldReaderNumbers(benchmark::State& state) {
  std::string text;
  for (int i = 0; i < 100000; ++i) text += std::to_string(i * 37 % 200000) + ", ";
  for (auto _ : state) {
    FieldReader reader(text);
    int64_t sum = 0;
    while (!reader.at_end()) sum += reader.read_i32();
    benchmark::DoNotOptimize(sum);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_FieldReaderNumbers)->Unit(benchmark::kMillisecond);

void BM_BuildRoutePlan(benchmark::State& state) {
  for (auto _ : state) {
    RoutePlan plan;
    plan.create(kLongestPlan);
    plan.start();
    for (int km = 5; km < 1000; km += 10)
      plan.lay_curve(km * 1000, 800, km % 20 == 5 ? 0.0004 : -0.002);
    plan.finish();
    benchmark::DoNotOptimize(plan.file_size());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          (20 * int64_t{kLongestPlan} - 36));
}
BENCHMARK(BM_BuildRoutePlan)->Unit(benchmark::kMillisecond);

void BM_FillLineGrid(benchmark::State& state) {
  for (auto _ : state) {
    LineGrid grid;
    grid.create(kLongestRoute);
    for (int32_t i = 0; i <= grid.last(); ++i)
      grid[i].gradient = static_cast<uint8_t>(100 + i % 13);
    Bytes image;
    grid.serialize(&image);
    benchmark::DoNotOptimize(image.data());
  }
}
BENCHMARK(BM_FillLineGrid)->Unit(benchmark::kMillisecond);

// The whole compile, texts to the three file images, on a disk in memory.
void compile_in_memory(benchmark::State& state, const std::string& route,
                       const std::string& scenario, const char* route_name,
                       const char* train_name) {
  const std::string folder = "/bench";
  const std::string route_text = folder + "/" + route_name + "_linea.txt";
  const std::string scenario_text = folder + "/" + route_name + "_" + train_name + "-.txt";
  for (auto _ : state) {
    state.PauseTiming();
    MemoryDisk disk;
    disk.put(route_text, route);
    disk.put(scenario_text, scenario);
    CompileState compile;
    compile.cartella = Text(folder);
    compile.nome_percorso = Text(route_name);
    compile.nome_treno = Text(train_name);
    state.ResumeTiming();
    CompileResult result = memorizza_percorso(compile, disk, true);
    if (!result.ok()) state.SkipWithError("the compile failed");
  }
}

void BM_CompileSample(benchmark::State& state) {
  const char* route = "BOLOGNA CENTRALE_VENEZIA SANTA LUCIA";
  compile_in_memory(state, read_example(std::string(route) + "_linea.txt"),
                    read_example(std::string(route) + "_IR2230-.txt"), route, "IR2230");
}
BENCHMARK(BM_CompileSample)->Unit(benchmark::kMillisecond);

void BM_CompileLongestRoute(benchmark::State& state) {
  compile_in_memory(state, longest_route_text(), "[generale]\r\n", "R", "T");
}
BENCHMARK(BM_CompileLongestRoute)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace binario

BENCHMARK_MAIN();
