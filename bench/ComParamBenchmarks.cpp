// What the application feels: reading every interface of a large document, checking and writing
// back a configuration, the self-test suite, loading and saving. Each figure is also given as a
// ratio to a floor timed in the same loop: copying one interface's 40 document values into a
// std::map<std::wstring, std::wstring>, reading the one-interface document, or pugixml's parse.
#include "AllocationCount.h"
#include "BenchDocument.h"

#include <comparam/ComParamMan.h>
#include <comparam/ComParamTest.h>
#include <logging/Logging.h>
#include <pelka/EcuDocFile.h>

#include <benchmark/benchmark.h>

#include <pugixml.hpp>

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <iomanip>
#include <iostream>
#include <limits>
#include <map>
#include <memory>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

namespace {

using namespace NComParamMan;
using NComParamBench::AllocationCount;
using NComParamBench::GenerateDocument;
using NComParamBench::InterfaceQualifier;

constexpr const char* kInterfacesCounter = "interfaces";
constexpr const char* kFloorCounter = "x_floor";
constexpr const char* kFloorSecondsCounter = "floor_s";
constexpr const char* kAllocationsCounter = "allocs";
// The document far larger than the processor caches.
constexpr std::int64_t kLargeDocument = 5000;

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

// Calls of a one-interface operation per batch: long enough for the clock, short enough to fit
// between two interruptions of a shared machine.
constexpr std::size_t kCallsPerBatch = 20;

// A batch of calls to an operation; what the last call made is destroyed after the clock stops.
template <class TCall>
auto Batch(std::size_t calls, TCall call) {
  return [calls, call]() mutable {
    auto result = call();
    for (std::size_t done = 1; done < calls; ++done) result = call();
    return result;
  };
}

template <class TBatch>
double BatchSeconds(TBatch& batch) {
  const auto start = std::chrono::steady_clock::now();
  auto result = batch();
  const auto stop = std::chrono::steady_clock::now();
  benchmark::DoNotOptimize(result);
  return std::chrono::duration<double>(stop - start).count();
}

// Batches of the floor and of the subject alternate in one loop, on the same data: whatever
// the machine does meanwhile reaches both alike. Each side's fastest batch is its cost (the
// slower ones were interrupted); the benchmark's time is the subject's, its counters the ratio
// to the floor and the subject's allocations per interface.
template <class TFloorBatch, class TSubjectBatch>
void AgainstFloor(benchmark::State& state, std::size_t interfacesPerBatch, TFloorBatch floor,
                  TSubjectBatch subject) {
  double fastestFloor = std::numeric_limits<double>::infinity();
  double fastestSubject = fastestFloor;
  std::uint64_t allocations = 0;
  for (auto _ : state) {
    fastestFloor = std::min(fastestFloor, BatchSeconds(floor));
    const std::uint64_t before = AllocationCount();
    const double seconds = BatchSeconds(subject);
    allocations += AllocationCount() - before;
    fastestSubject = std::min(fastestSubject, seconds);
    state.SetIterationTime(seconds);
  }
  const double interfaces = static_cast<double>(interfacesPerBatch);
  state.counters[kInterfacesCounter] = interfaces;
  state.counters[kFloorCounter] = fastestSubject / fastestFloor;
  state.counters[kFloorSecondsCounter] = fastestFloor / interfaces;
  state.counters[kAllocationsCounter] =
      static_cast<double>(allocations) / (static_cast<double>(state.iterations()) * interfaces);
}

// The floor of the one-interface benchmarks, on the interface they use.
auto FloorBatch(Pelka::ZEcuDoc& doc, const std::wstring& interfaceQualifier) {
  return Batch(kCallsPerBatch,
               [&doc, interfaceQualifier] { return CopyValues(doc, interfaceQualifier); });
}

void BM_TolvanToNormalized(benchmark::State& state) {
  Pelka::ZEcuDoc& doc = Opened(InterfaceCount(state), ZUse::Read);
  ZComParamManager manager(doc);
  const std::wstring interfaceQualifier = MiddleInterface(InterfaceCount(state));
  AgainstFloor(state, kCallsPerBatch, FloorBatch(doc, interfaceQualifier),
               Batch(kCallsPerBatch,
                     [&] { return manager.TolvanToNormalized(interfaceQualifier.c_str()); }));
}

// Every interface of the document in turn against as many of the same readings in the
// one-interface document: the ratio is what a reading costs more in a document larger than the
// processor caches. readerOf(doc) gives the reading of one interface there, returning a count.
template <class TReaderOf>
void EveryInterfaceAgainstOne(benchmark::State& state, TReaderOf readerOf) {
  const std::size_t interfaceCount = InterfaceCount(state);
  const std::size_t walks = std::max<std::size_t>(1, kCallsPerBatch / interfaceCount);
  const auto readSmall = readerOf(Opened(1, ZUse::Read));
  const std::wstring smallInterface = MiddleInterface(1);
  const auto read = readerOf(Opened(interfaceCount, ZUse::Read));
  const std::vector<std::wstring> interfaceQualifiers = EveryInterface(interfaceCount);
  AgainstFloor(state, walks * interfaceCount,
               Batch(walks * interfaceCount, [&] { return readSmall(smallInterface); }),
               Batch(walks, [&] {
                 std::size_t total = 0;
                 for (const std::wstring& interfaceQualifier : interfaceQualifiers) {
                   total += read(interfaceQualifier);
                 }
                 return total;
               }));
}

// One manager per document.
void BM_TolvanToNormalizedEveryInterface(benchmark::State& state) {
  EveryInterfaceAgainstOne(state, [](Pelka::ZEcuDoc& doc) {
    return [pManager = std::make_unique<ZComParamManager>(doc)](const std::wstring& qualifier) {
      return pManager->TolvanToNormalized(qualifier.c_str()).GetComParamCollection().Count();
    };
  });
}

// The floor's own work: what merely visiting each interface's attributes costs more.
void BM_CopyValuesEveryInterface(benchmark::State& state) {
  EveryInterfaceAgainstOne(state, [](Pelka::ZEcuDoc& doc) {
    return [&doc](const std::wstring& qualifier) { return CopyValues(doc, qualifier).size(); };
  });
}

// The deep copy that every read returns while the manager keeps its own configuration: the
// part of a read that no faster normalizing can remove.
void BM_ConfigurationCopy(benchmark::State& state) {
  Pelka::ZEcuDoc& doc = Opened(InterfaceCount(state), ZUse::Read);
  ZComParamManager manager(doc);
  const std::wstring interfaceQualifier = MiddleInterface(InterfaceCount(state));
  const ZComParamConfiguration configuration =
      manager.TolvanToNormalized(interfaceQualifier.c_str());
  AgainstFloor(state, kCallsPerBatch, FloorBatch(doc, interfaceQualifier),
               Batch(kCallsPerBatch, [&] { return ZComParamConfiguration(configuration); }));
}

void BM_CheckValidity(benchmark::State& state) {
  Pelka::ZEcuDoc& doc = Opened(InterfaceCount(state), ZUse::Read);
  ZComParamManager manager(doc);
  const std::wstring interfaceQualifier = MiddleInterface(InterfaceCount(state));
  ZComParamConfiguration configuration = manager.TolvanToNormalized(interfaceQualifier.c_str());
  AgainstFloor(state, kCallsPerBatch, FloorBatch(doc, interfaceQualifier),
               Batch(kCallsPerBatch, [&] { return manager.CheckValidity(configuration); }));
}

void BM_NormalizedToTolvanUnchanged(benchmark::State& state) {
  Pelka::ZEcuDoc& doc = Opened(InterfaceCount(state), ZUse::Write);
  ZComParamManager manager(doc);
  const std::wstring interfaceQualifier = MiddleInterface(InterfaceCount(state));
  ZComParamConfiguration configuration = manager.TolvanToNormalized(interfaceQualifier.c_str());
  // The first write-back may respell a value (a text attribute takes the preferred alias);
  // from then on the document holds what is written.
  manager.NormalizedToTolvan(configuration);
  AgainstFloor(state, kCallsPerBatch, FloorBatch(doc, interfaceQualifier),
               Batch(kCallsPerBatch, [&] {
                 manager.NormalizedToTolvan(configuration);
                 return 0;
               }));
}

void BM_NormalizedToTolvanEdited(benchmark::State& state) {
  Pelka::ZEcuDoc& doc = Opened(InterfaceCount(state), ZUse::Write);
  ZComParamManager manager(doc);
  const std::wstring interfaceQualifier = MiddleInterface(InterfaceCount(state));
  ZComParamConfiguration configurations[2] = {
      manager.TolvanToNormalized(interfaceQualifier.c_str()),
      manager.TolvanToNormalized(interfaceQualifier.c_str())};
  EditEveryValue(configurations[1]);
  // Alternating, so every write-back changes every value the document holds.
  std::size_t next = 1;
  AgainstFloor(state, kCallsPerBatch, FloorBatch(doc, interfaceQualifier),
               Batch(kCallsPerBatch, [&] {
                 manager.NormalizedToTolvan(configurations[next]);
                 next ^= 1;
                 return 0;
               }));
}

void BM_SelfTestSuite(benchmark::State& state) {
  Pelka::ZEcuDoc& doc = Opened(InterfaceCount(state), ZUse::Write);
  AgainstFloor(state, InterfaceCount(state),
               FloorBatch(doc, MiddleInterface(InterfaceCount(state))), Batch(1, [&] {
                 NComParamTest::ZTestSuiteComParam suite(doc);
                 suite.Run();
                 return suite.GetTestResult().GetTestReportAsString();
               }));
}

// The loading benchmarks' floor: pugixml's own parse of the file, the tree kept.
std::unique_ptr<pugi::xml_document> ParsedXml(benchmark::State& state, const std::string& path) {
  auto pXml = std::make_unique<pugi::xml_document>();
  if (!pXml->load_file(path.c_str())) state.SkipWithError("pugixml refused");
  return pXml;
}

// Loading against pugixml's own parse of the same file, both from the file and with the
// document kept until the clock has stopped: closing it is not part of loading.
void BM_LoadEcuDoc(benchmark::State& state) {
  const std::string& path = DocumentFile(InterfaceCount(state));
  const std::size_t calls = std::max<std::size_t>(1, kCallsPerBatch / InterfaceCount(state));
  AgainstFloor(state, calls * InterfaceCount(state),
               Batch(calls, [&] { return ParsedXml(state, path); }),
               Batch(calls, [&] { return Pelka::LoadEcuDoc(path); }));
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(calls) *
                          static_cast<std::int64_t>(std::filesystem::file_size(path)));
}

