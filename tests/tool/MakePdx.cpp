// comparam_make_pdx OUT FILE...: packs the files, by their names, into the PDX container OUT
// with a catalogue index.xml first, as ODX tools write one. The tool tests' PDX maker.
#include "ZipTestArchive.h"

#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

int main(int argc, char** argv) {
  if (argc < 3) {
    std::cerr << "usage: comparam_make_pdx OUT FILE...\n";
    return 2;
  }
  try {
    std::vector<ZipTest::ZMember> members{
        {"index.xml", "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<CATALOG/>\n"}};
    for (int i = 2; i < argc; ++i) {
      std::ifstream in(std::filesystem::u8path(argv[i]), std::ios::binary);
      if (!in) throw std::runtime_error(std::string("cannot read ") + argv[i]);
      members.push_back({std::filesystem::u8path(argv[i]).filename().u8string(),
                         std::string(std::istreambuf_iterator<char>(in), {})});
    }
    std::ofstream(std::filesystem::u8path(argv[1]), std::ios::binary)
        << ZipTest::MakeArchive(members);
    return 0;
  } catch (const std::exception& error) {
    std::cerr << "comparam_make_pdx: " << error.what() << "\n";
    return 1;
  }
}
