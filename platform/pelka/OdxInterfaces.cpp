#include "OdxInterfaces.h"

#include "OdxNames.h"
#include "OdxXml.h"
#include "TextUtil.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>
#include <map>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <utility>

namespace Pelka {

namespace {

using namespace OdxXml;
using ZLayer = ZOdxLayers::ZLayer;
using ZChain = std::vector<const ZLayer*>;
using ZDocument = ZOdxIndex::ZDocument;

constexpr std::uint32_t npos = ZOdxOrigin::npos;
// Complex comparams hold complex comparams; real subsets nest one deep.
constexpr int kMaxNesting = 8;

bool IsNamed(pugi::xml_node node, const char* name) { return std::strcmp(node.name(), name) == 0; }

const void* KeyOf(pugi::xml_node element) { return element.internal_object(); }

std::wstring Wide(std::string_view text) { return FromUtf8(std::string(text)); }

// The members of a COMPLEX-COMPARAM, in order.
std::vector<pugi::xml_node> MembersOf(pugi::xml_node complex) {
  std::vector<pugi::xml_node> members;
  for (pugi::xml_node child : complex.children()) {
    if (IsNamed(child, kComparam) || IsNamed(child, kComplexComparam)) members.push_back(child);
  }
  return members;
}

// The simple members of a comparam, nested complex members flattened; a COMPARAM is its own.
void AppendLeaves(const ZXmlSource& source, pugi::xml_node comparam, int depth,
                  std::vector<pugi::xml_node>& leaves) {
  if (IsNamed(comparam, kComparam)) {
    leaves.push_back(comparam);
    return;
  }
  if (depth == kMaxNesting) {
    source.Fail(comparam, "complex comparams nested deeper than " + std::to_string(kMaxNesting));
  }
  for (pugi::xml_node member : MembersOf(comparam)) AppendLeaves(source, member, depth + 1, leaves);
}

// "LONG-NAME: DESC", either alone when the other is missing.
std::wstring DescriptionOf(pugi::xml_node element) {
  const std::string longName = FoldedText(element.child(kLongName));
  const std::string desc = FoldedText(element.child(kDesc));
  return FromUtf8(longName.empty() || desc.empty() ? longName + desc : longName + ": " + desc);
}

// A parameter of a protocol stack: a COMPARAM or COMPLEX-COMPARAM of one of its subsets.
struct ZStackParam {
  pugi::xml_node comparam;
  const ZDocument* pSubset;
  std::vector<pugi::xml_node> leafElements;
  std::vector<ZOdxParamInfo*> leaves;  // null for a leaf that has no type
};

// What a protocol's stack gives its interfaces.
struct ZStack {
  struct ZMissing {
    std::string_view document;
    const ZXmlSource* pSource;
    pugi::xml_node link;
  };
  std::string_view name;
  std::string_view physicalLinkType;
  std::vector<const ZStackParam*> params;
  std::vector<ZMissing> missing;
  bool hasTransport = false;
};

// The value elements of one COMPARAM-REF, one per leaf, and their values once read.
struct ZRefValues {
  std::vector<pugi::xml_node> elements;
  std::vector<const ZOdxTypedValue*> values;
  std::vector<bool> read;
};

// One leaf of an interface with the values that apply to it.
struct ZLeaf {
  const ZOdxParamInfo* pInfo;
  const ZOdxTypedValue* pOwn;
  const ZOdxTypedValue* pInherited;
  ZOdxOrigin::ZValueSite site;

  const ZOdxTypedValue* Effective() const { return pOwn ? pOwn : pInherited; }
};

class ZPlanner {
 public:
  ZPlanner(const ZOdxIndex& index, const ZOdxLayers& layers, ZOdxOrigin& origin,
           ZOdxWarnings& warnings)
      : m_index(index), m_layers(layers), m_origin(origin), m_warnings(warnings) {}

