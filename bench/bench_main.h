// What every benchmark program shares: its main(), the brief run the tests make of it, and the
// figures of each benchmark once all have run, from which the program prints its verdict last.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace bench {

namespace detail {
inline bool briefRun = false;
}

// A brief run (--brief on the command line) only shows that the program builds, runs and reports
// without error, quickly even under the sanitizers: each benchmark runs for its least time and
// with its own counts shrunk. Its figures measure nothing.
inline bool brief() { return detail::briefRun; }
// `full` in a real run, `few` in a brief one.
inline int count(int full, int few) { return brief() ? few : full; }

inline const char* verdict(bool met) { return met ? "met" : "NOT MET"; }

// One benchmark's figures: its counters.
struct Figures {
  std::map<std::string, double> counters;
  double counter(const std::string& name) const {
    auto found = counters.find(name);
    return found == counters.end() ? 0 : found->second;
  }
};

// The console's report, keeping each benchmark's figures by its function's name (with
// repetitions, the median's as well) and whether any reported an error.
class Results : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.error_occurred) {
        failed_ = true;
        continue;
      }
      Figures& figures = figures_[keyOf(run)];
      for (const auto& [name, counter] : run.counters) figures.counters[name] = counter.value;
    }
    ConsoleReporter::ReportRuns(runs);
  }

  // The benchmark's figures (its median's when it was repeated); null when it did not run or failed.
  const Figures* find(const std::string& name) const {
    auto found = figures_.find(name + "_median");
    if (found == figures_.end()) found = figures_.find(name);
    return found == figures_.end() ? nullptr : &found->second;
  }
  bool failed() const { return failed_; }

 private:
  static std::string keyOf(const Run& run) {
    const std::string& name = run.run_name.function_name;
    return run.run_type == Run::RT_Aggregate ? name + "_" + run.aggregate_name : name;
  }

  std::map<std::string, Figures> figures_;
  bool failed_ = false;
};

// Runs the benchmarks the command line selects, then `printVerdict` with their figures. Exits
// with 1 when an argument is not understood or a benchmark reported an error.
inline int run(int argc, char** argv, const std::function<void(const Results&)>& printVerdict = {}) {
  std::vector<char*> args;
  static char leastTime[] = "--benchmark_min_time=0.01";
  for (int i = 0; i < argc; ++i) {
    if (std::strcmp(argv[i], "--brief") == 0) {
      detail::briefRun = true;
      args.push_back(leastTime);
    } else {
      args.push_back(argv[i]);
    }
  }
  int count = static_cast<int>(args.size());
  benchmark::Initialize(&count, args.data());
  if (benchmark::ReportUnrecognizedArguments(count, args.data())) return 1;
  Results results;
  benchmark::RunSpecifiedBenchmarks(&results);
  benchmark::Shutdown();
  if (printVerdict && !results.failed()) printVerdict(results);
  // Before the sanitizers' reports at exit, which go to the unbuffered error stream.
  std::fflush(stdout);
  return results.failed() ? 1 : 0;
}

}  // namespace bench

