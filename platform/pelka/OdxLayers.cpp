#include "OdxLayers.h"

#include "OdxXml.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <string>
#include <tuple>
#include <unordered_set>
#include <utility>

namespace Pelka {

namespace {

using namespace OdxXml;

const void* KeyOf(pugi::xml_node element) { return element.internal_object(); }

std::string_view SnRefOf(const ZXmlSource& source, pugi::xml_node ref, const char* name) {
  const pugi::xml_node snRef = ref.child(name);
  return snRef ? RequiredAttribute(source, snRef, kShortNameAttribute) : std::string_view();
}

}  // namespace

ZOdxLayers::ZOdxLayers(const ZOdxIndex& index, ZOdxWarnings& warnings) {
  for (const ZOdxIndex::ZDocument& document : index.Documents()) {
    if (std::strcmp(document.element.name(), kContainer) != 0) continue;
    for (const ZLayerGroup& group : kLayerGroups) {
      for (pugi::xml_node holder : document.element.children(group.group)) {
        for (pugi::xml_node element : holder.children(group.layer)) {
          ReadLayer(document, element, group.layer == kProtocol, group.hasInterfaces);
        }
      }
    }
  }
  CheckInterfaceNames();
  ResolveParents(index, warnings);
  for (ZLayer& layer : m_layers) ResolveRefs(index, warnings, layer);
  CheckCycles();
}

void ZOdxLayers::ReadLayer(const ZOdxIndex::ZDocument& document, pugi::xml_node element,
                           bool isProtocol, bool mayBeInterface) {
  const std::string_view shortName = ShortNameOf(*document.pSource, element);
  m_layers.push_back(
      {&document, element, shortName, isProtocol, document.primary && mayBeInterface, {}, {}});
  m_layerByElement.emplace(KeyOf(element), m_layers.size() - 1);
}

// Interfaces are named by their layers: two layers of one name would be one interface.
void ZOdxLayers::CheckInterfaceNames() const {
  std::unordered_map<std::string_view, const ZLayer*> seen;
  for (const ZLayer& layer : m_layers) {
    if (!layer.pDocument->primary) continue;
    const auto added = seen.emplace(layer.shortName, &layer);
    if (added.second) continue;
    const ZLayer& first = *added.first->second;
    layer.pDocument->pSource->Fail(
        layer.element,
        "two diagnostic layers are named \"" + std::string(layer.shortName) + "\" (the first at " +
            first.pDocument->pSource->Name() + ":" +
            std::to_string(first.pDocument->pSource->LineAt(first.element.offset_debug())) + ")");
  }
}

void ZOdxLayers::ResolveParents(const ZOdxIndex& index, ZOdxWarnings& warnings) {
  for (ZLayer& layer : m_layers) {
    const ZXmlSource& source = *layer.pDocument->pSource;
    for (pugi::xml_node link : layer.element.child(kParentRefs).children(kParentRef)) {
      const ZOdxIndex::ZTarget target = index.Resolve(
          *layer.pDocument, link,
          {kProtocol, "FUNCTIONAL-GROUP", "BASE-VARIANT", "ECU-VARIANT", "ECU-SHARED-DATA"});
      if (!target.element) {
        warnings.NoteMissing(target.missingDocument, source, link);
        continue;
      }
      layer.parents.push_back({&m_layers[m_layerByElement.at(KeyOf(target.element))], link});
    }
  }
}

void ZOdxLayers::ResolveRefs(const ZOdxIndex& index, ZOdxWarnings& warnings, ZLayer& layer) {
  const ZXmlSource& source = *layer.pDocument->pSource;
  // The first ref of each comparam, protocol and stack, to warn about a second one.
  std::map<std::tuple<const void*, std::string_view, std::string_view>, pugi::xml_node> first;
  for (pugi::xml_node element : layer.element.child(kComparamRefs).children(kComparamRef)) {
    const ZOdxIndex::ZTarget target =
        index.Resolve(*layer.pDocument, element, {kComparam, kComplexComparam});
    if (!target.element) warnings.NoteMissing(target.missingDocument, source, element);
    const ZComparamRef ref{&source, element, target.element,
                           SnRefOf(source, element, kProtocolSnRef),
                           SnRefOf(source, element, kProtStackSnRef)};
    layer.refs.push_back(ref);
    if (!target.element) continue;
    const auto added = first.emplace(
        std::make_tuple(KeyOf(target.element), ref.protocolSnRef, ref.protStackSnRef), element);
    if (added.second) continue;
    warnings.AddMade(source, element, [&] {
      return "layer \"" + std::string(layer.shortName) + "\" refers to comparam \"" +
             std::string(ShortNameOf(*target.pDocument->pSource, target.element)) +
             "\" again; the first reference (line " +
             std::to_string(source.LineAt(added.first->second.offset_debug())) + ") is used";
    });
  }
}

// Depth first along the PARENT-REFs, without recursion: the depth is the input's to choose.
void ZOdxLayers::CheckCycles() const {
  enum ZState : unsigned char { Unseen, OnPath, Done };
  std::vector<ZState> states(m_layers.size(), Unseen);
  struct ZStep {
    std::size_t layer;
    std::size_t nextParent;
  };
  for (std::size_t start = 0; start < m_layers.size(); ++start) {
    if (states[start] != Unseen) continue;
    std::vector<ZStep> path{{start, 0}};
    states[start] = OnPath;
    while (!path.empty()) {
      ZStep& step = path.back();
      const ZLayer& layer = m_layers[step.layer];
      if (step.nextParent == layer.parents.size()) {
        states[step.layer] = Done;
        path.pop_back();
        continue;
      }
      const ZParent& parent = layer.parents[step.nextParent++];
      const std::size_t next = m_layerByElement.at(KeyOf(parent.pLayer->element));
      if (states[next] == Unseen) {
        states[next] = OnPath;
        path.push_back({next, 0});
      } else if (states[next] == OnPath) {
        std::string cycle;
        const auto from = std::find_if(path.begin(), path.end(),
                                       [&](const ZStep& onPath) { return onPath.layer == next; });
        for (auto at = from; at != path.end(); ++at) {
          cycle += std::string(m_layers[at->layer].shortName) + " -> ";
        }
        cycle += parent.pLayer->shortName;
        layer.pDocument->pSource->Fail(parent.link, "cyclic PARENT-REF chain: " + cycle);
      }
    }
  }
}

std::vector<const ZOdxLayers::ZLayer*> ZOdxLayers::Chain(const ZLayer& layer) const {
  std::vector<const ZLayer*> chain{&layer};
  std::unordered_set<const ZLayer*> seen{&layer};
  for (std::size_t at = 0; at < chain.size(); ++at) {
    for (const ZParent& parent : chain[at]->parents) {
      if (seen.insert(parent.pLayer).second) chain.push_back(parent.pLayer);
    }
  }
  return chain;
}

const ZOdxLayers::ZLayer* ZOdxLayers::ProtocolOf(const std::vector<const ZLayer*>& chain) {
  const auto found = std::find_if(chain.begin(), chain.end(),
                                  [](const ZLayer* pLayer) { return pLayer->isProtocol; });
  return found == chain.end() ? nullptr : *found;
}

const ZOdxLayers::ZComparamRef* ZOdxLayers::ApplyingRef(const ZLayer& layer,
                                                        pugi::xml_node comparam,
                                                        std::string_view protocol,
                                                        std::string_view protStack) {
  for (const ZComparamRef& ref : layer.refs) {
    if (ref.comparam == comparam && (ref.protocolSnRef.empty() || ref.protocolSnRef == protocol) &&
        (ref.protStackSnRef.empty() || ref.protStackSnRef == protStack)) {
      return &ref;
    }
  }
  return nullptr;
}

const ZOdxLayers::ZComparamRef* ZOdxLayers::ApplyingRef(const std::vector<const ZLayer*>& chain,
                                                        std::size_t from, pugi::xml_node comparam,
                                                        std::string_view protocol,
                                                        std::string_view protStack) {
  for (std::size_t at = from; at < chain.size(); ++at) {
    if (const ZComparamRef* pRef = ApplyingRef(*chain[at], comparam, protocol, protStack)) {
      return pRef;
    }
  }
  return nullptr;
}

}  // namespace Pelka
