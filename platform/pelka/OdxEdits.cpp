#include "OdxEdits.h"

#include "OdxNames.h"
#include "OdxTextScan.h"
#include "TextUtil.h"
#include "pelka/EcuDocFile.h"
#include "pelka/OdxFile.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <map>
#include <optional>
#include <tuple>
#include <utility>

namespace Pelka {

namespace {

using OdxTextScan::ZChild;
using OdxTextScan::ZElementSpan;
using OdxTextScan::ZIndent;
using ZSite = ZOdxOrigin::ZValueSite;
constexpr std::uint32_t npos = ZOdxOrigin::npos;

// The elements of a diagnostic layer that the schema puts before its COMPARAM-REFS.
constexpr std::string_view kBeforeComparamRefs[] = {"SHORT-NAME",
                                                    "LONG-NAME",
                                                    "DESC",
                                                    "ADMIN-DATA",
                                                    "COMPANY-DATAS",
                                                    "FUNCT-CLASSS",
                                                    "DIAG-DATA-DICTIONARY-SPEC",
                                                    "DIAG-COMMS",
                                                    "REQUESTS",
                                                    "POS-RESPONSES",
                                                    "NEG-RESPONSES",
                                                    "GLOBAL-NEG-RESPONSES",
                                                    "IMPORT-REFS",
                                                    "STATE-CHARTS",
                                                    "ADDITIONAL-AUDIENCES",
                                                    "SUB-COMPONENTS",
                                                    "LIBRARYS",
                                                    "SDGS"};

// Text as XML character data or, inAttribute, as a quoted XML attribute value. A raw CR, and
// in an attribute a tab or line end, would be read back as something else.
std::string Escaped(std::string_view text, bool inAttribute) {
  std::string escaped;
  escaped.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '&': escaped += "&amp;"; break;
      case '<': escaped += "&lt;"; break;
      case '>': escaped += inAttribute ? ">" : "&gt;"; break;
      case '"': escaped += inAttribute ? "&quot;" : "\""; break;
      case '\r': escaped += "&#13;"; break;
      case '\t': escaped += inAttribute ? "&#9;" : "\t"; break;
      case '\n': escaped += inAttribute ? "&#10;" : "\n"; break;
      default: escaped += c;
    }
  }
  return escaped;
}

std::string ValueElement(std::string_view value) {
  if (value.empty()) return "<SIMPLE-VALUE/>";
  return "<SIMPLE-VALUE>" + Escaped(value, false) + "</SIMPLE-VALUE>";
}

// How new lines are laid out: each starts with the line end and the indent of its depth. An
// empty line end puts everything on the line of what precedes.
struct ZLayout {
  std::string lineEnd;
  std::string indent;
  std::string unit;

  std::string Line(int depth, std::string_view content) const {
    std::string line = lineEnd + indent;
    for (int i = 0; i < depth; ++i) line += unit;
    return line.append(content);
  }
  ZLayout Deeper() const { return {lineEnd, indent + unit, unit}; }
};

// What inner indents more than outer, when both are on lines of their own.
std::optional<std::string> UnitBetween(const ZIndent& outer, const ZIndent& inner) {
  if (!outer.ownLine || !inner.ownLine || inner.blanks.size() <= outer.blanks.size() ||
      inner.blanks.substr(0, outer.blanks.size()) != outer.blanks) {
    return std::nullopt;
  }
  return std::string(inner.blanks.substr(outer.blanks.size()));
}

// The layout of lines at the indent of the element at `at`, one level being the first unit found.
ZLayout LayoutAt(std::string_view text, std::size_t at,
                 std::initializer_list<std::optional<std::string>> units) {
  const ZIndent indent = OdxTextScan::IndentOf(text, at);
  if (!indent.ownLine) return {};
  std::string unit = "  ";
  for (const std::optional<std::string>& candidate : units) {
    if (candidate) {
      unit = *candidate;
      break;
    }
  }
  return {std::string(OdxTextScan::LineEndBefore(text, at)), std::string(indent.blanks), unit};
}

// A COMPARAM-REF the layer gets.
struct ZNewRef {
  const ZOdxOrigin::ZComparam* pComparam;
  bool protocolSnRef;
  bool complex;
  std::vector<std::string> values;  // one for a simple comparam, one per member of a complex one
};

