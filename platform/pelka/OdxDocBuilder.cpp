#include "OdxDocBuilder.h"

#include "TextUtil.h"
#include "pelka/AttributeKinds.h"

#include <iterator>
#include <memory>
#include <string>
#include <type_traits>
#include <unordered_map>
#include <utility>

namespace Pelka {

namespace {

constexpr ZLanguageId kDefault = ZLanguage::defaultLangId;

// The category of the parameters a protocol stack gives.
constexpr const wchar_t* kDerivedCategory = L"CP.PROT-STACK";

using ZSharedText = std::shared_ptr<const std::wstring>;

ZSharedText Shared(std::wstring text) {
  return std::make_shared<const std::wstring>(std::move(text));
}

void SetTexts(ZDefaultAttr& attribute, const ZSharedText& name, const ZSharedText& description) {
  attribute.GetNames().SetSharedText(name, kDefault, true);
  attribute.GetDescription().SetSharedText(description, kDefault, true);
}

// The value alternative of each kind.
template <class TDefault>
struct ZValueOf;
template <>
struct ZValueOf<ZUnsignedDefaultAttr> {
  using type = unsigned;
};
template <>
struct ZValueOf<ZSignedDefaultAttr> {
  using type = int;
};
template <>
struct ZValueOf<ZFloatDefaultAttr> {
  using type = double;
};
template <>
struct ZValueOf<ZEnumDefaultAttr> {
  using type = ZEnumTagId;
};
template <>
struct ZValueOf<ZCommonStringDefaultAttr> {
  using type = std::wstring;
};

// A value of the kind into its default attribute or override.
template <class TDefault, class TAttribute>
void Assign(TAttribute& attribute, const ZOdxTypedValue& value) {
  using TValue = typename ZValueOf<TDefault>::type;
  const TValue& typed = std::get<TValue>(value);
  if constexpr (std::is_same_v<TValue, std::wstring>) {
    attribute.SetValue(typed.c_str());
  } else {
    attribute.SetValue(typed);
  }
}

template <class TDefault>
void StoreValues(ZDefaultAttr& attribute, ZEcu& ecu, const ZOdxTypedValue* pDefault,
                 const ZOdxTypedValue* pOwn) {
  auto& defaultAttr = static_cast<TDefault&>(attribute);
  if (pDefault) Assign<TDefault>(defaultAttr, *pDefault);
  if (pOwn) {
    Assign<TDefault>(static_cast<typename TDefault::OverrideType&>(attribute.CreateOverride(ecu)),
                     *pOwn);
  }
}

void StoreValues(ZAttrManager::ZAttrType kind, ZDefaultAttr& attribute, ZEcu& ecu,
                 const ZOdxTypedValue* pDefault, const ZOdxTypedValue* pOwn) {
  switch (kind) {
    case ZAttrManager::ATUnsigned:
      return StoreValues<ZUnsignedDefaultAttr>(attribute, ecu, pDefault, pOwn);
    case ZAttrManager::ATSigned:
      return StoreValues<ZSignedDefaultAttr>(attribute, ecu, pDefault, pOwn);
    case ZAttrManager::ATFloat:
      return StoreValues<ZFloatDefaultAttr>(attribute, ecu, pDefault, pOwn);
    case ZAttrManager::ATEnum: return StoreValues<ZEnumDefaultAttr>(attribute, ecu, pDefault, pOwn);
    case ZAttrManager::ATText:
    case ZAttrManager::ATString:
      return StoreValues<ZCommonStringDefaultAttr>(attribute, ecu, pDefault, pOwn);
  }
}

class ZBuilder {
 public:
  ZBuilder(ZOdxPlan& plan, std::unique_ptr<ZOdxOrigin> pOrigin)
      : m_plan(plan), m_pDoc(new ZEcuDoc), m_pOrigin(std::move(pOrigin)) {}

  std::unique_ptr<ZEcuDoc> Build() {
    for (ZOdxPlannedInterface& planned : m_plan.interfaces) {
      AddInterface(planned);
      planned = ZOdxPlannedInterface();
    }
    m_pDoc->SetOdxOrigin(std::move(m_pOrigin));
    return std::move(m_pDoc);
  }

 private:
  void AddInterface(const ZOdxPlannedInterface& planned) {
    auto& attribute = m_pDoc->AddAttribute<ZCommonStringDefaultAttr>(planned.name.c_str(),
                                                                     ZEcuDoc::interfaceCategory);
    attribute.SetValue(planned.longName.c_str());
    SetTexts(attribute, Shared(planned.name), Shared(planned.description));
    for (const ZOdxPlannedParam& param : planned.params) AddParam(planned, param);
    if (!planned.physicalLinkType.empty()) {
      AddDerived(
          planned, OdxNames::kBusType, OdxNames::kBusTypeCan,
          L"From the PHYSICAL-LINK-TYPE " + planned.physicalLinkType + L" of " + planned.stack);
    }
    if (planned.hasIso15765Transport) {
      AddDerived(planned, OdxNames::kTransportProtocolType, OdxNames::kTransportIso15765,
                 L"From the comparam subset ISO_15765_2 of " +
                     (planned.stack.empty() ? std::wstring(L"the protocol") : planned.stack));
    }
  }

  ZDefaultAttr& AddMember(const ZOdxPlannedInterface& planned, ZAttrManager::ZAttrType kind,
                          const std::wstring& name, const std::wstring& category) {
    const std::wstring qualifier = planned.name + L"." + name;
    ZDefaultAttr& attribute = m_pDoc->AddAttribute(kind, qualifier.c_str(), category.c_str());
    m_pDoc->AddInterfaceMember(planned.name.c_str(), attribute);
    return attribute;
  }

