// The document-side view of one communication-parameter attribute.
#pragma once

#include <Util/IntegerText.h>

#include <pelka/Attribute.h>

#include <ostream>

namespace NComParamMan {

// Wraps a default attribute and, where the ECU overrides it, that override (decided once, at
// construction).
class ZTlvComParam {
 public:
  // Throws ZComParamException when the attribute announces an override the ECU does not hold.
  explicit ZTlvComParam(Pelka::ZDefaultAttr& defaultAttr);
  // The attribute as the ECU sees it, as GetDocumentParams gives it: its override there, else
  // the default attribute. Needs no search for the override, which in a large document is
  // where a reading waits for memory.
  explicit ZTlvComParam(Pelka::ZAttribute& ecuAttribute);
  virtual ~ZTlvComParam();
  ZTlvComParam(const ZTlvComParam&) = delete;
  ZTlvComParam& operator=(const ZTlvComParam&) = delete;

  // The attribute's qualifier after its first dot.
  const wchar_t* GetQualifier() const;
  // The category's qualifier after its first dot: the document's own text, valid while the
  // document is unchanged.
  const wchar_t* GetCategoryQualifier() const;
  // Name and description in the default language.
  const wchar_t* GetName() const;
  const wchar_t* GetDescription() const;
  bool GetMayBeModified() const;
  // The current value as text; unsigned values as decimal digits, valid until the next call.
  const wchar_t* GetValue();
  // True when the attribute holds value afterwards or already did; addMissingEnumTag adds a
  // tag with that text to an enumeration that has none.
  bool SetValue(const wchar_t* value, bool addMissingEnumTag);
  // Writes "[n:<name>,q:<qualifier>,c:<category qualifier>]", no line end.
  void PrintOn(std::wostream& stream) const;

 private:
  Pelka::ZAttribute& SourceAttr() const;
  bool AddEnumTagAndSet(const wchar_t* value);

  Pelka::ZDefaultAttr* m_pDefaultAttr;
  Pelka::ZOverrideAttr* m_pOverrideAttr;
  // Points into the attribute's qualifier, which is fixed for the attribute's life: a view
  // lives for one conversion, and a copy cost an allocation for every parameter read.
  const wchar_t* m_qualifier;
  Pelka::ZAttrManager::ZAttrType m_attrType;
  // The text of an unsigned value: no allocation for a number's digits.
  wchar_t m_decimal[kDecimalBufferSize<unsigned>];
};

}  // namespace NComParamMan