  ZOdxPlan Run() {
    for (const ZLayer& layer : m_layers.Layers()) {
      if (layer.isInterface) PlanInterface(layer);
    }
    return std::move(m_plan);
  }

 private:
  // ---- interfaces

  void PlanInterface(const ZLayer& layer) {
    const ZChain chain = m_layers.Chain(layer);
    const ZLayer* pProtocol = ZOdxLayers::ProtocolOf(chain);
    if (pProtocol == nullptr) return;
    const ZStack& stack = StackOf(*pProtocol);
    for (const ZStack::ZMissing& missing : stack.missing) {
      m_warnings.NoteMissing(missing.document, *missing.pSource, missing.link, layer.shortName);
    }
    ZOdxPlannedInterface planned;
    planned.name = Wide(layer.shortName);
    planned.longName = FromUtf8(FoldedText(layer.element.child(kLongName)));
    planned.description = FromUtf8(FoldedText(layer.element.child(kDesc)));
    planned.stack = Wide(stack.name);
    if (OdxNames::IsCanLink(stack.physicalLinkType)) {
      planned.physicalLinkType = Wide(stack.physicalLinkType);
    }
    planned.hasIso15765Transport = stack.hasTransport;
    const std::uint32_t layerIndex = AddOriginLayer(layer, *pProtocol);
    std::vector<ZLeaf> leaves;
    for (const ZStackParam* pParam : stack.params) {
      AddLeaves(*pParam, chain, pProtocol->shortName, stack.name, layerIndex, leaves);
    }
    NameLeaves(layer, leaves, planned);
    planned.params.shrink_to_fit();  // a large database holds a thousand of these at once
    m_plan.interfaces.push_back(std::move(planned));
  }

  std::uint32_t AddOriginLayer(const ZLayer& layer, const ZLayer& protocol) {
    const pugi::xml_node refs = layer.element.child(kComparamRefs);
    return m_origin.AddLayer({std::string(layer.shortName), std::string(protocol.shortName),
                              static_cast<std::uint32_t>(layer.pDocument->sourceIndex),
                              static_cast<std::size_t>(layer.element.offset_debug()),
                              refs ? static_cast<std::size_t>(refs.offset_debug())
                                   : std::numeric_limits<std::size_t>::max()});
  }

  // The leaves of one stack parameter with their values: the layer's own ref, else the nearest
  // one inherited, else the default.
  void AddLeaves(const ZStackParam& param, const ZChain& chain, std::string_view protocol,
                 std::string_view stack, std::uint32_t layerIndex, std::vector<ZLeaf>& leaves) {
    const ZOdxLayers::ZComparamRef* pOwnRef =
        ZOdxLayers::ApplyingRef(*chain.front(), param.comparam, protocol, stack);
    const ZOdxLayers::ZComparamRef* pInheritedRef =
        ZOdxLayers::ApplyingRef(chain, 1, param.comparam, protocol, stack);
    const bool complex = IsNamed(param.comparam, kComplexComparam);
    const std::uint32_t complexValue =
        complex ? AddComplexValue(param, pOwnRef ? pOwnRef : pInheritedRef) : npos;
    for (std::size_t i = 0; i < param.leaves.size(); ++i) {
      const ZOdxParamInfo* pInfo = param.leaves[i];
      if (pInfo == nullptr) continue;
      ZLeaf leaf{pInfo,
                 nullptr,
                 nullptr,
                 {layerIndex,
                  pInfo->originComparam,
                  complexValue,
                  ZOdxOrigin::OPWhole,
                  false,
                  pInheritedRef && !pInheritedRef->protocolSnRef.empty(),
                  {0, 0, false},
                  npos}};
      if (pOwnRef) {
        leaf.pOwn = ValueOf(*pOwnRef, param, i);
        leaf.site.setByLayer = leaf.pOwn != nullptr;
        const ZContentRange range =
            ContentRange(*pOwnRef->pSource, RefValues(*pOwnRef, param).elements[i]);
        leaf.site.ownValue = {range.begin, range.end, range.selfClosing};
      }
      leaf.pInherited = pInheritedRef ? ValueOf(*pInheritedRef, param, i)
                                      : (pInfo->defaultValue ? &*pInfo->defaultValue : nullptr);
      if (leaf.Effective() != nullptr) leaves.push_back(leaf);
    }
  }

