#include "OdxIndex.h"

#include "OdxXml.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <utility>

namespace Pelka {

namespace {

using namespace OdxXml;

// The documents an <ODX> element may hold; the reader follows the first three.
constexpr const char* kDocumentElements[] = {kContainer,
                                             kComparamSubset,
                                             kComparamSpec,
                                             "VEHICLE-INFO-SPEC",
                                             "FLASH",
                                             "ECU-CONFIG",
                                             "MULTIPLE-ECU-JOB-SPEC",
                                             "FUNCTION-DICTIONARY",
                                             "FUNCTION-DICTIONARY-SPEC"};

bool IsNamed(pugi::xml_node node, const char* name) { return std::strcmp(node.name(), name) == 0; }

bool IsDocumentElement(pugi::xml_node node) {
  return std::any_of(std::begin(kDocumentElements), std::end(kDocumentElements),
                     [&](const char* name) { return IsNamed(node, name); });
}

// The document element a DOCTYPE names: "CONTAINER" is the DIAG-LAYER-CONTAINER, every other
// type is named as its element.
bool HasDocType(const ZOdxIndex::ZDocument& document, std::string_view docType) {
  if (docType.empty()) return true;
  if (docType == "CONTAINER") return IsNamed(document.element, kContainer);
  return docType == document.element.name();
}

template <class TVisit>
void ForEachNamedChild(pugi::xml_node parent, const char* group, const char* name, TVisit visit) {
  for (pugi::xml_node holder : parent.children(group)) {
    for (pugi::xml_node element : holder.children(name)) visit(element);
  }
}

std::string ElementList(std::initializer_list<const char*> names) {
  std::string list;
  for (const char* name : names) {
    if (!list.empty()) list += " or ";
    list += Element(name);
  }
  return list;
}

}  // namespace

ZOdxIndex::ZOdxIndex(std::vector<ZOdxSource>& sources, std::size_t primaryCount) {
  for (std::size_t i = 0; i < sources.size(); ++i) {
    ZOdxSource& source = sources[i];
    // The parsed source takes the bytes over.
    m_sources.push_back(
        std::make_unique<const ZXmlSource>(std::move(source.bytes), source.Name(), kParseFlags));
    source.bytes = std::string();
    AddDocuments(i, i < primaryCount);
  }
}

void ZOdxIndex::AddDocuments(std::size_t sourceIndex, bool primary) {
  const ZXmlSource& source = *m_sources[sourceIndex];
  const pugi::xml_node root = source.Xml().document_element();
  if (!IsNamed(root, kOdx)) {
    source.Fail(root, "unknown element " + Element(root.name()) + ": an ODX file has the root " +
                          Element(kOdx));
  }
  bool any = false;
  for (pugi::xml_node element : root.children()) {
    if (element.type() != pugi::node_element) continue;
    if (!IsDocumentElement(element)) {
      source.Fail(element, "unknown element " + Element(element.name()) + " in " + Element(kOdx));
    }
    if (any) source.Fail(element, "a second ODX document in " + Element(kOdx));
    any = true;
    if (!IsNamed(element, kContainer) && !IsNamed(element, kComparamSubset) &&
        !IsNamed(element, kComparamSpec)) {
      continue;
    }
    m_documents.push_back(
        {&source, sourceIndex, element, ShortNameOf(source, element), primary, {}});
    ZDocument& document = m_documents.back();
    IndexIds(document);
    m_documentsByName[document.shortName].push_back(m_documents.size() - 1);
  }
  if (!any) source.Fail(root, Element(kOdx) + " holds no ODX document");
}

void ZOdxIndex::IndexIds(ZDocument& document) {
  const pugi::xml_node element = document.element;
  AddId(document, element);
  const auto add = [&](pugi::xml_node child) { AddId(document, child); };
  if (IsNamed(element, kContainer)) {
    for (const ZLayerGroup& group : kLayerGroups) {
      ForEachNamedChild(element, group.group, group.layer, [&](pugi::xml_node layer) {
        AddId(document, layer);
        m_documentsByLayer[ShortNameOf(*document.pSource, layer)].push_back(m_documents.size() - 1);
      });
    }
  } else if (IsNamed(element, kComparamSubset)) {
    ForEachNamedChild(element, kComparams, kComparam, add);
    ForEachNamedChild(element, kComplexComparams, kComplexComparam, add);
    ForEachNamedChild(element, kDataObjectProps, kDataObjectProp, add);
  } else {
    ForEachNamedChild(element, kProtStacks, kProtStack, add);
  }
}

void ZOdxIndex::AddId(ZDocument& document, pugi::xml_node element) {
  const std::string_view id = RequiredAttribute(*document.pSource, element, kId);
  const auto added = document.ids.emplace(id, element);
  if (!added.second) {
    document.pSource->Fail(
        element, "duplicate ID \"" + std::string(id) + "\" (first at line " +
                     std::to_string(document.pSource->LineAt(added.first->second.offset_debug())) +
                     ")");
  }
}

const ZOdxIndex::ZDocument* ZOdxIndex::FindDocument(const ZDocument& from, pugi::xml_node link,
                                                    std::string_view docRef,
                                                    std::string_view docType) const {
  const bool byLayer = docType == "LAYER";
  const auto& index = byLayer ? m_documentsByLayer : m_documentsByName;
  const auto found = index.find(docRef);
  std::vector<const ZDocument*> candidates;
  if (found != index.end()) {
    for (std::size_t position : found->second) {
      const ZDocument& document = m_documents[position];
      if (byLayer || HasDocType(document, docType)) candidates.push_back(&document);
    }
  }
  if (candidates.size() > 1) {
    from.pSource->Fail(link, "DOCREF \"" + std::string(docRef) + "\" names " +
                                 std::to_string(candidates.size()) + " ODX documents, in " +
                                 candidates[0]->pSource->Name() + " and " +
                                 candidates[1]->pSource->Name());
  }
  return candidates.empty() ? nullptr : candidates.front();
}

ZOdxIndex::ZTarget ZOdxIndex::Resolve(const ZDocument& from, pugi::xml_node link,
                                      std::initializer_list<const char*> expected) const {
  const ZXmlSource& source = *from.pSource;
  const std::string_view idRef = RequiredAttribute(source, link, kIdRef);
  const std::string_view docRef = link.attribute(kDocRef).value();
  const ZDocument* pDocument = &from;
  if (!docRef.empty()) {
    pDocument = FindDocument(from, link, docRef, link.attribute(kDocType).value());
    if (pDocument == nullptr) return {nullptr, {}, docRef};
  }
  const auto found = pDocument->ids.find(idRef);
  if (found == pDocument->ids.end()) {
    source.Fail(link, "ID-REF \"" + std::string(idRef) + "\" names nothing in " +
                          Element(pDocument->element.name()) + " \"" +
                          std::string(pDocument->shortName) + "\"");
  }
  const pugi::xml_node element = found->second;
  if (std::none_of(expected.begin(), expected.end(),
                   [&](const char* name) { return IsNamed(element, name); })) {
    source.Fail(link, "ID-REF \"" + std::string(idRef) + "\" names a " + Element(element.name()) +
                          ", not a " + ElementList(expected));
  }
  return {pDocument, element, {}};
}

}  // namespace Pelka
