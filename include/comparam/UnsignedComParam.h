#pragma once

#include <comparam/ComParam.h>

namespace NComParamMan {

// An unsigned 32-bit parameter held as number and text, with range and permitted texts.
class COMPARAM_API ZUnsignedComParam : public ZComParam {
 public:
  ZUnsignedComParam();
  ZUnsignedComParam(const wchar_t* alias, const wchar_t* description, bool isSimulated,
                    bool mayBeModified, const wchar_t* name, const wchar_t* path,
                    const wchar_t* qualifier, unsigned start, unsigned stop, unsigned value);
  // The initial value is tested against the (empty) range only, then the set applies.
  ZUnsignedComParam(const wchar_t* alias, const wchar_t* description, bool isSimulated,
                    bool mayBeModified, const wchar_t* name, const wchar_t* path,
                    const wchar_t* qualifier, ZValidValueSet validValues, unsigned value);
  ZUnsignedComParam(const ZUnsignedComParam& other);
  ZUnsignedComParam& operator=(const ZUnsignedComParam& other);
  ~ZUnsignedComParam() override;

  ZComParam* Clone() const override;
  unsigned GetValueAsUnsigned() const override;
  unsigned GetStartRangeAsUnsigned() const override;
  unsigned GetStopRangeAsUnsigned() const override;
  bool SetValue(const wchar_t* value) override;
  bool SetValue(unsigned value) override;
  bool IsValidValue(const wchar_t* value) const override;

 protected:
  void SetStartRange(unsigned start) override;
  void SetStartRange(const wchar_t* start) override;
  void SetStopRange(unsigned stop) override;
  void SetStopRange(const wchar_t* stop) override;

  unsigned m_startRangeAsUnsigned;
  unsigned m_stopRangeAsUnsigned;
  unsigned m_valueAsUnsigned;
};

}  // namespace NComParamMan