  // The texts of a complex comparam's leaves as they apply: those of the ref, or the defaults.
  std::uint32_t AddComplexValue(const ZStackParam& param, const ZOdxLayers::ZComparamRef* pRef) {
    ZOdxOrigin::ZComplexValue value;
    const std::vector<pugi::xml_node> members = MembersOf(param.comparam);
    value.nested = std::any_of(members.begin(), members.end(), [](pugi::xml_node member) {
      return IsNamed(member, kComplexComparam);
    });
    for (std::size_t i = 0; i < param.leafElements.size(); ++i) {
      if (pRef) {
        value.members.push_back(TextContent(*pRef->pSource, RefValues(*pRef, param).elements[i]));
      } else {
        value.members.push_back(param.leaves[i] ? param.leaves[i]->defaultText : std::string());
      }
    }
    return m_origin.AddComplexValue(std::move(value));
  }

  // ---- names

  // The scheme of the interface's frame format of that side, when it has one that splits.
  static std::optional<OdxNames::ZScheme> SchemeOf(const std::vector<ZLeaf>& leaves,
                                                   OdxNames::ZFormatSide side) {
    for (const ZLeaf& leaf : leaves) {
      if (leaf.pInfo->pFormat == nullptr || leaf.pInfo->pFormat->side != side) continue;
      if (const auto format = FrameFormatOf(*leaf.pInfo, *leaf.Effective())) return format->scheme;
    }
    return std::nullopt;
  }

  static const std::string* FindTagText(const ZOdxParamInfo& info, const ZOdxTypedValue& value) {
    const ZEnumTagId id = std::get<ZEnumTagId>(value);
    for (const ZOdxValueType::ZTag& tag : info.type.tags) {
      if (tag.id == id) return &tag.text;
    }
    return nullptr;
  }

  static std::string TagTextOf(const ZOdxParamInfo& info, const ZOdxTypedValue& value) {
    const std::string* pText = FindTagText(info, value);
    return pText ? *pText : std::string();
  }

  static std::optional<OdxNames::ZFrameFormat> FrameFormatOf(const ZOdxParamInfo& info,
                                                             const ZOdxTypedValue& value) {
    const std::string* pText = FindTagText(info, value);
    return pText ? OdxNames::SplitFrameFormat(*pText) : std::nullopt;
  }

  static bool Splits(const ZLeaf& leaf) {
    if (leaf.pInfo->pFormat == nullptr) return false;
    for (const ZOdxTypedValue* pValue : {leaf.pOwn, leaf.pInherited}) {
      if (pValue && !FrameFormatOf(*leaf.pInfo, *pValue)) return false;
    }
    return true;
  }

