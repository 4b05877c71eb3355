// What the application feels: reading every interface of a large document, checking and writing
// back a configuration, the self-test suite, loading and saving. Each figure is also given as a
// ratio to a floor measured in the same run: copying one interface's 40 document values into a
// std::map<std::wstring, std::wstring>.
#include "BenchDocument.h"

#include <comparam/ComParamMan.h>
#include <comparam/ComParamTest.h>
#include <logging/Logging.h>
#include <pelka/EcuDocFile.h>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <iomanip>
#include <iostream>
#include <map>
#include <memory>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

namespace {

using namespace NComParamMan;
using NComParamBench::GenerateDocument;
using NComParamBench::InterfaceQualifier;

constexpr const char* kInterfacesCounter = "interfaces";

// A generated document per size, built once; it is what the document files hold.
const Pelka::ZEcuDoc& Generated(std::size_t interfaceCount) {
  static std::map<std::size_t, std::unique_ptr<Pelka::ZEcuDoc>> documents;
  std::unique_ptr<Pelka::ZEcuDoc>& pDoc = documents[interfaceCount];
  if (!pDoc) pDoc = GenerateDocument(interfaceCount);
  return *pDoc;
}

// The generated documents as files of the temporary folder, written once per size and removed
// when the program ends.
class ZDocumentFiles {
 public:
  ZDocumentFiles() = default;
  ZDocumentFiles(const ZDocumentFiles&) = delete;
  ZDocumentFiles& operator=(const ZDocumentFiles&) = delete;
  ~ZDocumentFiles() {
    std::error_code ignored;
    for (const auto& entry : m_paths) std::filesystem::remove(entry.second, ignored);
  }

  const std::string& PathOf(std::size_t interfaceCount) {
    std::string& path = m_paths[interfaceCount];
    if (path.empty()) {
      const std::string name = "comparam-bench-" + std::to_string(interfaceCount) + ".xml";
      path = (std::filesystem::temp_directory_path() / name).string();
      Pelka::SaveEcuDoc(Generated(interfaceCount), path);
    }
    return path;
  }

