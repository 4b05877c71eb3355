// Unit tests for platform/pelka/XmlSource.cpp, through the document reader: what a source
// refuses, what it decodes, and legal XML it must not refuse.
#include <pelka/Pelka.h>

#include <gtest/gtest.h>

#include <string>

using namespace Pelka;
using namespace std::string_literals;

namespace {

// A document whose line 2 is an attribute with the given value and line 3 ends it.
std::string WithValue(const std::string& value, const std::string& after = "") {
  return "<ecudoc><attributes>\n<attribute kind=\"string\" qualifier=\"Q\" value=\"" + value +
         "\"/>\n</attributes></ecudoc>" + after;
}

// The same with the attribute's name given as element content.
std::string WithName(const std::string& content) {
  return "<ecudoc><attributes>\n<attribute kind=\"string\" qualifier=\"Q\"><name>" + content +
         "</name></attribute>\n</attributes></ecudoc>";
}

std::string Declared(const std::string& encoding, const std::string& document) {
  return "<?xml version=\"1.0\" encoding=\"" + encoding + "\"?>\n" + document;
}

// UTF-16 with its byte order mark.
std::string Utf16(const std::u16string& text, bool bigEndian) {
  std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
  for (const char16_t unit : text) {
    const char high = static_cast<char>(unit >> 8);
    const char low = static_cast<char>(unit & 0xFF);
    bytes += bigEndian ? std::string{high, low} : std::string{low, high};
  }
  return bytes;
}

std::string LoadProblem(const std::string& bytes) {
  try {
    ParseEcuDoc(bytes.data(), bytes.size(), "memory");
  } catch (const ZDocFileError& error) {
    return error.what();
  }
  return "no error";
}

}  // namespace

struct RefusedSource {
  const char* name;
  std::string bytes;
  std::string message;
};

class XmlSourceRefuses : public ::testing::TestWithParam<RefusedSource> {};

TEST_P(XmlSourceRefuses, WithLineAndProblem) {
  EXPECT_EQ(LoadProblem(GetParam().bytes), GetParam().message);
}

const char* const kOnlyFive = " is not allowed (only &lt; &gt; &amp; &apos; &quot; are)";