  void NameLeaves(const ZLayer& layer, const std::vector<ZLeaf>& leaves,
                  ZOdxPlannedInterface& planned) {
    const std::optional<OdxNames::ZScheme> schemes[] = {std::nullopt,
                                                        SchemeOf(leaves, OdxNames::FSPhysical),
                                                        SchemeOf(leaves, OdxNames::FSFunctional)};
    std::unordered_set<std::wstring_view> taken;
    const auto add = [&](const ZLeaf& leaf, const wchar_t* normalized, ZOdxOrigin::ZPart part) {
      const std::wstring_view name =
          normalized ? std::wstring_view(normalized) : std::wstring_view(*leaf.pInfo->name);
      if (!taken.insert(name).second) {
        m_warnings.Add(m_index.Source(layer.pDocument->sourceIndex), layer.element,
                       "interface \"" + std::string(layer.shortName) +
                           "\" has a second parameter \"" + ToUtf8(std::wstring(name)) +
                           "\", from comparam \"" + leaf.pInfo->shortName + "\"; it is left out");
        return;
      }
      ZOdxOrigin::ZValueSite site = leaf.site;
      site.part = part;
      if (part != ZOdxOrigin::OPWhole) {
        site.appliedText = m_origin.AddAppliedText(TagTextOf(*leaf.pInfo, *leaf.Effective()));
      }
      planned.params.push_back({leaf.pInfo, normalized, part, leaf.pInherited, leaf.pOwn, site});
    };
    for (const ZLeaf& leaf : leaves) {
      const ZOdxParamInfo& info = *leaf.pInfo;
      if (Splits(leaf)) {
        add(leaf, info.pFormat->scheme, ZOdxOrigin::OPScheme);
        add(leaf, info.pFormat->idWidth, ZOdxOrigin::OPIdWidth);
        continue;
      }
      const OdxNames::ZFormatSide side = OdxNames::GoverningFormat(info.subset, info.shortName);
      add(leaf, OdxNames::NormalizedName(info.subset, info.shortName, schemes[side]),
          ZOdxOrigin::OPWhole);
    }
  }

  // ---- values of refs

  ZRefValues& RefValues(const ZOdxLayers::ZComparamRef& ref, const ZStackParam& param) {
    const auto found = m_refValues.find(KeyOf(ref.element));
    if (found != m_refValues.end()) return found->second;
    ZRefValues values;
    values.elements = ValueElements(*ref.pSource, ref.element, param);
    values.values.assign(values.elements.size(), nullptr);
    values.read.assign(values.elements.size(), false);
    return m_refValues.emplace(KeyOf(ref.element), std::move(values)).first->second;
  }

  // The SIMPLE-VALUE of each leaf the ref gives.
  static std::vector<pugi::xml_node> ValueElements(const ZXmlSource& source, pugi::xml_node ref,
                                                   const ZStackParam& param) {
    static constexpr const char* kRefChildren[] = {kSimpleValue, kValue,         kComplexValue,
                                                   kDesc,        kProtocolSnRef, kProtStackSnRef};
    for (pugi::xml_node child : ref.children()) {
      if (child.type() != pugi::node_element) continue;
      if (std::none_of(std::begin(kRefChildren), std::end(kRefChildren),
                       [&](const char* name) { return IsNamed(child, name); })) {
        source.Fail(child,
                    "unknown element " + Element(child.name()) + " in " + Element(kComparamRef));
      }
    }
    const std::string name(ShortNameOf(*param.pSubset->pSource, param.comparam));
    const pugi::xml_node complexValue = ref.child(kComplexValue);
    const pugi::xml_node simpleValue =
        ref.child(kSimpleValue) ? ref.child(kSimpleValue) : ref.child(kValue);
    std::vector<pugi::xml_node> elements;
    if (IsNamed(param.comparam, kComparam)) {
      if (!simpleValue) {
        source.Fail(complexValue ? complexValue : ref, "the " + Element(kComparamRef) +
                                                           " of comparam \"" + name +
                                                           "\" needs a " + Element(kSimpleValue));
      }
      elements.push_back(simpleValue);
    } else {
      if (!complexValue) {
        source.Fail(simpleValue ? simpleValue : ref, "the " + Element(kComparamRef) +
                                                         " of complex comparam \"" + name +
                                                         "\" needs a " + Element(kComplexValue));
      }
      AppendValueElements(source, complexValue, *param.pSubset->pSource, param.comparam, 0,
                          elements);
    }
    return elements;
  }

