// Stores a value given as text into an attribute of any kind, through its override at a target.
#pragma once

#include <pelka/Attributable.h>
#include <pelka/AttributeVisitor.h>
#include <pelka/EnumTagTable.h>

#include <string>

// The document model's double dispatch picks the visit of the attribute's kind: the default
// visit parses the text, the override visit stores it.
class ZEasyAttributeValueWriter : public Pelka::ZAttributeVisitor {
 public:
  // Result codes of Write.
  enum ZWriteResult : int {
    WR_Written = 0,        // value stored
    WR_NoMatchingTag = 1,  // enumeration: no tag carries the text in a defined language
    WR_NotAtTarget = 2,    // the target does not hold the attribute among its defaults
    WR_ParseError = 3      // the text is not a number of the attribute's kind
  };

  ZEasyAttributeValueWriter();
  ~ZEasyAttributeValueWriter() override;
  ZEasyAttributeValueWriter(const ZEasyAttributeValueWriter&) = delete;
  ZEasyAttributeValueWriter& operator=(const ZEasyAttributeValueWriter&) = delete;

  void VisitUnsignedDefault(Pelka::ZUnsignedDefaultAttr& attribute) override;
  void VisitSignedDefault(Pelka::ZSignedDefaultAttr& attribute) override;
  void VisitFloatDefault(Pelka::ZFloatDefaultAttr& attribute) override;
  void VisitTextDefault(Pelka::ZTextDefaultAttr& attribute) override;
  void VisitEnumDefault(Pelka::ZEnumDefaultAttr& attribute) override;
  void VisitStringDefault(Pelka::ZCommonStringDefaultAttr& attribute) override;
  void VisitUnsignedOverride(Pelka::ZUnsignedOverrideAttr& attribute) override;
  void VisitSignedOverride(Pelka::ZSignedOverrideAttr& attribute) override;
  void VisitFloatOverride(Pelka::ZFloatOverrideAttr& attribute) override;
  void VisitTextOverride(Pelka::ZTextOverrideAttr& attribute) override;
  void VisitEnumOverride(Pelka::ZEnumOverrideAttr& attribute) override;
  void VisitStringOverride(Pelka::ZCommonStringOverrideAttr& attribute) override;

  // Parses value by the attribute's kind (integers in decimal) and stores it into its override
  // at pAttributable, found or created; returns a ZWriteResult.
  int Write(Pelka::ZDefaultAttr& attribute, Pelka::ZAttributable* pAttributable,
            const wchar_t* value);

 private:
  // Reads m_valueText into the member of the attribute's kind; false when it is refused.
  using ZParse = bool (ZEasyAttributeValueWriter::*)();

  bool IsAtTarget(const Pelka::ZDefaultAttr& attribute) const;
  Pelka::ZOverrideAttr& FindOrCreateOverride(Pelka::ZDefaultAttr& attribute);
  void WriteParsed(Pelka::ZDefaultAttr& attribute, ZParse parse);
  bool ParseUnsigned();
  bool ParseSigned();
  bool ParseFloat();
  bool KeepText();

  int m_result;
  Pelka::ZAttributable* m_pAttributable;
  std::wstring m_valueText;
  unsigned m_unsignedValue;
  int m_signedValue;
  double m_floatValue;
  Pelka::ZEnumTagId m_enumTagId;
};
