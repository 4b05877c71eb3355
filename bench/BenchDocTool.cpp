// comparam_benchdoc write N FILE: saves a generated document with N interfaces.
// comparam_benchdoc write-odx N FOLDER: writes a generated ODX database with N ECU variants.
// comparam_benchdoc read FILE: loads a document and reads every interface, as an application
// showing all parameters does; run it under /usr/bin/time -v for the peak memory.
// comparam_benchdoc load FILE: only loads it, for the share of loading in that peak.
#include "BenchDocument.h"
#include "OdxBenchDocument.h"

#include <comparam/ComParamMan.h>
#include <pelka/EcuDocFile.h>

#include <cstdlib>
#include <exception>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

namespace {

int Usage() {
  std::cerr << "usage: comparam_benchdoc write N FILE\n"
               "       comparam_benchdoc write-odx N FOLDER\n"
               "       comparam_benchdoc read FILE\n"
               "       comparam_benchdoc load FILE\n";
  return 2;
}

int Write(const char* count, const std::string& path) {
  const std::size_t interfaceCount = std::strtoul(count, nullptr, 10);
  Pelka::SaveEcuDoc(*NComParamBench::GenerateDocument(interfaceCount), path);
  std::cout << "wrote " << interfaceCount << " interfaces to " << path << '\n';
  return 0;
}

int WriteOdx(const char* count, const std::string& folder) {
  const std::size_t variantCount = std::strtoul(count, nullptr, 10);
  const std::uintmax_t bytes =
      NComParamBench::WriteOdxDatabase(variantCount, NComParamBench::SomersaultFolder(), folder);
  std::cout << "wrote " << variantCount << " ECU variants, " << bytes << " bytes of ODX, to "
            << folder << "/bench.odx-d\n";
  return 0;
}

int Load(const std::string& path) {
  std::unique_ptr<Pelka::ZEcuDoc> pDoc = Pelka::LoadEcuDoc(path);
  std::cout << "loaded " << pDoc->AttributeCount() << " attributes\n";
  return 0;
}

int Read(const std::string& path) {
  std::unique_ptr<Pelka::ZEcuDoc> pDoc = Pelka::LoadEcuDoc(path);
  NComParamMan::ZComParamManager manager(*pDoc);
  // Kept, as an application showing them all keeps them.
  std::vector<NComParamMan::ZComParamConfiguration> configurations;
  std::size_t parameters = 0;
  const std::vector<std::wstring> interfaces = pDoc->InterfaceQualifiers();
  for (const std::wstring& interfaceQualifier : interfaces) {
    configurations.push_back(manager.TolvanToNormalized(interfaceQualifier.c_str()));
    parameters += configurations.back().GetComParamCollection().Count();
  }
  std::cout << "read " << interfaces.size() << " interfaces, " << parameters
            << " normalized parameters\n";
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 3 && args[0] == "write") return Write(args[1].c_str(), args[2]);
    if (args.size() == 3 && args[0] == "write-odx") return WriteOdx(args[1].c_str(), args[2]);
    if (args.size() == 2 && args[0] == "read") return Read(args[1]);
    if (args.size() == 2 && args[0] == "load") return Load(args[1]);
    return Usage();
  } catch (const std::exception& error) {
    std::cerr << "comparam_benchdoc: " << error.what() << '\n';
    return 1;
  }
}