  // The values of a COMPLEX-VALUE, one per member in order, nested ones for complex members.
  static void AppendValueElements(const ZXmlSource& source, pugi::xml_node complexValue,
                                  const ZXmlSource& subsetSource, pugi::xml_node complex, int depth,
                                  std::vector<pugi::xml_node>& elements) {
    const std::vector<pugi::xml_node> members = MembersOf(complex);
    std::vector<pugi::xml_node> values;
    for (pugi::xml_node child : complexValue.children()) {
      if (child.type() != pugi::node_element) continue;
      if (!IsNamed(child, kSimpleValue) && !IsNamed(child, kComplexValue)) {
        source.Fail(child,
                    "unknown element " + Element(child.name()) + " in " + Element(kComplexValue));
      }
      values.push_back(child);
    }
    const std::string name(ShortNameOf(subsetSource, complex));
    if (values.size() != members.size()) {
      source.Fail(complexValue, Element(kComplexValue) + " holds " + std::to_string(values.size()) +
                                    " values; complex comparam \"" + name + "\" has " +
                                    std::to_string(members.size()) + " members");
    }
    if (depth == kMaxNesting) {
      source.Fail(complexValue, "complex values nested deeper than " + std::to_string(kMaxNesting));
    }
    for (std::size_t i = 0; i < members.size(); ++i) {
      const bool complexMember = IsNamed(members[i], kComplexComparam);
      const char* expected = complexMember ? kComplexValue : kSimpleValue;
      if (!IsNamed(values[i], expected)) {
        source.Fail(values[i], "member " + std::to_string(i + 1) + " of complex comparam \"" +
                                   name + "\" needs a " + Element(expected));
      }
      if (complexMember) {
        AppendValueElements(source, values[i], subsetSource, members[i], depth + 1, elements);
      } else {
        elements.push_back(values[i]);
      }
    }
  }

  // The value a ref gives a leaf. An empty number or text-table value stands for the default.
  const ZOdxTypedValue* ValueOf(const ZOdxLayers::ZComparamRef& ref, const ZStackParam& param,
                                std::size_t leaf) {
    ZRefValues& values = RefValues(ref, param);
    if (values.read[leaf]) return values.values[leaf];
    ZOdxParamInfo& info = *param.leaves[leaf];
    const pugi::xml_node element = values.elements[leaf];
    const std::string text = TextContent(*ref.pSource, element);
    const ZOdxTypedValue* pValue = nullptr;
    if (text.empty() && info.type.kind != ZAttrManager::ATString) {
      pValue = info.defaultValue ? &*info.defaultValue : nullptr;
    } else {
      m_plan.values.push_back(
          ReadValue(info.type, text, *ref.pSource, element, info.shortName, m_warnings));
      pValue = &m_plan.values.back();
    }
    values.read[leaf] = true;
    values.values[leaf] = pValue;
    return pValue;
  }

  // ---- protocol stacks

  const ZStack& StackOf(const ZLayer& protocol) {
    const auto found = m_stacks.find(&protocol);
    if (found != m_stacks.end()) return found->second;
    ZStack stack;
    const ZXmlSource& source = *protocol.pDocument->pSource;
    const pugi::xml_node specRef = protocol.element.child(kComparamSpecRef);
    pugi::xml_node chosen;
    const ZDocument* pSpec = nullptr;
    if (specRef) {
      const ZOdxIndex::ZTarget target =
          m_index.Resolve(*protocol.pDocument, specRef, {kComparamSpec});
      if (target.element) {
        pSpec = target.pDocument;
        chosen = ChooseStack(protocol, *pSpec);
      } else {
        stack.missing.push_back({target.missingDocument, &source, specRef});
      }
    }
    if (chosen) {
      ReadStack(*pSpec, chosen, stack);
    } else {
      ReadSubsetsOfRefs(protocol, stack);
    }
    return m_stacks.emplace(&protocol, std::move(stack)).first->second;
  }