 private:
  std::map<std::size_t, std::string> m_paths;
};

const std::string& DocumentFile(std::size_t interfaceCount) {
  static ZDocumentFiles files;
  return files.PathOf(interfaceCount);
}

// The conversions work on documents loaded from the file, as the application opens them. The
// writing benchmarks get a copy of their own, so the reading ones always see the file's values.
enum class ZUse { Read, Write };

Pelka::ZEcuDoc& Opened(std::size_t interfaceCount, ZUse use) {
  static std::map<std::pair<std::size_t, ZUse>, std::unique_ptr<Pelka::ZEcuDoc>> documents;
  std::unique_ptr<Pelka::ZEcuDoc>& pDoc = documents[{interfaceCount, use}];
  if (!pDoc) pDoc = Pelka::LoadEcuDoc(DocumentFile(interfaceCount));
  return *pDoc;
}

std::size_t InterfaceCount(const benchmark::State& state) {
  return static_cast<std::size_t>(state.range(0));
}

// The interface the single-interface benchmarks use: in the middle of the document.
std::wstring MiddleInterface(std::size_t interfaceCount) {
  return InterfaceQualifier(interfaceCount / 2);
}

// The ratio report divides the time by this count to get the cost of one interface.
void CountInterfaces(benchmark::State& state, std::size_t interfaces) {
  state.counters[kInterfacesCounter] = static_cast<double>(interfaces);
}

// Another permitted value for every parameter that has one: numbers flip their lowest bit (which
// keeps one-byte values in range), the two-valued enumerations swap.
void EditEveryValue(ZComParamConfiguration& configuration) {
  static const std::map<std::wstring, std::wstring> kOtherText = {{L"Normal", L"Extended"},
                                                                  {L"Extended", L"Normal"},
                                                                  {L"11-Bit", L"29-Bit"},
                                                                  {L"29-Bit", L"11-Bit"}};
  ZComParamCollection& params = configuration.GetComParamCollection();
  for (auto it = params.Begin(); it != params.End(); ++it) {
    if (it->GetValueType() == ZComParam::CPTUnsigned) {
      it->SetValue(it->GetValueAsUnsigned() ^ 1u);
      continue;
    }
    const auto other = kOtherText.find(it->GetValue());
    if (other != kOtherText.end()) it->SetValue(other->second.c_str());
  }
}

// The floor's work for one interface: its document values, by qualifier, in a map.
std::map<std::wstring, std::wstring> CopyValues(Pelka::ZEcuDoc& doc,
                                                const std::wstring& interfaceQualifier) {
  const std::vector<std::size_t>& members =
      doc.InterfaceMemberPositions(interfaceQualifier.c_str());
  Pelka::ZVirtualAttrView& attributes = doc.GetEcu().VirtualAttributes();
  std::map<std::wstring, std::wstring> values;
  for (std::size_t position : members) {
    const Pelka::ZAttribute& attribute = attributes.ItemAt(position);
    values.emplace(attribute.GetQualifier(), attribute.GetValueText());
  }
  return values;
}

std::vector<std::wstring> EveryInterface(std::size_t interfaceCount) {
  std::vector<std::wstring> interfaceQualifiers;
  for (std::size_t index = 0; index < interfaceCount; ++index) {
    interfaceQualifiers.push_back(InterfaceQualifier(index));
  }
  return interfaceQualifiers;
}

void BM_Floor(benchmark::State& state) {
  Pelka::ZEcuDoc& doc = Opened(InterfaceCount(state), ZUse::Read);
  const std::wstring interfaceQualifier = MiddleInterface(InterfaceCount(state));
  for (auto _ : state) {
    std::map<std::wstring, std::wstring> values = CopyValues(doc, interfaceQualifier);
    benchmark::DoNotOptimize(values);
  }
  CountInterfaces(state, 1);
}

// The floor for every interface in turn: what reading a document that does not fit the
// processor caches costs before any normalization.
void BM_FloorEveryInterface(benchmark::State& state) {
  Pelka::ZEcuDoc& doc = Opened(InterfaceCount(state), ZUse::Read);
  const std::vector<std::wstring> interfaceQualifiers = EveryInterface(InterfaceCount(state));
  for (auto _ : state) {
    for (const std::wstring& interfaceQualifier : interfaceQualifiers) {
      std::map<std::wstring, std::wstring> values = CopyValues(doc, interfaceQualifier);
      benchmark::DoNotOptimize(values);
    }
  }
  CountInterfaces(state, interfaceQualifiers.size());
}

void BM_TolvanToNormalized(benchmark::State& state) {
  ZComParamManager manager(Opened(InterfaceCount(state), ZUse::Read));
  const std::wstring interfaceQualifier = MiddleInterface(InterfaceCount(state));
  for (auto _ : state) {
    ZComParamConfiguration configuration = manager.TolvanToNormalized(interfaceQualifier.c_str());
    benchmark::DoNotOptimize(configuration);
  }
  CountInterfaces(state, 1);
}

void BM_TolvanToNormalizedEveryInterface(benchmark::State& state) {
  ZComParamManager manager(Opened(InterfaceCount(state), ZUse::Read));
  const std::vector<std::wstring> interfaceQualifiers = EveryInterface(InterfaceCount(state));
  for (auto _ : state) {
    for (const std::wstring& interfaceQualifier : interfaceQualifiers) {
      ZComParamConfiguration configuration = manager.TolvanToNormalized(interfaceQualifier.c_str());
      benchmark::DoNotOptimize(configuration);
    }
  }
  CountInterfaces(state, interfaceQualifiers.size());
}

void BM_CheckValidity(benchmark::State& state) {
  ZComParamManager manager(Opened(InterfaceCount(state), ZUse::Read));
  ZComParamConfiguration configuration =
      manager.TolvanToNormalized(MiddleInterface(InterfaceCount(state)).c_str());
  for (auto _ : state) {
    ZConfigStateReport report = manager.CheckValidity(configuration);
    benchmark::DoNotOptimize(report);
  }
  CountInterfaces(state, 1);
}

void BM_NormalizedToTolvanUnchanged(benchmark::State& state) {
  ZComParamManager manager(Opened(InterfaceCount(state), ZUse::Write));
  ZComParamConfiguration configuration =
      manager.TolvanToNormalized(MiddleInterface(InterfaceCount(state)).c_str());
  // The first write-back may respell a value (a text attribute takes the preferred alias);
  // from then on the document holds what is written.
  manager.NormalizedToTolvan(configuration);
  for (auto _ : state) manager.NormalizedToTolvan(configuration);
  CountInterfaces(state, 1);
}

void BM_NormalizedToTolvanEdited(benchmark::State& state) {
  ZComParamManager manager(Opened(InterfaceCount(state), ZUse::Write));
  const std::wstring interfaceQualifier = MiddleInterface(InterfaceCount(state));
  ZComParamConfiguration configurations[2] = {
      manager.TolvanToNormalized(interfaceQualifier.c_str()),
      manager.TolvanToNormalized(interfaceQualifier.c_str())};
  EditEveryValue(configurations[1]);
  // Alternating, so every write-back changes every value the document holds.
  std::size_t next = 1;
  for (auto _ : state) {
    manager.NormalizedToTolvan(configurations[next]);
    next ^= 1;
  }
  CountInterfaces(state, 1);
}

void BM_SelfTestSuite(benchmark::State& state) {
  Pelka::ZEcuDoc& doc = Opened(InterfaceCount(state), ZUse::Write);
  for (auto _ : state) {
    NComParamTest::ZTestSuiteComParam suite(doc);
    suite.Run();
    benchmark::DoNotOptimize(suite.GetTestResult().GetTestReportAsString());
  }
  CountInterfaces(state, InterfaceCount(state));
}

void BM_LoadEcuDoc(benchmark::State& state) {
  const std::string& path = DocumentFile(InterfaceCount(state));
  for (auto _ : state) {
    std::unique_ptr<Pelka::ZEcuDoc> pDoc = Pelka::LoadEcuDoc(path);
    benchmark::DoNotOptimize(pDoc);
    // Closing the document is not part of loading it.
    state.PauseTiming();
    pDoc.reset();
    state.ResumeTiming();
  }
  state.SetBytesProcessed(state.iterations() *
                          static_cast<std::int64_t>(std::filesystem::file_size(path)));
  CountInterfaces(state, InterfaceCount(state));
}

void BM_SaveEcuDoc(benchmark::State& state) {
  const std::string path = DocumentFile(InterfaceCount(state)) + ".saved";
  const Pelka::ZEcuDoc& doc = Generated(InterfaceCount(state));
  for (auto _ : state) Pelka::SaveEcuDoc(doc, path);
  state.SetBytesProcessed(state.iterations() *
                          static_cast<std::int64_t>(std::filesystem::file_size(path)));
  std::filesystem::remove(path);
  CountInterfaces(state, InterfaceCount(state));
}

void DocumentSizes(benchmark::internal::Benchmark* pBenchmark) {
  for (std::int64_t interfaces : {1, 10, 100, 1000}) pBenchmark->Arg(interfaces);
  pBenchmark->ArgName(kInterfacesCounter)->Unit(benchmark::kMicrosecond);
}

BENCHMARK(BM_Floor)->Apply(DocumentSizes);
BENCHMARK(BM_FloorEveryInterface)->Apply(DocumentSizes);
BENCHMARK(BM_TolvanToNormalized)->Apply(DocumentSizes);
BENCHMARK(BM_TolvanToNormalizedEveryInterface)->Apply(DocumentSizes);
BENCHMARK(BM_CheckValidity)->Apply(DocumentSizes);
BENCHMARK(BM_NormalizedToTolvanUnchanged)->Apply(DocumentSizes);
BENCHMARK(BM_NormalizedToTolvanEdited)->Apply(DocumentSizes);
BENCHMARK(BM_SelfTestSuite)->Arg(10)->ArgName(kInterfacesCounter)->Unit(benchmark::kMillisecond);
// Throughput from the wall clock: reading and writing files is also the kernel's work.
BENCHMARK(BM_LoadEcuDoc)->Apply(DocumentSizes)->UseRealTime();
BENCHMARK(BM_SaveEcuDoc)->Apply(DocumentSizes)->UseRealTime();

// The console output, followed by every benchmark's cost per interface as a multiple of the
// floor of the same document size, and the throughput of those that count bytes.
class ZFloorRatioReporter : public benchmark::ConsoleReporter {
 public:
  // Plain text: the table is meant to be pasted into bench/README.md.
  ZFloorRatioReporter() : ConsoleReporter(OO_Tabular) {}

  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.error_occurred || run.run_type != Run::RT_Iteration) continue;
      const auto interfaces = run.counters.find(kInterfacesCounter);
      if (interfaces == run.counters.end()) continue;
      const auto bytes = run.counters.find("bytes_per_second");
      Record({run.run_name.function_name, run.run_name.args,
              NanosecondsPerInterface(run, interfaces->second.value),
              bytes == run.counters.end() ? 0.0 : bytes->second.value / 1e6});
    }
  }

  void Finalize() override {
    ConsoleReporter::Finalize();
    std::ostream& out = GetOutputStream();
    out << "\nPer interface, fastest repetition; x: multiple of BM_Floor of the same size\n";
    for (const ZRow& row : m_rows) {
      out << std::left << std::setw(56) << (row.function + "/" + row.args) << std::right
          << std::fixed << std::setprecision(0) << std::setw(12) << row.nsPerInterface << " ns";
      const double floor = FloorOf(row.args);
      if (floor > 0)
        out << std::setprecision(1) << std::setw(9) << row.nsPerInterface / floor << 'x';
      if (row.megabytesPerSecond > 0) {
        out << std::setprecision(0) << std::setw(8) << row.megabytesPerSecond << " MB/s";
      }
      out << '\n';
    }
  }

 private:
  struct ZRow {
    std::string function;
    std::string args;
    double nsPerInterface;
    double megabytesPerSecond;
  };

  // With repetitions the fastest run counts: on a shared machine the others were interrupted.
  void Record(const ZRow& run) {
    for (ZRow& row : m_rows) {
      if (row.function == run.function && row.args == run.args) {
        if (run.nsPerInterface < row.nsPerInterface) row = run;
        return;
      }
    }
    m_rows.push_back(run);
  }

  static double NanosecondsPerInterface(const Run& run, double interfaces) {
    const double nanoseconds =
        run.GetAdjustedRealTime() * 1e9 / benchmark::GetTimeUnitMultiplier(run.time_unit);
    return interfaces > 0 ? nanoseconds / interfaces : nanoseconds;
  }

  double FloorOf(const std::string& args) const {
    for (const ZRow& row : m_rows) {
      if (row.function == "BM_Floor" && row.args == args) return row.nsPerInterface;
    }
    return 0;
  }

  std::vector<ZRow> m_rows;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  // As in the application: logging is on, so every warning line is composed; the sink drops it.
  Logging::Initialize([](const char*, unsigned long, unsigned long, int, const wchar_t*) {});
  ZFloorRatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