// Building the same document through the model's interface, with nothing to parse (the
// generator also composes its texts): what a loader spends beyond parsing, whatever its parser.
void BM_BuildEcuDoc(benchmark::State& state) {
  const std::string& path = DocumentFile(InterfaceCount(state));
  const std::size_t calls = std::max<std::size_t>(1, kCallsPerBatch / InterfaceCount(state));
  AgainstFloor(state, calls * InterfaceCount(state),
               Batch(calls, [&] { return ParsedXml(state, path); }),
               Batch(calls, [&] { return GenerateDocument(InterfaceCount(state)); }));
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

// The floor and the subject keep their own clocks.
void Interleaved(benchmark::internal::Benchmark* pBenchmark) {
  DocumentSizes(pBenchmark);
  pBenchmark->UseManualTime();
}

BENCHMARK(BM_TolvanToNormalized)->Apply(Interleaved);
// Up to a document far larger than the processor caches.
BENCHMARK(BM_TolvanToNormalizedEveryInterface)->Apply(Interleaved)->Arg(kLargeDocument);
BENCHMARK(BM_CopyValuesEveryInterface)->Apply(Interleaved)->Arg(kLargeDocument);
BENCHMARK(BM_ConfigurationCopy)->Apply(Interleaved);
BENCHMARK(BM_CheckValidity)->Apply(Interleaved);
BENCHMARK(BM_NormalizedToTolvanUnchanged)->Apply(Interleaved);
BENCHMARK(BM_NormalizedToTolvanEdited)->Apply(Interleaved);
BENCHMARK(BM_SelfTestSuite)
    ->Arg(10)
    ->ArgName(kInterfacesCounter)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime();
BENCHMARK(BM_LoadEcuDoc)->Apply(Interleaved);
BENCHMARK(BM_BuildEcuDoc)->Apply(Interleaved);
// Throughput from the wall clock: writing files is also the kernel's work.
BENCHMARK(BM_SaveEcuDoc)->Apply(DocumentSizes)->UseRealTime();

// The console output, followed by every benchmark's cost per interface (the fastest
// repetition), its ratio to its floor (the smallest of the repetitions), its allocations per
// interface and, for those that count bytes, the throughput.
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
      Record({run.run_name.function_name, run.run_name.args,
              NanosecondsPerInterface(run, interfaces->second.value), CounterOf(run, kFloorCounter),
              CounterOf(run, kAllocationsCounter), CounterOf(run, "bytes_per_second") / 1e6});
    }
  }

  void Finalize() override {
    ConsoleReporter::Finalize();
    std::ostream& out = GetOutputStream();
    out << "\nPer interface: time (fastest repetition), x floor of the same run (smallest of the"
           " repetitions), allocations\n";
    for (const ZRow& row : m_rows) {
      out << std::left << std::setw(56) << (row.function + "/" + row.args) << std::right
          << std::fixed << std::setprecision(0) << std::setw(12) << row.nsPerInterface << " ns";
      if (row.floorRatio > 0) {
        out << std::setprecision(2) << std::setw(9) << row.floorRatio << 'x' << std::setprecision(0)
            << std::setw(9) << row.allocations << " allocs";
      }
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
    double floorRatio;
    double allocations;
    double megabytesPerSecond;
  };

  static double CounterOf(const Run& run, const char* name) {
    const auto counter = run.counters.find(name);
    return counter == run.counters.end() ? 0.0 : counter->second.value;
  }

  // With repetitions the fastest time and the smallest ratio count: on a shared machine the
  // others were interrupted.
  void Record(const ZRow& run) {
    for (ZRow& row : m_rows) {
      if (row.function == run.function && row.args == run.args) {
        row.nsPerInterface = std::min(row.nsPerInterface, run.nsPerInterface);
        row.floorRatio = std::min(row.floorRatio, run.floorRatio);
        row.allocations = std::min(row.allocations, run.allocations);
        row.megabytesPerSecond = std::max(row.megabytesPerSecond, run.megabytesPerSecond);
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