  // The PROT-STACK the protocol names, else the one that holds most of the subsets its
  // COMPARAM-REFs use (the first of equals); null when there is no such stack.
  static pugi::xml_node ChooseStack(const ZLayer& protocol, const ZDocument& spec) {
    const ZXmlSource& specSource = *spec.pSource;
    const pugi::xml_node stacks = spec.element.child(kProtStacks);
    if (const pugi::xml_node snRef = protocol.element.child(kProtStackSnRef)) {
      const std::string_view wanted =
          RequiredAttribute(*protocol.pDocument->pSource, snRef, kShortNameAttribute);
      for (pugi::xml_node stack : stacks.children(kProtStack)) {
        if (ShortNameOf(specSource, stack) == wanted) return stack;
      }
      protocol.pDocument->pSource->Fail(snRef, "PROT-STACK-SNREF \"" + std::string(wanted) +
                                                   "\" names no " + Element(kProtStack) +
                                                   " of COMPARAM-SPEC \"" +
                                                   std::string(spec.shortName) + "\"");
    }
    std::unordered_set<std::string_view> used;
    for (const ZOdxLayers::ZComparamRef& ref : protocol.refs) {
      used.insert(ref.element.attribute(kDocRef).value());
    }
    pugi::xml_node best;
    std::size_t bestCount = 0;
    for (pugi::xml_node stack : stacks.children(kProtStack)) {
      std::size_t count = 0;
      for (pugi::xml_node link : stack.child(kComparamSubsetRefs).children(kComparamSubsetRef)) {
        count += used.count(link.attribute(kDocRef).value());
      }
      if (!best || count > bestCount) {
        best = stack;
        bestCount = count;
      }
    }
    return best;
  }

  void ReadStack(const ZDocument& spec, pugi::xml_node element, ZStack& stack) {
    const ZXmlSource& source = *spec.pSource;
    stack.name = ShortNameOf(source, element);
    stack.physicalLinkType = element.child_value(kPhysicalLinkType);
    for (pugi::xml_node link : element.child(kComparamSubsetRefs).children(kComparamSubsetRef)) {
      const ZOdxIndex::ZTarget target = m_index.Resolve(spec, link, {kComparamSubset});
      const std::string_view subset =
          target.element ? target.pDocument->shortName : target.missingDocument;
      stack.hasTransport = stack.hasTransport || subset == OdxNames::kTransportSubset;
      if (!target.element) {
        stack.missing.push_back({target.missingDocument, &source, link});
        continue;
      }
      AppendSubsetParams(*target.pDocument, stack);
    }
  }

  // Without a stack: the subsets the protocol's own COMPARAM-REFs use, in order of first use.
  void ReadSubsetsOfRefs(const ZLayer& protocol, ZStack& stack) {
    std::vector<const ZDocument*> subsets;
    for (const ZOdxLayers::ZComparamRef& ref : protocol.refs) {
      if (!ref.comparam) continue;
      const ZOdxIndex::ZTarget target =
          m_index.Resolve(*protocol.pDocument, ref.element, {kComparam, kComplexComparam});
      if (std::find(subsets.begin(), subsets.end(), target.pDocument) == subsets.end()) {
        subsets.push_back(target.pDocument);
      }
    }
    for (const ZDocument* pSubset : subsets) {
      stack.hasTransport = stack.hasTransport || pSubset->shortName == OdxNames::kTransportSubset;
      AppendSubsetParams(*pSubset, stack);
    }
  }

  void AppendSubsetParams(const ZDocument& subset, ZStack& stack) {
    for (pugi::xml_node group : subset.element.children()) {
      const char* member = IsNamed(group, kComparams)          ? kComparam
                           : IsNamed(group, kComplexComparams) ? kComplexComparam
                                                               : nullptr;
      if (member == nullptr) continue;
      for (pugi::xml_node comparam : group.children(member)) {
        stack.params.push_back(&ParamOf(subset, comparam));
      }
    }
  }

  // ---- comparams

