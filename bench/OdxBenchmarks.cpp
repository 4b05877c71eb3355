// ODX: loading a generated database of 1, 100 and 1000 ECU variants with the real somersault
// subsets (MB/s of ODX XML), and reading every interface of it as `comparam show` does (cost
// per interface). The reporter of ComParamBenchmarks.cpp prints both.
#include "OdxBenchDocument.h"

#include <comparam/ComParamMan.h>
#include <pelka/EcuDocFile.h>

#include <benchmark/benchmark.h>

#include <cstddef>
#include <cstdint>
#include <cwchar>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

namespace {

namespace fs = std::filesystem;

// The generated databases, a folder of the temporary folder per size, removed at the end.
class ZOdxDatabases {
 public:
  struct ZDatabase {
    std::string path;  // its .odx-d
    std::uintmax_t bytes = 0;
    std::unique_ptr<Pelka::ZEcuDoc> pDoc;  // loaded once, for the reading benchmarks
  };

  ZOdxDatabases() = default;
  ZOdxDatabases(const ZOdxDatabases&) = delete;
  ZOdxDatabases& operator=(const ZOdxDatabases&) = delete;
  ~ZOdxDatabases() {
    std::error_code ignored;
    for (const fs::path& folder : m_folders) fs::remove_all(folder, ignored);
  }

  ZDatabase& Of(std::size_t variantCount) {
    ZDatabase& database = m_databases[variantCount];
    if (database.path.empty()) {
      const fs::path folder =
          fs::temp_directory_path() / ("comparam-bench-odx-" + std::to_string(variantCount));
      m_folders.push_back(folder);
      database.bytes = NComParamBench::WriteOdxDatabase(
          variantCount, NComParamBench::SomersaultFolder(), folder.u8string());
      database.path = (folder / "bench.odx-d").u8string();
    }
    return database;
  }

 private:
  std::map<std::size_t, ZDatabase> m_databases;
  std::vector<fs::path> m_folders;
};

ZOdxDatabases::ZDatabase* Database(benchmark::State& state) {
  static ZOdxDatabases databases;
  if (!fs::is_directory(fs::u8path(NComParamBench::SomersaultFolder()))) {
    state.SkipWithError("no somersault data beside the project");
    return nullptr;
  }
  return &databases.Of(static_cast<std::size_t>(state.range(0)));
}

std::vector<std::wstring> InterfacesOf(const Pelka::ZEcuDoc& doc) {
  std::vector<std::wstring> interfaces;
  for (std::size_t position = 0; position < doc.AttributeCount(); ++position) {
    const Pelka::ZDefaultAttr& attribute = doc.AttributeAt(position);
    if (std::wcscmp(attribute.GetCategory().GetQualifier(), Pelka::ZEcuDoc::interfaceCategory) ==
        0) {
      interfaces.push_back(attribute.GetQualifier());
    }
  }
  return interfaces;
}

void BM_LoadOdx(benchmark::State& state) {
  ZOdxDatabases::ZDatabase* pDatabase = Database(state);
  if (pDatabase == nullptr) return;
  std::size_t interfaces = 0;
  for (auto _ : state) {
    std::unique_ptr<Pelka::ZEcuDoc> pDoc = Pelka::LoadEcuDoc(pDatabase->path);
    benchmark::DoNotOptimize(pDoc);
    state.PauseTiming();
    interfaces = InterfacesOf(*pDoc).size();
    pDoc.reset();  // closing the document is not part of loading it
    state.ResumeTiming();
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(pDatabase->bytes));
  state.counters["interfaces"] = static_cast<double>(interfaces);
}

// What `comparam show` asks of the library for every interface.
void BM_TolvanToNormalizedOdxEveryInterface(benchmark::State& state) {
  ZOdxDatabases::ZDatabase* pDatabase = Database(state);
  if (pDatabase == nullptr) return;
  if (!pDatabase->pDoc) pDatabase->pDoc = Pelka::LoadEcuDoc(pDatabase->path);
  NComParamMan::ZComParamManager manager(*pDatabase->pDoc);
  const std::vector<std::wstring> interfaces = InterfacesOf(*pDatabase->pDoc);
  for (auto _ : state) {
    for (const std::wstring& interfaceQualifier : interfaces) {
      NComParamMan::ZComParamConfiguration configuration =
          manager.TolvanToNormalized(interfaceQualifier.c_str());
      benchmark::DoNotOptimize(configuration);
    }
  }
  state.counters["interfaces"] = static_cast<double>(interfaces.size());
}

void VariantCounts(benchmark::internal::Benchmark* pBenchmark) {
  for (std::int64_t variants : {1, 100, 1000}) pBenchmark->Arg(variants);
  pBenchmark->ArgName("variants")->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_LoadOdx)->Apply(VariantCounts)->UseRealTime();
BENCHMARK(BM_TolvanToNormalizedOdxEveryInterface)->Apply(VariantCounts);

}  // namespace