std::string RefXml(const ZNewRef& ref, const ZLayout& layout, const std::string& protocol) {
  const ZOdxOrigin::ZComparam& comparam = *ref.pComparam;
  std::string xml = layout.Line(0, "<COMPARAM-REF ID-REF=\"" + Escaped(comparam.idRef, true) +
                                       "\" DOCREF=\"" + Escaped(comparam.docRef, true) +
                                       "\" DOCTYPE=\"" + Escaped(comparam.docType, true) + "\">");
  if (ref.complex) {
    xml += layout.Line(1, "<COMPLEX-VALUE>");
    for (const std::string& value : ref.values) xml += layout.Line(2, ValueElement(value));
    xml += layout.Line(1, "</COMPLEX-VALUE>");
  } else {
    xml += layout.Line(1, ValueElement(ref.values.front()));
  }
  if (ref.protocolSnRef) {
    xml += layout.Line(1, "<PROTOCOL-SNREF SHORT-NAME=\"" + Escaped(protocol, true) + "\"/>");
  }
  return xml + layout.Line(0, "</COMPARAM-REF>");
}

// One comparam, or member of a complex comparam, of one layer whose value changes.
struct ZLeafEdit {
  const ZSite* pSite;
  const ZDefaultAttr* pAttribute;  // the first changed attribute of it, for messages
  std::optional<std::string> whole;
  std::optional<OdxNames::ZScheme> scheme;
  std::optional<std::size_t> idWidth;
  std::string text;  // the new value text
};

std::wstring EffectiveValue(const ZEcuDoc& doc, std::size_t position) {
  return doc.GetEcu().VirtualAttributes().ItemAt(position).GetValueText();
}

std::string AttributeNamed(const ZDefaultAttr& attribute) {
  return "attribute " + Quoted(attribute.GetQualifier());
}

OdxNames::ZScheme SchemeNamed(const std::wstring& text, const ZDefaultAttr& attribute) {
  for (OdxNames::ZScheme scheme : OdxNames::kSchemes) {
    if (text == OdxNames::SchemeText(scheme)) return scheme;
  }
  throw ZDocFileError(AttributeNamed(attribute) + ": " + Quoted(text) +
                      " is not an addressing scheme of a frame format");
}

std::size_t IdWidthNamed(const std::wstring& text, const ZDefaultAttr& attribute) {
  for (std::size_t width = 0; width < std::size(OdxNames::kIdWidths); ++width) {
    if (text == OdxNames::kIdWidths[width]) return width;
  }
  throw ZDocFileError(AttributeNamed(attribute) + ": " + Quoted(text) +
                      " is not an identifier width of a frame format");
}

class ZPlanner {
 public:
  ZPlanner(const ZEcuDoc& edited, const ZEcuDoc& read, const std::vector<std::string_view>& texts)
      : m_edited(edited), m_read(read), m_origin(*read.GetOdxOrigin()), m_texts(texts) {
    m_plan.bySource.resize(texts.size());
  }

  ZOdxEditPlan Run() {
    CollectLeaves();
    for (ZLeafEdit& leaf : m_leaves) leaf.text = NewText(leaf);
    std::map<std::uint32_t, std::vector<ZNewRef>> newRefs;
    for (const std::vector<std::size_t>& group : RefGroups()) {
      const ZSite& site = *m_leaves[group.front()].pSite;
      m_plan.layers.push_back(site.layer);
      // The layer's own ref, also one whose empty value stood for nothing, takes the new value.
      if (site.ownValue.begin > 0) {
        for (std::size_t leaf : group) EditOwnValue(m_leaves[leaf]);
      } else {
        newRefs[site.layer].push_back(NewRef(group));
      }
    }
    for (const auto& [layer, refs] : newRefs) InsertRefs(layer, refs);
    std::sort(m_plan.layers.begin(), m_plan.layers.end());
    m_plan.layers.erase(std::unique(m_plan.layers.begin(), m_plan.layers.end()),
                        m_plan.layers.end());
    return std::move(m_plan);
  }

 private:
  void CollectLeaves() {
    std::map<std::pair<std::uint32_t, std::uint32_t>, std::size_t> leafOf;
    for (std::size_t position = 0; position < m_read.AttributeCount(); ++position) {
      const std::wstring value = EffectiveValue(m_edited, position);
      if (value == EffectiveValue(m_read, position)) continue;
      const ZDefaultAttr& attribute = m_read.AttributeAt(position);
      const ZSite* pSite = m_origin.SiteOf(attribute);
      if (pSite == nullptr) {
        throw ZDocFileError(AttributeNamed(attribute) +
                            " has no value in the ODX files, so its change cannot be written");
      }
      const auto [found, added] =
          leafOf.emplace(std::make_pair(pSite->layer, pSite->comparam), m_leaves.size());
      if (added) m_leaves.push_back({pSite, &attribute, {}, {}, {}, {}});
      ZLeafEdit& leaf = m_leaves[found->second];
      switch (pSite->part) {
        case ZOdxOrigin::OPWhole: try { leaf.whole = XmlText(value);
          } catch (const ZDocFileError& error) {
            throw ZDocFileError(AttributeNamed(attribute) + ": " + error.what());
          }
          break;
        case ZOdxOrigin::OPScheme: leaf.scheme = SchemeNamed(value, attribute); break;
        case ZOdxOrigin::OPIdWidth: leaf.idWidth = IdWidthNamed(value, attribute); break;
      }
    }
  }