  const ZStackParam& ParamOf(const ZDocument& subset, pugi::xml_node comparam) {
    const auto found = m_params.find(KeyOf(comparam));
    if (found != m_params.end()) return *found->second;
    m_paramStore.push_back({comparam, &subset, {}, {}});
    ZStackParam& param = m_paramStore.back();
    AppendLeaves(*subset.pSource, comparam, 0, param.leafElements);
    const bool complex = IsNamed(comparam, kComplexComparam);
    const std::string_view id = RequiredAttribute(*subset.pSource, comparam, kId);
    for (std::size_t i = 0; i < param.leafElements.size(); ++i) {
      param.leaves.push_back(InfoOf(subset, param.leafElements[i], id,
                                    complex ? static_cast<std::uint32_t>(i) : npos));
    }
    m_params.emplace(KeyOf(comparam), &param);
    return param;
  }

  ZOdxParamInfo* InfoOf(const ZDocument& subset, pugi::xml_node leaf, std::string_view id,
                        std::uint32_t member) {
    const ZXmlSource& source = *subset.pSource;
    std::optional<ZOdxValueType> type = ValueTypeOf(m_index, subset, leaf, m_warnings);
    if (!type) return nullptr;
    ZOdxParamInfo info;
    info.shortName = ShortNameOf(source, leaf);
    info.name = std::make_shared<const std::wstring>(Wide(info.shortName));
    info.description = std::make_shared<const std::wstring>(DescriptionOf(leaf));
    const std::string_view paramClass = leaf.attribute(kParamClass).value();
    info.category = L"CP" + (paramClass.empty() ? std::wstring() : L"." + Wide(paramClass));
    info.subset = subset.shortName;
    info.type = std::move(*type);
    if (const pugi::xml_node defaultValue = leaf.child(kPhysicalDefaultValue)) {
      info.defaultText = TextContent(source, defaultValue);
      if (!info.defaultText.empty() || info.type.kind == ZAttrManager::ATString) {
        info.defaultValue = ReadValue(info.type, info.defaultText, source, defaultValue,
                                      info.shortName, m_warnings);
      }
    }
    ZOdxOrigin::ZComparam origin{
        std::string(id), std::string(subset.shortName), kComparamSubset, member, {}};
    SplitTable(info, origin.textTable);
    info.originComparam = m_origin.AddComparam(std::move(origin));
    m_plan.infos.push_back(std::move(info));
    return &m_plan.infos.back();
  }

  // A frame format, when its table's texts split.
  static void SplitTable(ZOdxParamInfo& info, std::vector<std::string>& textTable) {
    const OdxNames::ZFormatName* pFormat = OdxNames::FormatNameOf(info.subset, info.shortName);
    if (pFormat == nullptr || info.type.kind != ZAttrManager::ATEnum) return;
    const bool splits = std::any_of(info.type.tags.begin(), info.type.tags.end(),
                                    [](const ZOdxValueType::ZTag& tag) {
                                      return OdxNames::SplitFrameFormat(tag.text).has_value();
                                    });
    if (!splits) return;
    info.pFormat = pFormat;
    for (const ZOdxValueType::ZTag& tag : info.type.tags) textTable.push_back(tag.text);
  }

  const ZOdxIndex& m_index;
  const ZOdxLayers& m_layers;
  ZOdxOrigin& m_origin;
  ZOdxWarnings& m_warnings;
  ZOdxPlan m_plan;
  std::map<const ZLayer*, ZStack> m_stacks;
  std::deque<ZStackParam> m_paramStore;
  std::unordered_map<const void*, const ZStackParam*> m_params;
  std::unordered_map<const void*, ZRefValues> m_refValues;
};

}  // namespace

ZOdxPlan PlanInterfaces(const ZOdxIndex& index, const ZOdxLayers& layers, ZOdxOrigin& origin,
                        ZOdxWarnings& warnings) {
  return ZPlanner(index, layers, origin, warnings).Run();
}

}  // namespace Pelka
