#pragma once

#include <comparam/ComParam.h>

namespace NComParamMan {

// A text parameter, optionally restricted to a set of permitted texts.
class COMPARAM_API ZStringComParam : public ZComParam {
 public:
  ZStringComParam();
  // The value is stored as given; HasValidValue() tells whether it passes the check.
  // The range texts stay empty.
  ZStringComParam(const wchar_t* alias, const wchar_t* description, bool isSimulated,
                  bool mayBeModified, const wchar_t* name, const wchar_t* path,
                  const wchar_t* qualifier, const wchar_t* value);
  // As above; the range texts become "0".
  ZStringComParam(const wchar_t* alias, const wchar_t* description, bool isSimulated,
                  bool mayBeModified, const wchar_t* name, const wchar_t* path,
                  const wchar_t* qualifier, ZValidValueSet validValues, const wchar_t* value);
  ZStringComParam(const ZStringComParam& other);
  ZStringComParam& operator=(const ZStringComParam& other);
  ~ZStringComParam() override;

  ZComParam* Clone() const override;
  unsigned GetValueAsUnsigned() const override;
  unsigned GetStartRangeAsUnsigned() const override;
  unsigned GetStopRangeAsUnsigned() const override;
  using ZComParam::SetValue;
  bool SetValue(unsigned value) override;
  bool IsValidValue(const wchar_t* value) const override;

 protected:
  void SetStartRange(unsigned start) override;
  void SetStartRange(const wchar_t* start) override;
  void SetStopRange(unsigned stop) override;
  void SetStopRange(const wchar_t* stop) override;
};

}  // namespace NComParamMan