  std::string LayerNamed(std::uint32_t layer) const {
    return "interface \"" + m_origin.Layers()[layer].shortName + "\"";
  }

  // A frame format takes the table's text with the new scheme and width and the other words.
  std::string NewText(const ZLeafEdit& leaf) const {
    if (leaf.whole) return *leaf.whole;
    const ZSite& site = *leaf.pSite;
    const std::string applied = site.appliedText < m_origin.AppliedTexts().size()
                                    ? m_origin.AppliedTexts()[site.appliedText]
                                    : std::string();
    const std::optional<OdxNames::ZFrameFormat> before = OdxNames::SplitFrameFormat(applied);
    if (!before)
      throw ZDocFileError(AttributeNamed(*leaf.pAttribute) + ": no frame format applied");
    const OdxNames::ZFrameFormat format{leaf.scheme.value_or(before->scheme),
                                        leaf.idWidth.value_or(before->idWidth)};
    const std::optional<std::string> text = OdxNames::ReformatFrameFormat(
        applied, format, m_origin.Comparams()[site.comparam].textTable);
    if (!text) {
      throw ZOdxValueRefused(LayerNamed(site.layer) + ": the text table of " +
                                 ToUtf8(leaf.pAttribute->GetName(ZLanguage::defaultLangId)) +
                                 " has no frame format like \"" + applied + "\" with " +
                                 ToUtf8(OdxNames::SchemeText(format.scheme)) + " and " +
                                 ToUtf8(OdxNames::kIdWidths[format.idWidth]),
                             leaf.pAttribute->GetQualifier());
    }
    return *text;
  }

  // The leaves by the COMPARAM-REF they go into: a simple comparam's own, a complex one's shared.
  std::vector<std::vector<std::size_t>> RefGroups() const {
    std::map<std::tuple<std::uint32_t, bool, std::uint32_t>, std::size_t> groupOf;
    std::vector<std::vector<std::size_t>> groups;
    for (std::size_t i = 0; i < m_leaves.size(); ++i) {
      const ZSite& site = *m_leaves[i].pSite;
      const bool complex = site.complexValue != npos;
      const auto [found, added] = groupOf.emplace(
          std::make_tuple(site.layer, complex, complex ? site.complexValue : site.comparam),
          groups.size());
      if (added) groups.emplace_back();
      groups[found->second].push_back(i);
    }
    return groups;
  }

  std::string_view TextOf(std::uint32_t source) const {
    const ZOdxOrigin::ZSource& origin = m_origin.Sources()[source];
    if (!origin.verbatim) {
      throw ZDocFileError(origin.Name() +
                          ": values are written only into ODX files in UTF-8; this one is not");
    }
    return m_texts[source];
  }

  void Edit(std::uint32_t source, std::size_t begin, std::size_t end, std::string text) {
    m_plan.bySource[source].push_back({begin, end, std::move(text)});
  }

  // The value text of the layer's own ref; <SIMPLE-VALUE/> gets an end tag.
  void EditOwnValue(const ZLeafEdit& leaf) {
    const std::uint32_t source = m_origin.Layers()[leaf.pSite->layer].source;
    const std::string_view text = TextOf(source);
    const ZOdxOrigin::ZTextRange& range = leaf.pSite->ownValue;
    std::string value = Escaped(leaf.text, false);
    if (!range.selfClosing) return Edit(source, range.begin, range.end, std::move(value));
    if (value.empty()) return;
    const std::size_t start = text.rfind('<', range.begin);
    Edit(source, range.begin, range.begin + 1,
         ">" + value + "</" + std::string(OdxTextScan::NameAt(text, start)));
  }

  ZNewRef NewRef(const std::vector<std::size_t>& group) const {
    const ZSite& site = *m_leaves[group.front()].pSite;
    ZNewRef ref{&m_origin.Comparams()[site.comparam],
                site.inheritedProtocolSnRef,
                site.complexValue != npos,
                {}};
    if (!ref.complex) {
      ref.values.push_back(m_leaves[group.front()].text);
      return ref;
    }
    const ZOdxOrigin::ZComplexValue& applied = m_origin.ComplexValues()[site.complexValue];
    if (applied.nested) {
      throw ZDocFileError(LayerNamed(site.layer) + ": complex comparam \"" + ref.pComparam->idRef +
                          "\" has complex members; a COMPARAM-REF of it cannot be written");
    }
    ref.values = applied.members;
    for (std::size_t leaf : group) {
      const std::uint32_t member = m_origin.Comparams()[m_leaves[leaf].pSite->comparam].member;
      if (member < ref.values.size()) ref.values[member] = m_leaves[leaf].text;
    }
    return ref;
  }

