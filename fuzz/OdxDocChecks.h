// What must hold for every document the ODX reader accepts, whatever its input.
#pragma once

#include <FuzzInput.h>

#include <pelka/EcuDoc.h>
#include <pelka/EcuDocFile.h>

#include <cstddef>
#include <cwchar>
#include <memory>
#include <string>
#include <vector>

namespace Fuzz {

// sourceSizes: the byte count of each source as read, by origin source index.
inline void CheckOdxDocument(const Pelka::ZEcuDoc& doc,
                             const std::vector<std::size_t>& sourceSizes) {
  const Pelka::ZOdxOrigin* pOrigin = doc.GetOdxOrigin();
  FUZZ_CHECK(pOrigin != nullptr, "a document read from ODX without its origin");
  FUZZ_CHECK(pOrigin->Sources().size() == sourceSizes.size(), "an origin without every source");
  for (std::size_t position = 0; position < doc.AttributeCount(); ++position) {
    const Pelka::ZDefaultAttr& attribute = doc.AttributeAt(position);
    const bool isInterface =
        std::wcscmp(attribute.GetCategory().GetQualifier(), Pelka::ZEcuDoc::interfaceCategory) == 0;
    const Pelka::ZOdxOrigin::ZValueSite* pSite = pOrigin->SiteOf(attribute);
    if (pSite == nullptr) {
      // Interfaces and the derived parameters, which may not be edited, have no site.
      FUZZ_CHECK(isInterface || !attribute.MayBeModified(), "an editable parameter without site");
      continue;
    }
    FUZZ_CHECK(pSite->layer < pOrigin->Layers().size(), "a site of no layer");
    FUZZ_CHECK(pSite->comparam < pOrigin->Comparams().size(), "a site of no comparam");
    FUZZ_CHECK(pSite->complexValue == Pelka::ZOdxOrigin::npos ||
                   pSite->complexValue < pOrigin->ComplexValues().size(),
               "a site of no complex value");
    FUZZ_CHECK(pSite->setByLayer == attribute.HasOverride(), "an override not set by the layer");
    const Pelka::ZOdxOrigin::ZLayer& layer = pOrigin->Layers()[pSite->layer];
    const Pelka::ZOdxOrigin::ZSource& source = pOrigin->Sources()[layer.source];
    if (pSite->setByLayer && source.verbatim) {
      FUZZ_CHECK(pSite->ownValue.begin <= pSite->ownValue.end &&
                     source.verbatimOffset + pSite->ownValue.end <= sourceSizes[layer.source],
                 "a value site outside its source");
    }
  }
  // Whatever ODX gives, the document model holds: its own format keeps all of it.
  const std::string saved = Pelka::FormatEcuDoc(doc);
  std::unique_ptr<Pelka::ZEcuDoc> pReread;
  try {
    pReread = Pelka::ParseEcuDoc(saved.data(), saved.size(), "saved.xml");
  } catch (const Pelka::ZDocFileError& error) {
    FUZZ_CHECK(false, std::string("the document in its own format does not load: ") + error.what());
  }
  std::string difference;
  FUZZ_CHECK(Pelka::EqualDocuments(doc, *pReread, &difference),
             "the document in its own format reads back changed: " + difference);
}

}  // namespace Fuzz
