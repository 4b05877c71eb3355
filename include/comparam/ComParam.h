// The abstract communication parameter and its set of permitted values.
#pragma once

#include <comparam/Export.h>

#include <ostream>
#include <set>
#include <string>

namespace NComParamMan {

// Permitted texts of a parameter; compared exactly, code unit by code unit.
class COMPARAM_API ZValidValueSet {
 public:
  ZValidValueSet();
  ZValidValueSet(const ZValidValueSet& other);
  ZValidValueSet& operator=(const ZValidValueSet& other);
  ~ZValidValueSet();

  // Inserts the text unless it is already present.
  void AddValidValue(const wchar_t* value);
  // True when exactly this text is in the set.
  bool Contains(const wchar_t* value) const;
  bool IsEmpty() const;
  // Every permitted text, in code-unit order.
  const std::set<std::wstring>& GetValues() const;

 private:
  std::set<std::wstring> m_values;
};

// One named parameter of an interface; the concrete kinds supply the typed checks.
class COMPARAM_API ZComParam {
 public:
  enum ZComParamType { CPTString = 0, CPTUnsigned = 1 };

  ZComParam();
  // Both store every argument unchanged; the value is untested, so HasValidValue()
  // stays false until the concrete kind decides. The second sets both range texts to "0".
  ZComParam(const wchar_t* alias, const wchar_t* description, bool isSimulated, bool mayBeModified,
            const wchar_t* name, const wchar_t* path, const wchar_t* qualifier,
            const wchar_t* startRange, const wchar_t* stopRange, ZComParamType valueType,
            const wchar_t* value);
  ZComParam(const wchar_t* alias, const wchar_t* description, bool isSimulated, bool mayBeModified,
            const wchar_t* name, const wchar_t* path, const wchar_t* qualifier,
            ZValidValueSet validValues, ZComParamType valueType, const wchar_t* value);
  ZComParam(const ZComParam& other);
  ZComParam& operator=(const ZComParam& other);
  virtual ~ZComParam();

  // A heap copy of the concrete object, owned by the caller.
  virtual ZComParam* Clone() const = 0;
  virtual unsigned GetValueAsUnsigned() const = 0;
  virtual unsigned GetStartRangeAsUnsigned() const = 0;
  virtual unsigned GetStopRangeAsUnsigned() const = 0;
  // False when the last value offered was refused or none was ever accepted.
  virtual bool HasValidValue() const;
  // Offers a text value; a refused one keeps the previous text and is logged.
  virtual bool SetValue(const wchar_t* value);
  virtual bool SetValue(unsigned value) = 0;
  virtual bool IsValidValue(const wchar_t* value) const = 0;

  const wchar_t* GetAlias() const;
  void SetAlias(const wchar_t* alias);
  const wchar_t* GetDescription() const;
  void SetDescription(const wchar_t* description);
  const wchar_t* GetName() const;
  void SetName(const wchar_t* name);
  const wchar_t* GetPath() const;
  void SetPath(const wchar_t* path);
  const wchar_t* GetQualifier() const;
  void SetQualifier(const wchar_t* qualifier);
  bool GetIsSimulated() const;
  void SetIsSimulated(bool isSimulated);
  bool GetMayBeModified() const;
  void SetMayBeModified(bool mayBeModified);
  const wchar_t* GetValue() const;
  const wchar_t* GetStartRange() const;
  const wchar_t* GetStopRange() const;
  ZComParamType GetValueType() const;
  // The permitted texts; empty when any text is permitted (or the kind checks numbers).
  const ZValidValueSet& GetValidValues() const;

  // Writes the ten-line "ComParam { ... }" block.
  void PrintOn(std::wostream& stream) const;

 protected:
  virtual void SetStartRange(unsigned start) = 0;
  virtual void SetStartRange(const wchar_t* start) = 0;
  virtual void SetStopRange(unsigned stop) = 0;
  virtual void SetStopRange(const wchar_t* stop) = 0;

  // Overwrites what the value constructor sets; valid values and the flag stay.
  void Initialize(const wchar_t* alias, const wchar_t* description, bool isSimulated,
                  bool mayBeModified, const wchar_t* name, const wchar_t* path,
                  const wchar_t* qualifier, const wchar_t* startRange, const wchar_t* stopRange,
                  ZComParamType valueType, const wchar_t* value);

  // Reads base-10 text as a 32-bit wcstoul would; false only on overflow.
  static bool RetrieveUnsigned(const wchar_t* text, unsigned& out);

  ZComParamType m_valueType;
  std::wstring m_startRange;
  std::wstring m_stopRange;
  std::wstring m_value;
  bool m_valueInvalid;
  ZValidValueSet m_validValues;
  std::wstring m_alias;
  std::wstring m_description;
  bool m_isSimulated;
  bool m_mayBeModified;
  std::wstring m_name;
  std::wstring m_path;
  std::wstring m_qualifier;
};

}  // namespace NComParamMan
