// What the ODX reader found, ready to become a document: every interface with its parameters,
// values and sites. It holds no part of the parsed files, so they are freed before the document
// is built.
#pragma once

#include "OdxNames.h"
#include "OdxValues.h"
#include "pelka/OdxOrigin.h"

#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace Pelka {

// A COMPARAM (of a subset, or a member of a COMPLEX-COMPARAM) as every interface shows it.
struct ZOdxParamInfo {
  std::string shortName;
  // Texts every interface's attribute shares.
  std::shared_ptr<const std::wstring> name;         // the SHORT-NAME: the display name
  std::shared_ptr<const std::wstring> description;  // LONG-NAME and DESC
  std::wstring category;                            // "CP." and its PARAM-CLASS
  std::string subset;                               // the SHORT-NAME of its subset
  ZOdxValueType type;
  std::optional<ZOdxTypedValue> defaultValue;  // its PHYSICAL-DEFAULT-VALUE
  std::string defaultText;
  std::uint32_t originComparam;  // in the origin's Comparams()
  // A frame format whose table's texts split: the schemes and widths they have.
  const OdxNames::ZFormatName* pFormat = nullptr;
  std::vector<OdxNames::ZScheme> schemes;
  std::vector<std::size_t> idWidths;
};

// One parameter of an interface.
struct ZOdxPlannedParam {
  const ZOdxParamInfo* pInfo;
  const wchar_t* normalized;         // its document-side name, or null for its SHORT-NAME
  ZOdxOrigin::ZPart part;            // of the value: all, or a frame format's scheme or width
  const ZOdxTypedValue* pInherited;  // what applies without the layer's own value; may be null
  const ZOdxTypedValue* pOwn;        // the layer's own value, or null
  ZOdxOrigin::ZValueSite site;
};

struct ZOdxPlannedInterface {
  std::wstring name;
  std::wstring longName;
  std::wstring description;
  std::vector<ZOdxPlannedParam> params;
  std::wstring physicalLinkType;  // of its protocol stack, when that is a CAN link
  std::wstring stack;             // its protocol stack's SHORT-NAME
  bool hasIso15765Transport = false;
};

struct ZOdxPlan {
  std::deque<ZOdxParamInfo> infos;
  std::deque<ZOdxTypedValue> values;
  std::vector<ZOdxPlannedInterface> interfaces;
};

}  // namespace Pelka