INSTANTIATE_TEST_SUITE_P(
    XmlSource, XmlSourceRefuses,
    ::testing::Values(
        // NUL, raw or referenced, anywhere
        RefusedSource{"nul_reference", WithValue("150&#0;junk"), "memory:2: NUL character"},
        RefusedSource{"nul_hex_reference", WithName("CAN_1&#x00;x"), "memory:2: NUL character"},
        RefusedSource{"nul_byte", WithValue("CAN_1\0x"s), "memory:2: NUL character"},
        RefusedSource{"nul_byte_after_the_root", WithValue("1", "\n\0<ecudoc/>"s),
                      "memory:4: NUL character"},
        // UTF-8 that is not
        RefusedSource{"overlong_nul", WithValue("CAN\xC0\x80 bus"), "memory:2: invalid UTF-8"},
        RefusedSource{"stray_continuation", WithValue("\x80"), "memory:2: invalid UTF-8"},
        RefusedSource{"cut_off_sequence", WithValue("\xE2\x82"), "memory:2: invalid UTF-8"},
        RefusedSource{"byte_ff", WithValue("bus \xFF"), "memory:2: invalid UTF-8"},
        RefusedSource{"encoded_surrogate", WithValue("\xED\xA0\x80"), "memory:2: invalid UTF-8"},
        RefusedSource{"above_10ffff", WithValue("\xF4\x90\x80\x80"), "memory:2: invalid UTF-8"},
        // characters XML does not have
        RefusedSource{"raw_control", WithValue("a\x01"),
                      "memory:2: character U+0001 is not allowed in XML"},
        RefusedSource{"raw_fffe", WithValue("\xEF\xBF\xBE"),
                      "memory:2: character U+FFFE is not allowed in XML"},
        RefusedSource{"control_reference", WithValue("&#1;"),
                      "memory:2: &#1; is not an XML character"},
        RefusedSource{"surrogate_reference", WithValue("&#xD800;"),
                      "memory:2: &#xD800; is not an XML character"},
        RefusedSource{"reference_above_10ffff", WithName("&#x110000;"),
                      "memory:2: &#x110000; is not an XML character"},
        RefusedSource{"reference_overflowing", WithValue("&#99999999999;"),
                      "memory:2: &#99999999999; is not an XML character"},
        RefusedSource{"empty_reference", WithValue("&#x;"),
                      "memory:2: XML error: malformed character reference &#x;"},
        RefusedSource{"letters_in_reference", WithValue("&#12a;"),
                      "memory:2: XML error: malformed character reference &#12a;"},
        // entities and DOCTYPE
        RefusedSource{"undefined_entity", WithValue("&bogus;"),
                      "memory:2: entity reference &bogus;"s + kOnlyFive},
        RefusedSource{"undefined_entity_in_text", WithName("a&nbsp;b"),
                      "memory:2: entity reference &nbsp;"s + kOnlyFive},
        RefusedSource{"bare_ampersand", WithName("a & b"),
                      "memory:2: XML error: \"&\" that starts no reference"},
        RefusedSource{"reference_without_semicolon", WithValue("&lt"),
                      "memory:2: XML error: \"&\" that starts no reference"},
        RefusedSource{"doctype", "<!DOCTYPE ecudoc [<!ENTITY e \"x\">]>\n" + WithValue("&e;"),
                      "memory:1: DOCTYPE is not allowed"},
        // encodings
        RefusedSource{"unknown_encoding", Declared("Shift_JIS", WithValue("1")),
                      "memory:1: unsupported encoding \"Shift_JIS\""},
        RefusedSource{"utf16_declared_without_bom", Declared("UTF-16", WithValue("1")),
                      "memory:1: UTF-16 without a byte order mark is not supported"},
        RefusedSource{"utf16_without_bom", "<\0e\0c\0"s,
                      "memory:1: UTF-16 without a byte order mark is not supported"},
        RefusedSource{"utf32", "\xFF\xFE\0\0<\0\0\0"s, "memory:1: unsupported encoding UTF-32"},
        RefusedSource{"bom_and_declaration_disagree",
                      "\xEF\xBB\xBF" + Declared("ISO-8859-1", WithValue("1")),
                      "memory:1: the byte order mark says UTF-8 but the XML declaration says "
                      "\"ISO-8859-1\""},
        RefusedSource{
            "utf16_declaring_utf8", Utf16(u"<?xml version=\"1.0\" encoding=\"UTF-8\"?><a/>", false),
            "memory:1: the byte order mark says UTF-16 but the XML declaration says \"UTF-8\""},
        RefusedSource{"windows1252_undefined_byte", Declared("windows-1252", WithValue("\x81")),
                      "memory:3: byte 0x81 is not a Windows-1252 character"},
        RefusedSource{"ascii_high_byte", Declared("US-ASCII", WithValue("\xE4")),
                      "memory:3: byte 0xE4 is not US-ASCII"},
        RefusedSource{"utf16_unpaired_surrogate", Utf16(u"<a>\n\xD800</a>", true),
                      "memory:2: invalid UTF-16"},
        RefusedSource{"utf16_odd_length", Utf16(u"<a/>", false) + "x",
                      "memory:1: invalid UTF-16: an odd number of bytes"},
        RefusedSource{"utf16_nul", Utf16(u"<a/>\n\0"s, false), "memory:2: NUL character"},
        // well-formedness pugixml does not check
        RefusedSource{"text_after_the_root", WithValue("1", "junk"),
                      "memory:3: XML error: text outside the root element"},
        RefusedSource{"second_root", WithValue("1", "<ecudoc/>"),
                      "memory:3: more than one root element"},
        RefusedSource{"cdata_end_in_text", WithName("a]]>b"),
                      "memory:2: XML error: \"]]>\" in text"},
        RefusedSource{"less_than_in_value", WithValue("a<b"),
                      "memory:2: XML error: \"<\" in an XML attribute value"},
        RefusedSource{"double_hyphen_in_comment", "<!-- a -- b -->\n" + WithValue("1"),
                      "memory:1: XML error: \"--\" in a comment"},
        RefusedSource{"declaration_not_at_the_start", "\n<?xml version=\"1.0\"?>" + WithValue("1"),
                      "memory:2: XML error: XML declaration not at the start"},
        RefusedSource{"xml_version_1_1", "<?xml version=\"1.1\"?>" + WithValue("1"),
                      "memory:1: XML version \"1.1\" is not supported"},
        RefusedSource{"malformed_declaration",
                      "<?xml version=\"1.0\" colour=\"red\"?>" + WithValue("1"),
                      "memory:1: XML error: malformed XML declaration"},
        RefusedSource{"non_ascii_processing_instruction_target",
                      "<?x\xE1\x81\xADl a?>\n" + WithValue("1"),
                      "memory:1: XML error: processing instruction target \"x\xE1\x81\xADl\" is "
                      "not ASCII"},
        RefusedSource{"processing_instruction_target_run_on", "<?ab?cd e?>\n" + WithValue("1"),
                      "memory:1: XML error: processing instruction without a valid target"},
        RefusedSource{"invalid_element_name", WithName("<\xC3\x97/>"),
                      "memory:2: XML error: invalid element name"},
        RefusedSource{"repeated_xml_attribute", WithValue("1\" value=\"2"),
                      "memory:2: duplicate XML attribute \"value\" on <attribute>"}),
    [](const ::testing::TestParamInfo<RefusedSource>& info) {
      return std::string(info.param.name);
    });