  // After the last COMPARAM-REF of the layer's COMPARAM-REFS, or into a new COMPARAM-REFS where
  // the schema places it.
  void InsertRefs(std::uint32_t layerIndex, const std::vector<ZNewRef>& refs) {
    const ZOdxOrigin::ZLayer& layer = m_origin.Layers()[layerIndex];
    const std::string_view text = TextOf(layer.source);
    const ZElementSpan layerSpan = OdxTextScan::ElementAt(text, layer.elementOffset);
    const ZIndent layerIndent = OdxTextScan::IndentOf(text, layerSpan.begin);
    const auto refsXml = [&](const ZLayout& layout) {
      std::string xml;
      for (const ZNewRef& ref : refs) xml += RefXml(ref, layout, layer.protocol);
      return xml;
    };
    if (layer.comparamRefsOffset == static_cast<std::size_t>(-1)) {
      const std::vector<ZChild> children = OdxTextScan::ChildrenOf(text, layerSpan);
      const auto last = std::find_if(children.rbegin(), children.rend(), [](const ZChild& child) {
        return std::find(std::begin(kBeforeComparamRefs), std::end(kBeforeComparamRefs),
                         child.name) != std::end(kBeforeComparamRefs);
      });
      if (last == children.rend())
        throw ZDocFileError(LayerNamed(layerIndex) + " has no SHORT-NAME");
      const ZLayout layout =
          LayoutAt(text, last->span.begin,
                   {UnitBetween(layerIndent, OdxTextScan::IndentOf(text, last->span.begin))});
      return Edit(layer.source, last->span.end, last->span.end,
                  layout.Line(0, "<COMPARAM-REFS>") + refsXml(layout.Deeper()) +
                      layout.Line(0, "</COMPARAM-REFS>"));
    }
    const ZElementSpan refsSpan = OdxTextScan::ElementAt(text, layer.comparamRefsOffset);
    const ZIndent refsIndent = OdxTextScan::IndentOf(text, refsSpan.begin);
    const std::vector<ZChild> children = OdxTextScan::ChildrenOf(text, refsSpan);
    if (!children.empty()) {
      const ZElementSpan& last = children.back().span;
      const ZIndent lastIndent = OdxTextScan::IndentOf(text, last.begin);
      const std::vector<ZChild> inner = OdxTextScan::ChildrenOf(text, last);
      const ZLayout layout =
          LayoutAt(text, last.begin,
                   {inner.empty()
                        ? std::nullopt
                        : UnitBetween(lastIndent, OdxTextScan::IndentOf(text, inner[0].span.begin)),
                    UnitBetween(refsIndent, lastIndent), UnitBetween(layerIndent, refsIndent)});
      return Edit(layer.source, last.end, last.end, refsXml(layout));
    }
    const ZLayout outer = LayoutAt(text, refsSpan.begin, {UnitBetween(layerIndent, refsIndent)});
    const std::string_view content =
        text.substr(refsSpan.startTagEnd, refsSpan.endTagBegin - refsSpan.startTagEnd);
    if (refsSpan.selfClosing) {
      return Edit(layer.source, refsSpan.endTagBegin, refsSpan.endTagBegin + 1,
                  ">" + refsXml(outer.Deeper()) + outer.Line(0, "</COMPARAM-REFS"));
    }
    const bool closeOnOwnLine = content.find('\n') != std::string_view::npos;
    Edit(layer.source, refsSpan.startTagEnd, refsSpan.startTagEnd,
         refsXml(outer.Deeper()) + (closeOnOwnLine ? std::string() : outer.Line(0, "")));
  }

  const ZEcuDoc& m_edited;
  const ZEcuDoc& m_read;
  const ZOdxOrigin& m_origin;
  const std::vector<std::string_view>& m_texts;
  std::vector<ZLeafEdit> m_leaves;
  ZOdxEditPlan m_plan;
};

}  // namespace

ZOdxEditPlan PlanOdxEdits(const ZEcuDoc& edited, const ZEcuDoc& read,
                          const std::vector<std::string_view>& texts) {
  return ZPlanner(edited, read, texts).Run();
}

std::string ApplyTextEdits(std::string_view text, std::vector<ZTextEdit> edits) {
  std::sort(edits.begin(), edits.end(), [](const ZTextEdit& left, const ZTextEdit& right) {
    return std::tie(left.begin, left.end) < std::tie(right.begin, right.end);
  });
  std::string result;
  std::size_t at = 0;
  for (const ZTextEdit& edit : edits) {
    if (edit.begin < at || edit.end < edit.begin || edit.end > text.size()) {
      throw ZDocFileError("the edits of an ODX file overlap");
    }
    result.append(text.substr(at, edit.begin - at)).append(edit.text);
    at = edit.end;
  }
  return result.append(text.substr(at));
}

}  // namespace Pelka