  void AddParam(const ZOdxPlannedInterface& planned, const ZOdxPlannedParam& param) {
    const ZOdxParamInfo& info = *param.pInfo;
    const bool split = param.part != ZOdxOrigin::OPWhole;
    const ZAttrManager::ZAttrType kind = split ? ZAttrManager::ATEnum : info.type.kind;
    ZDefaultAttr& attribute =
        AddMember(planned, kind, param.normalized ? param.normalized : *info.name, info.category);
    SetTexts(attribute, info.name, info.description);
    if (split) {
      AddSplitTags(static_cast<ZEnumDefaultAttr&>(attribute), info, param.part);
      const ZOdxTypedValue inherited = SplitValue(info, param.part, param.pInherited);
      const ZOdxTypedValue own = SplitValue(info, param.part, param.pOwn);
      StoreValues(kind, attribute, m_pDoc->GetEcu(), param.pInherited ? &inherited : nullptr,
                  param.pOwn ? &own : nullptr);
    } else {
      if (info.type.kind == ZAttrManager::ATEnum) {
        AddTags(static_cast<ZEnumDefaultAttr&>(attribute), info.type.tags, TagTextsOf(info));
      }
      StoreValues(kind, attribute, m_pDoc->GetEcu(), param.pInherited, param.pOwn);
    }
    m_pOrigin->SetSite(attribute, param.site);
  }

  void AddDerived(const ZOdxPlannedInterface& planned, const wchar_t* qualifier,
                  const wchar_t* value, const std::wstring& description) {
    auto& attribute = static_cast<ZCommonStringDefaultAttr&>(
        AddMember(planned, ZAttrManager::ATString, qualifier, kDerivedCategory));
    attribute.SetValue(value);
    attribute.SetMayBeModified(false);
    SetTexts(attribute, Shared(qualifier), Shared(description));
  }

  static void AddTags(ZEnumDefaultAttr& attribute, const std::vector<ZOdxValueType::ZTag>& tags,
                      const std::vector<ZSharedText>& texts) {
    for (std::size_t i = 0; i < tags.size(); ++i) {
      attribute.EnumTagTable()
          .AddNewTag(tags[i].id)
          .GetTagText()
          .SetSharedText(texts[i], kDefault, true);
    }
  }

  // The texts of an info's tags, made once for every interface.
  const std::vector<ZSharedText>& TagTextsOf(const ZOdxParamInfo& info) {
    std::vector<ZSharedText>& texts = m_tagTexts[&info];
    if (texts.empty()) {
      for (const ZOdxValueType::ZTag& tag : info.type.tags)
        texts.push_back(Shared(FromUtf8(tag.text)));
    }
    return texts;
  }

  void AddSplitTags(ZEnumDefaultAttr& attribute, const ZOdxParamInfo& info,
                    ZOdxOrigin::ZPart part) {
    ZEnumTagTable& table = attribute.EnumTagTable();
    if (part == ZOdxOrigin::OPScheme) {
      for (OdxNames::ZScheme scheme : info.schemes) {
        table.AddNewTag(static_cast<ZEnumTagId>(scheme))
            .GetTagText()
            .SetSharedText(m_schemeTexts[scheme], kDefault, true);
      }
    } else {
      for (std::size_t width : info.idWidths) {
        table.AddNewTag(static_cast<ZEnumTagId>(width))
            .GetTagText()
            .SetSharedText(m_widthTexts[width], kDefault, true);
      }
    }
  }

  // The tag id of the scheme or width of a frame format value (the plan checked it splits).
  static ZOdxTypedValue SplitValue(const ZOdxParamInfo& info, ZOdxOrigin::ZPart part,
                                   const ZOdxTypedValue* pValue) {
    if (pValue == nullptr) return ZEnumTagId{0};
    const ZEnumTagId id = std::get<ZEnumTagId>(*pValue);
    for (const ZOdxValueType::ZTag& tag : info.type.tags) {
      if (tag.id != id) continue;
      const OdxNames::ZFrameFormat format = *OdxNames::SplitFrameFormat(tag.text);
      return static_cast<ZEnumTagId>(
          part == ZOdxOrigin::OPScheme ? static_cast<std::size_t>(format.scheme) : format.idWidth);
    }
    return ZEnumTagId{0};
  }

  ZOdxPlan& m_plan;
  std::unique_ptr<ZEcuDoc> m_pDoc;
  std::unique_ptr<ZOdxOrigin> m_pOrigin;
  std::unordered_map<const ZOdxParamInfo*, std::vector<ZSharedText>> m_tagTexts;
  ZSharedText m_schemeTexts[std::size(OdxNames::kSchemes)] = {
      Shared(OdxNames::SchemeText(OdxNames::SNormal)),
      Shared(OdxNames::SchemeText(OdxNames::SExtended)),
      Shared(OdxNames::SchemeText(OdxNames::SNormalFixed)),
      Shared(OdxNames::SchemeText(OdxNames::SMixed))};
  ZSharedText m_widthTexts[std::size(OdxNames::kIdWidths)] = {Shared(OdxNames::kIdWidths[0]),
                                                              Shared(OdxNames::kIdWidths[1])};
};

}  // namespace

std::unique_ptr<ZEcuDoc> BuildOdxDocument(ZOdxPlan plan, std::unique_ptr<ZOdxOrigin> pOrigin) {
  return ZBuilder(plan, std::move(pOrigin)).Build();
}

}  // namespace Pelka