struct ReadSource {
  const char* name;
  std::string bytes;
  std::wstring value;  // of attribute Q: its value, or its name when it has no value
};

class XmlSourceReads : public ::testing::TestWithParam<ReadSource> {};

TEST_P(XmlSourceReads, TheTextXmlMeans) {
  const std::string& bytes = GetParam().bytes;
  std::unique_ptr<ZEcuDoc> pDoc;
  ASSERT_NO_THROW(pDoc = ParseEcuDoc(bytes.data(), bytes.size(), "memory")) << LoadProblem(bytes);
  const ZDefaultAttr* pAttribute = pDoc->FindAttribute(L"Q");
  ASSERT_NE(pAttribute, nullptr);
  const std::wstring value = pAttribute->GetValueText();
  EXPECT_EQ(value.empty() ? pAttribute->GetNames().GetText(0) : value, GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    XmlSource, XmlSourceReads,
    ::testing::Values(
        ReadSource{"utf8_with_bom",
                   "\xEF\xBB\xBF" + WithValue("Gr\xC3\xB6\xC3\x9F"
                                              "e"),
                   L"Gr\u00F6\u00DFe"},
        ReadSource{"utf8_declared", Declared("utf-8", WithValue("\xE2\x82\xAC")), L"\u20AC"},
        ReadSource{"latin1",
                   Declared("ISO-8859-1", WithValue("Gr\xF6\xDF"
                                                    "e")),
                   L"Gr\u00F6\u00DFe"},
        ReadSource{"windows1252", Declared("windows-1252", WithValue("\x80 \xE4")),
                   L"\u20AC \u00E4"},
        ReadSource{"ascii", Declared("US-ASCII", WithValue("plain")), L"plain"},
        ReadSource{
            "utf16le",
            Utf16(u"<?xml version=\"1.0\" encoding=\"UTF-16\"?>\n<ecudoc><attributes><attribute "
                  u"kind=\"string\" qualifier=\"Q\" "
                  u"value=\"\u00E4\U0001F600\"/></attributes></ecudoc>",
                  false),
            L"\u00E4\U0001F600"},
        ReadSource{"utf16be",
                   Utf16(u"<ecudoc><attributes><attribute kind=\"string\" qualifier=\"Q\" "
                         u"value=\"\u20AC\"/></attributes></ecudoc>",
                         true),
                   L"\u20AC"},
        ReadSource{"references", WithValue("&#65;&#x42;&lt;&amp;bogus;&#x10FFFF;"),
                   L"AB<&bogus;\U0010FFFF"},
        ReadSource{"cdata_keeps_what_looks_like_references",
                   WithName("<![CDATA[&bogus; &#0; <!DOCTYPE ]]]]><![CDATA[>]]>"),
                   L"&bogus; &#0; <!DOCTYPE ]]>"},
        ReadSource{"comment_and_instruction_keep_theirs",
                   WithName("a<!-- &bogus; <!DOCTYPE x> - --><?pi &bogus; <x> ?> b"), L"a b"},
        ReadSource{"quotes_and_greater_than_in_values", WithValue("'>' ]]"), L"'>' ]]"},
        ReadSource{"declaration_forms",
                   "<?xml version='1.0' encoding='UTF-8' standalone='yes' ?>\n<?xml-stylesheet "
                   "href=\"a\"?>" +
                       WithValue("1"),
                   L"1"}),
    [](const ::testing::TestParamInfo<ReadSource>& info) { return std::string(info.param.name); });
