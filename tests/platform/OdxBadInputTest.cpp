// Unit tests for platform/pelka/Odx*.cpp: every kind of bad ODX input gets a named error with
// the file and line at fault. Each case changes one spot of the three-layer fixture.
#include "OdxTestFiles.h"

#include <pelka/Pelka.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace Pelka;
using namespace OdxTestFiles;

namespace {

const std::vector<std::string> kFiles = {"cars.odx-d", "uds-stack.odx-c", "application.odx-cs",
                                         "transport.odx-cs", "bus.odx-cs"};

struct ZBadCase {
  const char* name;
  std::size_t file;  // in kFiles
  std::string from;  // its first occurrence is replaced; empty: the whole file
  std::string to;
  const char* error;
};

const ZBadCase kCases[] = {
    // what every XML document is refused for
    {"broken XML", 0, "</PROTOCOL>", "</PROTOCOLL>",
     "cars.odx-d:24: XML error: Start-end tags mismatch"},
    {"a DOCTYPE", 2, "<ODX", "<!DOCTYPE ODX>\n<ODX",
     "application.odx-cs:3: DOCTYPE is not allowed"},
    {"a NUL byte", 3, "<COMPARAMS>", std::string("<COMPARAMS>\0", 12),
     "transport.odx-cs:6: NUL character"},
    // the structure
    {"another root", 4, "", "<?xml version=\"1.0\"?>\n<ecudoc/>\n",
     "bus.odx-cs:2: unknown element <ecudoc>: an ODX file has the root <ODX>"},
    {"an unknown document", 4, "", "<ODX>\n  <COMPARAM-SUBSETS ID=\"X\"/>\n</ODX>\n",
     "bus.odx-cs:2: unknown element <COMPARAM-SUBSETS> in <ODX>"},
    {"no document", 4, "", "<ODX/>", "bus.odx-cs:1: <ODX> holds no ODX document"},
    {"two documents in one file", 4, "</ODX>",
     "<COMPARAM-SPEC ID=\"X\"><SHORT-NAME>x</SHORT-NAME></COMPARAM-SPEC></ODX>",
     "bus.odx-cs:22: a second ODX document in <ODX>"},
    {"a layer without SHORT-NAME", 0, "<SHORT-NAME>body</SHORT-NAME>", "",
     "cars.odx-d:27: missing <SHORT-NAME> in <FUNCTIONAL-GROUP>"},
    {"a SHORT-NAME that is no identifier", 0, "<SHORT-NAME>body</SHORT-NAME>",
     "<SHORT-NAME>body.front</SHORT-NAME>",
     "cars.odx-d:28: SHORT-NAME \"body.front\" is not an ODX identifier (letters, digits and _)"},
    {"a layer without ID", 0, "<FUNCTIONAL-GROUP ID=\"FG.body\">", "<FUNCTIONAL-GROUP>",
     "cars.odx-d:27: missing XML attribute \"ID\" on <FUNCTIONAL-GROUP>"},
    {"two elements of one ID", 0, "ID=\"FG.body\"", "ID=\"P.uds\"",
     "cars.odx-d:27: duplicate ID \"P.uds\" (first at line 8)"},
    {"two layers with one SHORT-NAME", 0, "<SHORT-NAME>door_right</SHORT-NAME>",
     "<SHORT-NAME>door_left</SHORT-NAME>",
     "cars.odx-d:90: two diagnostic layers are named \"door_left\" (the first at cars.odx-d:60)"},
    // references
    {"a link without ID-REF", 0, "<PARENT-REF ID-REF=\"FG.body\"/>", "<PARENT-REF/>",
     "cars.odx-d:55: missing XML attribute \"ID-REF\" on <PARENT-REF>"},
    {"a PARENT-REF that names nothing", 0, "<PARENT-REF ID-REF=\"FG.body\"/>",
     "<PARENT-REF ID-REF=\"FG.bodi\"/>",
     "cars.odx-d:55: ID-REF \"FG.bodi\" names nothing in <DIAG-LAYER-CONTAINER> \"cars\""},
    {"a COMPARAM-REF that names nothing", 0, "ID-REF=\"T2.BlockSize\"", "ID-REF=\"T2.BlockSise\"",
     "cars.odx-d:30: ID-REF \"T2.BlockSise\" names nothing in <COMPARAM-SUBSET> \"ISO_15765_2\""},
    {"a COMPARAM-REF that names a data object", 0, "ID-REF=\"T2.BlockSize\"",
     "ID-REF=\"T2.DOP_UINT32\"",
     "cars.odx-d:30: ID-REF \"T2.DOP_UINT32\" names a <DATA-OBJECT-PROP>, not a <COMPARAM> or "
     "<COMPLEX-COMPARAM>"},
    {"a DATA-OBJECT-PROP-REF that names nothing", 4,
     "<DATA-OBJECT-PROP-REF ID-REF=\"C.DOP_UINT32\"/>", "<DATA-OBJECT-PROP-REF ID-REF=\"C.DOP\"/>",
     "bus.odx-cs:10: ID-REF \"C.DOP\" names nothing in <COMPARAM-SUBSET> \"ISO_11898_2_DWCAN\""},
    {"a DOCREF two documents answer", 3, "<SHORT-NAME>ISO_15765_2</SHORT-NAME>",
     "<SHORT-NAME>ISO_15765_3</SHORT-NAME>",
     "cars.odx-d:14: DOCREF \"ISO_15765_3\" names 2 ODX documents, in application.odx-cs and "
     "transport.odx-cs"},
    {"a cyclic PARENT-REF chain", 0, "<PARENT-REF ID-REF=\"P.uds\"/>",
     "<PARENT-REF ID-REF=\"P.uds\"/><PARENT-REF ID-REF=\"EV.door_left\"/>",
     "cars.odx-d:55: cyclic PARENT-REF chain: body -> door_left -> door -> body"},
    {"a PROT-STACK-SNREF that names no stack", 0, "<COMPARAM-SPEC-REF",
     "<PROT-STACK-SNREF SHORT-NAME=\"PS_UDS_on_LIN\"/><COMPARAM-SPEC-REF",
     "cars.odx-d:23: PROT-STACK-SNREF \"PS_UDS_on_LIN\" names no <PROT-STACK> of COMPARAM-SPEC "
     "\"uds_spec\""},
    // values
    {"a number that is none", 0, "<SIMPLE-VALUE>8</SIMPLE-VALUE>",
     "<SIMPLE-VALUE>0x10</SIMPLE-VALUE>",
     "cars.odx-d:31: \"0x10\" is not a 32-bit unsigned number (CP_BlockSize)"},
    {"a number too big", 4, ">500000<", ">4294967296<",
     "bus.odx-cs:9: \"4294967296\" is not a 32-bit unsigned number (CP_Baudrate)"},
    {"a signed number out of range", 0, "<SIMPLE-VALUE>-5</SIMPLE-VALUE>",
     "<SIMPLE-VALUE>-2147483649</SIMPLE-VALUE>",
     "cars.odx-d:77: \"-2147483649\" is not a 32-bit signed number (CP_TimeOffset)"},
    {"a float that is none", 2, ">1.5<", ">1,5<",
     "application.odx-cs:41: \"1,5\" is not a floating-point number (CP_TimeFactor)"},
    {"an element in a value", 0, "<SIMPLE-VALUE>8</SIMPLE-VALUE>",
     "<SIMPLE-VALUE>8<b/></SIMPLE-VALUE>",
     "cars.odx-d:31: unexpected element <b> in <SIMPLE-VALUE>"},
    {"an unknown element in a COMPARAM-REF", 0, "<SIMPLE-VALUE>8</SIMPLE-VALUE>",
     "<SIMPLE-VALUE>8</SIMPLE-VALUE><VALU/>",
     "cars.odx-d:31: unknown element <VALU> in <COMPARAM-REF>"},
    {"a complex value for a simple comparam", 0, "<SIMPLE-VALUE>8</SIMPLE-VALUE>",
     "<COMPLEX-VALUE/>",
     "cars.odx-d:31: the <COMPARAM-REF> of comparam \"CP_BlockSize\" needs a <SIMPLE-VALUE>"},
    {"a simple value for a complex comparam", 0, "ID-REF=\"T2.BlockSize\"",
     "ID-REF=\"T2.UniqueRespIdTable\"",
     "cars.odx-d:31: the <COMPARAM-REF> of complex comparam \"CP_UniqueRespIdTable\" needs a "
     "<COMPLEX-VALUE>"},
    {"too few members in a complex value", 0, "<SIMPLE-VALUE>241</SIMPLE-VALUE>", "",
     "cars.odx-d:44: <COMPLEX-VALUE> holds 4 values; complex comparam \"CP_UniqueRespIdTable\" has "
     "5 "
     "members"},
    {"a complex member of a simple value", 0, "<SIMPLE-VALUE>241</SIMPLE-VALUE>",
     "<COMPLEX-VALUE/>",
     "cars.odx-d:49: member 5 of complex comparam \"CP_UniqueRespIdTable\" needs a <SIMPLE-VALUE>"},
    // data objects
    {"an unknown BASE-DATA-TYPE", 4, "<PHYSICAL-TYPE BASE-DATA-TYPE=\"A_UINT32\"/>",
     "<PHYSICAL-TYPE BASE-DATA-TYPE=\"A_UINT64\"/>",
     "bus.odx-cs:18: unknown BASE-DATA-TYPE \"A_UINT64\""},
    {"a data object without PHYSICAL-TYPE", 4, "<PHYSICAL-TYPE BASE-DATA-TYPE=\"A_UINT32\"/>", "",
     "bus.odx-cs:14: missing <PHYSICAL-TYPE> in <DATA-OBJECT-PROP>"},
    {"a comparam without DATA-OBJECT-PROP-REF", 4,
     "<DATA-OBJECT-PROP-REF ID-REF=\"C.DOP_UINT32\"/>", "",
     "bus.odx-cs:6: missing <DATA-OBJECT-PROP-REF> in <COMPARAM>"},
    {"a text-table limit that is no number", 2, "<LOWER-LIMIT>1</LOWER-LIMIT>",
     "<LOWER-LIMIT>one</LOWER-LIMIT>",
     "application.odx-cs:77: LOWER-LIMIT \"one\" of a text table is not a whole number"},
    {"a text-table limit twice", 2, "<LOWER-LIMIT>1</LOWER-LIMIT>", "<LOWER-LIMIT>0</LOWER-LIMIT>",
     "application.odx-cs:77: LOWER-LIMIT 0 is in the text table twice"},
};

std::string LoadError(const ZBadCase& bad) {
  std::vector<ZOdxSource> sources = Sources(kFixtures + "/three-layers", kFiles);
  std::string& bytes = sources[bad.file].bytes;
  if (bad.from.empty()) {
    bytes = bad.to;
  } else {
    const std::size_t at = bytes.find(bad.from);
    if (at == std::string::npos) return "the case's text is not in " + kFiles[bad.file];
    bytes.replace(at, bad.from.size(), bad.to);
  }
  try {
    ReadOdxSources(std::move(sources), 1);
  } catch (const ZDocFileError& error) {
    return error.what();
  }
  return "no error";
}

}  // namespace

TEST(OdxBadInput, EveryCaseNamesTheFileTheLineAndTheProblem) {
  for (const ZBadCase& bad : kCases) EXPECT_EQ(LoadError(bad), bad.error) << bad.name;
}
