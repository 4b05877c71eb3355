// Unit tests for tools/comparam/Tool.cpp: the tool as a function of its arguments.
#include "Tool.h"

#include "ScratchFolder.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

struct ZRun {
  int status;
  std::string out;
  std::string err;
};

ZRun RunTool(const std::vector<std::string>& arguments) {
  std::ostringstream out;
  std::ostringstream err;
  const int status = NComParamTool::RunTool(arguments, out, err);
  return {status, out.str(), err.str()};
}

}  // namespace

// An empty DOC is a usage error before anything is read: no note of the built-in sample.
TEST(Tool, AnEmptyDocumentIsRefusedBeforeAnythingIsRead) {
  ScratchFolder folder;
  const std::string out = folder.File("out.xml");
  const struct {
    std::vector<std::string> arguments;
    const char* message;
  } cases[] = {
      {{"set", "", "CAN_1", "P2Client=1", "--in-place"},
       "set: DOC is empty: name the document file"},
      {{"set", "", "CAN_1", "P2Client=1", "-o", out}, "set: DOC is empty: name the document file"},
      {{"show", "", "CAN_1"}, "show: DOC is empty (leave it out for the built-in sample)"},
      {{"check", ""}, "check: DOC is empty (leave it out for the built-in sample)"},
      {{"interfaces", ""}, "interfaces: DOC is empty (leave it out for the built-in sample)"},
      {{"selftest", ""}, "selftest: DOC is empty (leave it out for the built-in sample)"},
  };
  for (const auto& c : cases) {
    const ZRun run = RunTool(c.arguments);
    EXPECT_EQ(run.status, 2) << c.message;
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, std::string("comparam: ") + c.message + "\n");
  }
  EXPECT_FALSE(std::filesystem::exists(std::filesystem::u8path(out)));
}

TEST(Tool, SetInPlaceReplacesTheFileItRead) {
  ScratchFolder folder;
  const std::string doc = folder.CopyOfSample("uds-on-can.xml");
  const ZRun run = RunTool({"set", doc, "CAN_1", "P2Client=200", "--in-place"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "CAN_1 P2Client: 150 -> 200\n");
  EXPECT_NE(ReadFile(doc).find("override=\"200\""), std::string::npos);
}
