// The diagnostic layers of an ODX database and their inheritance: PARENT-REF chains, the
// protocol of a layer, and which COMPARAM-REF along a chain applies.
#pragma once

#include "OdxIndex.h"
#include "OdxWarnings.h"

#include <pugixml.hpp>

#include <cstddef>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace Pelka {

class ZOdxLayers {
 public:
  // A COMPARAM-REF of a layer.
  struct ZComparamRef {
    const ZXmlSource* pSource;  // of its layer
    pugi::xml_node element;
    pugi::xml_node comparam;  // the COMPARAM or COMPLEX-COMPARAM; null when its subset is missing
    std::string_view protocolSnRef;   // empty: for every protocol
    std::string_view protStackSnRef;  // empty: for every protocol stack
  };

  struct ZLayer;
  struct ZParent {
    const ZLayer* pLayer;
    pugi::xml_node link;  // the PARENT-REF
  };

  struct ZLayer {
    const ZOdxIndex::ZDocument* pDocument;
    pugi::xml_node element;
    std::string_view shortName;
    bool isProtocol;
    bool isInterface;              // a layer of a primary source that may be an interface
    std::vector<ZParent> parents;  // those whose document is there, in PARENT-REF order
    std::vector<ZComparamRef> refs;
  };

  // Reads every layer of every DIAG-LAYER-CONTAINER. Fails for a PARENT-REF or COMPARAM-REF
  // that names nothing, a cyclic PARENT-REF chain, and two interface layers of one SHORT-NAME;
  // warns about a layer that refers to one comparam twice.
  ZOdxLayers(const ZOdxIndex& index, ZOdxWarnings& warnings);
  ZOdxLayers(const ZOdxLayers&) = delete;
  ZOdxLayers& operator=(const ZOdxLayers&) = delete;

  // In source and document order.
  const std::vector<ZLayer>& Layers() const noexcept { return m_layers; }

  // The layer and its ancestors, nearest first: breadth first along the PARENT-REFs, each
  // layer's in their order, every ancestor once.
  std::vector<const ZLayer*> Chain(const ZLayer& layer) const;

  // The first protocol of a chain, or null.
  static const ZLayer* ProtocolOf(const std::vector<const ZLayer*>& chain);

  // The first COMPARAM-REF of the layer that names the comparam and counts for the protocol
  // and stack given (its PROTOCOL-SNREF and PROT-STACK-SNREF, where it has them, name them);
  // null when none does.
  static const ZComparamRef* ApplyingRef(const ZLayer& layer, pugi::xml_node comparam,
                                         std::string_view protocol, std::string_view protStack);
  // The same along the chain, from the layer at position `from` on: the nearest.
  static const ZComparamRef* ApplyingRef(const std::vector<const ZLayer*>& chain, std::size_t from,
                                         pugi::xml_node comparam, std::string_view protocol,
                                         std::string_view protStack);

 private:
  void ReadLayer(const ZOdxIndex::ZDocument& document, pugi::xml_node element, bool isProtocol,
                 bool mayBeInterface);
  void ResolveParents(const ZOdxIndex& index, ZOdxWarnings& warnings);
  void ResolveRefs(const ZOdxIndex& index, ZOdxWarnings& warnings, ZLayer& layer);
  void CheckCycles() const;
  void CheckInterfaceNames() const;

  std::vector<ZLayer> m_layers;
  std::unordered_map<const void*, std::size_t> m_layerByElement;
};

}  // namespace Pelka
