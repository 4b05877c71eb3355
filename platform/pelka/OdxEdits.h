// What saving an edited ODX document changes in the text of its sources: the value texts of the
// parameters whose values changed, and COMPARAM-REFs for those the layer does not set itself.
#pragma once

#include "pelka/EcuDoc.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace Pelka {

// Replace [begin, end) of a source's text (offsets as parsed) by text.
struct ZTextEdit {
  std::size_t begin;
  std::size_t end;
  std::string text;
};

struct ZOdxEditPlan {
  std::vector<std::vector<ZTextEdit>> bySource;  // by source index
  std::vector<std::uint32_t> layers;             // the layers edited, in the origin's Layers()
};

// The edits that give the edited document's values; read is the document as read from the
// sources whose texts are given (empty for a source that is not verbatim), so that its origin's
// offsets hold for them. Throws ZDocFileError "problem" for a change that cannot be written.
ZOdxEditPlan PlanOdxEdits(const ZEcuDoc& edited, const ZEcuDoc& read,
                          const std::vector<std::string_view>& texts);

// The text with the edits made (they do not overlap).
std::string ApplyTextEdits(std::string_view text, std::vector<ZTextEdit> edits);

}  // namespace Pelka
