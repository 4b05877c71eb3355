#include "TextUtil.h"
#include "pelka/AttrUtilities.h"
#include "pelka/AttributeKinds.h"
#include "pelka/EcuDoc.h"

#include <cmath>
#include <cwchar>
#include <string>

namespace Pelka {

namespace {

// Finds the first difference between two documents; an empty text means none.
class DocumentComparer {
 public:
  DocumentComparer(const ZEcuDoc& left, const ZEcuDoc& right) : m_left(left), m_right(right) {}

  std::string FirstDifference() const {
    std::string difference = CompareLanguages();
    for (std::size_t position = 0; difference.empty() && position < m_left.AttributeCount();
         ++position) {
      difference = CompareAttribute(m_left.AttributeAt(position), m_right.AttributeAt(position));
    }
    return difference.empty() ? CompareInterfaceMembers() : difference;
  }

 private:
  std::string CompareLanguages() const {
    const ZLanguageSet& left = m_left.Languages();
    const ZLanguageSet& right = m_right.Languages();
    if (left.Count() != right.Count()) return "language count differs";
    for (std::size_t position = 0; position < left.Count(); ++position) {
      const ZLanguage& leftLanguage = *left.ItemAt(position);
      const ZLanguage& rightLanguage = *right.ItemAt(position);
      if (leftLanguage.GetId() != rightLanguage.GetId() ||
          std::wcscmp(leftLanguage.GetName(), rightLanguage.GetName()) != 0) {
        return "language " + std::to_string(position) + " differs";
      }
    }
    return m_left.AttributeCount() == m_right.AttributeCount() ? "" : "attribute count differs";
  }

  std::string CompareAttribute(const ZDefaultAttr& left, const ZDefaultAttr& right) const {
    std::string difference = CompareDefinition(left, right);
    if (difference.empty()) difference = CompareValues(left, right);
    return difference.empty() ? "" : "attribute " + Quoted(left.GetQualifier()) + ": " + difference;
  }

  std::string CompareDefinition(const ZDefaultAttr& left, const ZDefaultAttr& right) const {
    if (ZAttrTypeChecker::GetAttrType(left) != ZAttrTypeChecker::GetAttrType(right)) return "kind";
    if (!Same(left.GetQualifier(), right.GetQualifier())) return "qualifier";
    if (!Same(left.GetCategory().GetQualifier(), right.GetCategory().GetQualifier())) {
      return "category";
    }
    if (IsHeld(m_left, left) != IsHeld(m_right, right)) return "placement";
    if (left.MayBeModified() != right.MayBeModified()) return "modifiability";
    if (!Same(left.GetNames(), right.GetNames())) return "names";
    if (!Same(left.GetDescription(), right.GetDescription())) return "description";
    return "";
  }

  std::string CompareValues(const ZDefaultAttr& left, const ZDefaultAttr& right) const {
    switch (ZAttrTypeChecker::GetAttrType(left)) {
      case ZAttrManager::ATUnsigned: return CompareKind<ZUnsignedDefaultAttr>(left, right);
      case ZAttrManager::ATSigned: return CompareKind<ZSignedDefaultAttr>(left, right);
      case ZAttrManager::ATFloat: return CompareKind<ZFloatDefaultAttr>(left, right);
      case ZAttrManager::ATText: return CompareKind<ZTextDefaultAttr>(left, right);
      case ZAttrManager::ATEnum: return CompareEnum(left, right);
      case ZAttrManager::ATString: return CompareKind<ZCommonStringDefaultAttr>(left, right);
    }
    return "";
  }

  template <class TDefault>
  std::string CompareKind(const ZDefaultAttr& left, const ZDefaultAttr& right) const {
    using TOverride = typename TDefault::OverrideType;
    if (!Same(static_cast<const TDefault&>(left).GetValue(),
              static_cast<const TDefault&>(right).GetValue())) {
      return "default value";
    }
    const ZOverrideAttr* pLeft = OverrideOf(m_left, left);
    const ZOverrideAttr* pRight = OverrideOf(m_right, right);
    if ((pLeft == nullptr) != (pRight == nullptr)) return "override presence";
    if (pLeft != nullptr && !Same(static_cast<const TOverride*>(pLeft)->GetValue(),
                                  static_cast<const TOverride*>(pRight)->GetValue())) {
      return "override value";
    }
    return "";
  }

  std::string CompareEnum(const ZDefaultAttr& left, const ZDefaultAttr& right) const {
    const ZEnumTagTable& leftTags = static_cast<const ZEnumDefaultAttr&>(left).EnumTagTable();
    const ZEnumTagTable& rightTags = static_cast<const ZEnumDefaultAttr&>(right).EnumTagTable();
    if (leftTags.Count() != rightTags.Count()) return "tag count";
    for (std::size_t position = 0; position < leftTags.Count(); ++position) {
      const ZEnumTagSymbol& leftTag = leftTags.ItemAt(position);
      const ZEnumTagSymbol& rightTag = rightTags.ItemAt(position);
      if (leftTag.GetId() != rightTag.GetId() ||
          !Same(leftTag.GetTagText(), rightTag.GetTagText())) {
        return "tag " + std::to_string(leftTag.GetId());
      }
    }
    return CompareKind<ZEnumDefaultAttr>(left, right);
  }

  std::string CompareInterfaceMembers() const {
    for (std::size_t position = 0; position < m_left.AttributeCount(); ++position) {
      const wchar_t* qualifier = m_left.AttributeAt(position).GetQualifier();
      if (m_left.InterfaceMemberPositions(qualifier) !=
          m_right.InterfaceMemberPositions(qualifier)) {
        return "members of interface " + Quoted(qualifier);
      }
    }
    return "";
  }

  static bool IsHeld(const ZEcuDoc& doc, const ZDefaultAttr& attribute) {
    const ZDefaultAttrCollection& held = doc.GetEcu().DefaultAttributes();
    return held.Find(attribute) != held.End();
  }

  static const ZOverrideAttr* OverrideOf(const ZEcuDoc& doc, const ZDefaultAttr& attribute) {
    const ZOverrideAttrSet& overrides = doc.GetEcu().OverriddenAttributes();
    const ZOverrideAttrSet::ConstIterator found = overrides.Find(attribute);
    return found == overrides.End() ? nullptr : &*found;
  }

  static bool Same(unsigned left, unsigned right) { return left == right; }
  static bool Same(int left, int right) { return left == right; }
  static bool Same(double left, double right) {
    if (std::isnan(left) || std::isnan(right)) return std::isnan(left) && std::isnan(right);
    return left == right && std::signbit(left) == std::signbit(right);
  }
  static bool Same(const wchar_t* left, const wchar_t* right) {
    return std::wcscmp(left, right) == 0;
  }
  // Per language of the document: the same text and the same defined flag.
  bool Same(const ZTranslatable& left, const ZTranslatable& right) const {
    const ZLanguageSet& languages = m_left.Languages();
    for (auto language = languages.Begin(); language != languages.End(); ++language) {
      const ZLanguageId id = **language;
      if (!Same(left.GetText(id), right.GetText(id)) || left.IsDefined(id) != right.IsDefined(id)) {
        return false;
      }
    }
    return true;
  }

  const ZEcuDoc& m_left;
  const ZEcuDoc& m_right;
};

}  // namespace

bool EqualDocuments(const ZEcuDoc& left, const ZEcuDoc& right, std::string* pDifference) {
  const std::string difference = DocumentComparer(left, right).FirstDifference();
  if (pDifference != nullptr) *pDifference = difference;
  return difference.empty();
}

}  // namespace Pelka
